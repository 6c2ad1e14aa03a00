#include "print/print_fonts.h"

#include <QStringList>

namespace ploven {

namespace {

constexpr double kHeadingsPoints = 12;
constexpr double kTextPoints = 9.5;
constexpr double kCalendarPoints = 7.5;

QFont DefaultFont(double points, bool bold) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

}  // namespace

QFont FontFromDescription(const std::string& description, const QFont& fallback) {
  const QString saved = QString::fromStdString(description);
  QFont font;
  // Qt's description names at least the family and the size.
  if (saved.split(',').size() >= 2 && font.fromString(saved) && font.pointSizeF() > 0) return font;
  return fallback;
}

// Without ligatures a PDF's words read back as typed ("first", not a joined "fi"), so they
// can be searched and copied.
QFont Unshaped(QFont font) {
  font.setStyleStrategy(QFont::PreferNoShaping);
  return font;
}

PrintFonts PrintFonts::From(const PrintoutSettings& settings) {
  PrintFonts f;
  f.headings =
      Unshaped(FontFromDescription(settings.headingsFont, DefaultFont(kHeadingsPoints, true)));
  f.text = Unshaped(FontFromDescription(settings.textFont, DefaultFont(kTextPoints, false)));
  f.calendar =
      Unshaped(FontFromDescription(settings.calendarFont, DefaultFont(kCalendarPoints, false)));
  return f;
}

}  // namespace ploven
