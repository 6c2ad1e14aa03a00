#include "plugin/target_factory.h"

namespace ploven::calendar {

namespace {

// No calendar to write into: every record is answered with the reason, nothing is queued.
class NoCalendarTarget : public CalendarTarget {
 public:
  ApplyResult Apply(const InboundRecord&, const CompanionSettings&) override {
    return {false, QStringLiteral("no calendar is set up")};
  }
  void Pass(const CompanionSettings&) override {}
  QList<OutboundChange> Pending() override { return {}; }
  void Confirm(const QByteArray&) override {}
};

}  // namespace

std::unique_ptr<CalendarTarget> MakeTarget(const QString&, CompanionLog&) {
  return std::make_unique<NoCalendarTarget>();
}

}  // namespace ploven::calendar
