// ploven-calendar: mirrors Ploven's records into the user's calendar and hands the calendar's
// changes back (docs/design/bridge.md).
#include <QCoreApplication>

#include "plugin/companion_program.h"
#include "plugin/target_factory.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  return ploven::calendar::RunCompanion(QCoreApplication::arguments(),
                                        ploven::calendar::MakeTarget);
}
