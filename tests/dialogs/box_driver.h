#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace ploven::test {

// The visible top-level window of type T, if any (the newest when several are open).
template <typename T>
T* OpenWindow() {
  T* found = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* t = qobject_cast<T*>(w); t != nullptr && t->isVisible()) found = t;
  return found;
}

template <typename T>
int OpenWindowCount() {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* t = qobject_cast<T*>(w); t != nullptr && t->isVisible()) ++n;
  return n;
}

// Runs the action on the first window of type T that is open apart from `except`, once, from the
// event loop of whatever modal window is running.
template <typename T>
void WhenOpen(std::function<void(T&)> action, T* except = nullptr) {
  auto* poll = new QTimer();
  poll->setInterval(2);
  QObject::connect(poll, &QTimer::timeout, [poll, action, except] {
    T* window = OpenWindow<T>();
    if (window == nullptr || window == except) return;
    poll->stop();
    poll->deleteLater();
    action(*window);
  });
  poll->start();
}

// Runs the action after the given time from inside the running event loop.
inline void After(int milliseconds, std::function<void()> action) {
  QTimer::singleShot(milliseconds, action);
}

inline void SendKey(QWidget* to, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(to, &press);
}

inline void SendClick(QWidget* to) {
  const QPointF at(to->width() / 2.0, to->height() / 2.0);
  QMouseEvent press(QEvent::MouseButtonPress, at, to->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(to, &press);
}

}  // namespace ploven::test
