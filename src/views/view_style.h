#pragma once

#include <QColor>
#include <QFont>

#include <vector>

#include "present/colour_contrast.h"
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
  QFont fluidBeginFont;  // the begin times of flexible items in the day views

  QColor background;   // "ColorNormalBackground"
  QColor text;         // "ColorNormalText"
  QColor fluid;        // "ColorFluid": flexible items
  QColor unscheduled;  // "ColorUnscheduled"
  QColor done;         // "ColorDone"
  QColor freeTime;     // a free gap ahead
  QColor pastTime;     // a gap in the past
  QColor workHoliday{0, 255, 0};  // heading of a day with a Work Holiday memo (65280)
  QColor selection;
  QColor warning;  // conflicts, lateness and the current-item marker

  // The backgrounds text is drawn on: the day, the bottom of its row shading, the selection,
  // the free and past gaps and the priority tiles.
  std::vector<uint32_t> TextBackgrounds() const {
    return {RefOf(background), RefOf(background.darker(106)), RefOf(selection),
            RefOf(freeTime), RefOf(pastTime), RefOf(TagFill())};
  }
  // The pale tile behind a flexible item's priority.
  QColor TagFill() const {
    return ColorFromRef(BlendOver(RefOf(fluid), 45, RefOf(background)));
  }
  // The ink deepened just enough to read on every text background.
  QColor Readable(const QColor& ink) const {
    return ColorFromRef(ReadableOn(RefOf(ink), TextBackgrounds()));
  }
  // A softer shade of the ink for secondary text (durations, project names, free time) that
  // still reads: the ink seen at `alpha` over the background, deepened where needed.
  QColor Soft(const QColor& ink, int alpha = 150) const {
    return Readable(ColorFromRef(BlendOver(RefOf(ink), alpha, RefOf(background))));
  }
  static uint32_t RefOf(const QColor& c) { return ColourRef(c.red(), c.green(), c.blue()); }

  static ViewStyle From(const DisplayOptions& options) {
    ViewStyle s;
    s.headingFont = QFont("DejaVu Sans", 12, QFont::Bold);
    s.textFont = QFont("DejaVu Sans", 10);
    s.monthFont = QFont("DejaVu Sans", 8);
    s.noteFont = QFont("DejaVu Sans Mono", 10);
    s.fluidBeginFont = s.textFont;
    s.background = ColorFromRef(options.colorNormalBackground);
    s.text = ColorFromRef(options.colorNormalText);
    s.fluid = ColorFromRef(options.colorFluid);
    s.unscheduled = ColorFromRef(options.colorUnscheduled);
    s.done = ColorFromRef(options.colorDone);
    s.freeTime = ColorFromRef(options.colorFreeTime);
    s.pastTime = ColorFromRef(options.colorPastTime);
    s.selection = ColorFromRef(options.colorSelection);
    // Every text colour reads on the backgrounds it is drawn on, whatever the settings say.
    s.text = s.Readable(s.text);
    s.fluid = s.Readable(s.fluid);
    s.unscheduled = s.Readable(s.unscheduled);
    s.done = s.Readable(s.done);
    s.warning = s.Readable(QColor(205, 30, 30));
    s.workHoliday = s.Readable(s.workHoliday);
    return s;
  }
};

// Lightens a heading colour for a view window that is not the active one: each part becomes
// (c + 510) / 3.
inline QColor InactiveHeading(const QColor& c) {
  return QColor((c.red() + 510) / 3, (c.green() + 510) / 3, (c.blue() + 510) / 3);
}

}  // namespace ploven
