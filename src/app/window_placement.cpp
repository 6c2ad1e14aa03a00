#include "app/window_placement.h"

#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace ploven {

namespace {

QMargins FrameMargins(const QWidget& window) {
  const QWindow* handle = window.windowHandle();
  return handle != nullptr ? handle->frameMargins() : QMargins();
}

// Gives a freshly shown window the inside size that makes its frame the one asked for, once
// the window manager has framed it; it gives up after two seconds (no frame ever comes where
// no window manager runs).
class FrameFitter : public QObject {
 public:
  static constexpr char kName[] = "ploven-frame-fitter";

  FrameFitter(QWidget& window, const QRect& frame)
      : QObject(&window), m_window(window), m_frame(frame) {
    setObjectName(kName);
    m_timer.setInterval(50);
    connect(&m_timer, &QTimer::timeout, this, &FrameFitter::Check);
    m_timer.start();
  }

 private:
  void Check() {
    if (++m_tries > 40) return Finish();
    if (!m_window.isVisible() || m_window.isMaximized() || m_window.isMinimized()) return;
    const QMargins margins = FrameMargins(m_window);
    if (margins.isNull()) return;
    m_window.resize(InsideOfFrame(m_frame, margins).size());
    m_window.move(m_frame.topLeft());
    Finish();
  }
  void Finish() {
    setObjectName(QString());  // no longer waiting
    m_timer.stop();
    deleteLater();
  }

  QWidget& m_window;
  QRect m_frame;
  QTimer m_timer;
  int m_tries = 0;
};

}  // namespace

WindowPlace PlaceOfFrame(const QRect& frame) {
  return {frame.x(), frame.y(), frame.width(), frame.height()};
}

QRect FrameInArea(const WindowPlace& place, const QRect& area) {
  if (place.width <= 0 || place.height <= 0) return {};
  const int w = std::min(place.width, area.width());
  const int h = std::min(place.height, area.height());
  const int x = std::clamp(place.x, area.left(), area.left() + area.width() - w);
  const int y = std::clamp(place.y, area.top(), area.top() + area.height() - h);
  return {x, y, w, h};
}

QRect InsideOfFrame(const QRect& frame, const QMargins& margins) {
  return frame.marginsRemoved(margins);
}

FirstRunPlaces FirstRunPlacesIn(const QRect& area) {
  constexpr int kGap = 8;
  FirstRunPlaces places;
  const int calendarWidth = kCalendarMinWidth;
  const int calendarHeight = std::clamp(area.height() / 2, kCalendarMinHeight, 420);
  // The main window takes what the calendar leaves, up to a comfortable size.
  const int mainWidth = std::clamp(area.width() - calendarWidth - kGap, 480, 1200);
  const int mainHeight = std::min(area.height(), 860);
  places.main = QRect(area.left(), area.top(), mainWidth, mainHeight);
  const int calendarX = std::min(places.main.right() + 1 + kGap,
                                 area.left() + area.width() - calendarWidth);
  places.calendar = QRect(calendarX, area.top(), calendarWidth, std::min(calendarHeight,
                                                                         area.height()));
  return places;
}

void PlaceFrame(QWidget& window, const QRect& frame) {
  // A later placement replaces one still waiting for its frame.
  for (QObject* old : window.findChildren<QObject*>(FrameFitter::kName, Qt::FindDirectChildrenOnly))
    delete old;
  // move() places a top-level window by its frame; the size is the inside's.
  window.resize(InsideOfFrame(frame, FrameMargins(window)).size());
  window.move(frame.topLeft());
  if (FrameMargins(window).isNull()) new FrameFitter(window, frame);
}

bool AwaitingFrame(const QWidget& window) {
  return window.findChild<QObject*>(FrameFitter::kName, Qt::FindDirectChildrenOnly) != nullptr;
}

QRect NormalFrame(const QWidget& window) {
  if (window.isMaximized() || window.isMinimized() || window.isFullScreen())
    return window.normalGeometry().marginsAdded(FrameMargins(window));
  return window.frameGeometry();
}

}  // namespace ploven
