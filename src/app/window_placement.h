#pragma once

#include <QMargins>
#include <QRect>

#include "platform/layout_record.h"

class QWidget;

namespace ploven {

// A window's place is kept as its frame's rectangle (title bar and borders included), the way
// the user sees and drags it. Qt sizes a window by its inside, so the frame's margins, which
// only the window manager knows, come between the two.

// The frame's rectangle as the layout record keeps it.
WindowPlace PlaceOfFrame(const QRect& frame);
// The saved frame kept inside the screen's available area: no larger than the area, and moved
// in so that the title bar can be reached. A place of width 0 gives an empty rectangle.
QRect FrameInArea(const WindowPlace& place, const QRect& area);
// The inside of a window whose frame is the rectangle.
QRect InsideOfFrame(const QRect& frame, const QMargins& margins);

// Where a first run puts the main window and the floating calendar window: both inside the
// area, the calendar beside the main window rather than over it.
struct FirstRunPlaces {
  QRect main;
  QRect calendar;
};
FirstRunPlaces FirstRunPlacesIn(const QRect& area);
// The calendar window's smallest size that still reads well.
inline constexpr int kCalendarMinWidth = 340;
inline constexpr int kCalendarMinHeight = 300;

// Puts a top-level window's frame at the rectangle. The window manager frames a window only
// once it is shown, so the size is made good again as soon as the frame's margins are known.
void PlaceFrame(QWidget& window, const QRect& frame);
// True while a placed window waits for its frame: until then its frame is not known.
bool AwaitingFrame(const QWidget& window);
// The frame of a window, maximized or not: for a maximized window, the frame it comes back to.
QRect NormalFrame(const QWidget& window);

}  // namespace ploven
