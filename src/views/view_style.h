#pragma once

#include <QColor>
#include <QFont>

#include "present/display_options.h"

namespace ploven {

// A COLORREF number (red in the low byte) as a colour.
inline QColor ColorFromRef(uint32_t ref) {
  return QColor(static_cast<int>(ref & 0xff), static_cast<int>((ref >> 8) & 0xff),
                static_cast<int>((ref >> 16) & 0xff));
}

// The four screen fonts and the colours every view draws with.
struct ViewStyle {
  QFont headingFont;  // day views headings
  QFont textFont;     // day views text (and Set Start Times)
  QFont monthFont;    // month view text
  QFont noteFont;     // note text

  QColor background;   // "ColorNormalBackground"
  QColor text;         // "ColorNormalText"
  QColor fluid;        // "ColorFluid": flexible items
  QColor unscheduled;  // "ColorUnscheduled"
  QColor done;         // "ColorDone"
  QColor freeTime;     // a free gap ahead
  QColor pastTime;     // a gap in the past
  QColor workHoliday{0, 255, 0};  // heading of a day with a Work Holiday memo (65280)
  QColor selection;

  static ViewStyle From(const DisplayOptions& options) {
    ViewStyle s;
    s.headingFont = QFont("DejaVu Sans", 12, QFont::Bold);
    s.textFont = QFont("DejaVu Sans", 10);
    s.monthFont = QFont("DejaVu Sans", 8);
    s.noteFont = QFont("DejaVu Sans Mono", 10);
    s.background = ColorFromRef(options.colorNormalBackground);
    s.text = ColorFromRef(options.colorNormalText);
    s.fluid = ColorFromRef(options.colorFluid);
    s.unscheduled = ColorFromRef(options.colorUnscheduled);
    s.done = ColorFromRef(options.colorDone);
    s.freeTime = QColor(236, 250, 236);
    s.pastTime = QColor(226, 226, 226);
    s.selection = QColor(190, 214, 255);
    return s;
  }
};

// Lightens a heading colour for a view window that is not the active one: each part becomes
// (c + 510) / 3.
inline QColor InactiveHeading(const QColor& c) {
  return QColor((c.red() + 510) / 3, (c.green() + 510) / 3, (c.blue() + 510) / 3);
}

}  // namespace ploven
