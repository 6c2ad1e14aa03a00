#include "views/busy_navigator.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "store/calendar.h"

namespace ploven {

namespace {

constexpr int kCellWidth = 30;
constexpr int kCellHeight = 46;
// An empty day is white, a full one (100 % and more) a deep blue; text turns white once the
// cell is dark enough to keep its contrast.
const QColor kEmpty(255, 255, 255);
const QColor kFull(25, 60, 140);
constexpr int kDarkFrom = 55;

QColor Shade(int load) {
  const double f = std::clamp(load, 0, 100) / 100.0;
  auto mix = [f](int a, int b) { return static_cast<int>(a + (b - a) * f); };
  return QColor(mix(kEmpty.red(), kFull.red()), mix(kEmpty.green(), kFull.green()),
                mix(kEmpty.blue(), kFull.blue()));
}

}  // namespace

BusyNavigator::BusyNavigator(QWidget* parent) : QWidget(parent, Qt::Tool) {
  setWindowTitle("31-Day Busy Navigator");
  setMinimumSize(kCellWidth * kBusyNavigatorDays + 2, kCellHeight + 2);
  resize(minimumSize());
}

void BusyNavigator::SetDays(std::vector<BusyDay> days, DayNumber today, DayNumber viewed) {
  m_days = std::move(days);
  m_today = today;
  m_viewed = viewed;
  update();
}

QRect BusyNavigator::CellRect(int index) const {
  const int width =
      std::max(1, (this->width() - 2) / std::max<int>(1, static_cast<int>(m_days.size())));
  return QRect(1 + index * width, 1, width, height() - 2);
}

void BusyNavigator::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().color(QPalette::Window));
  QFont small = font();
  small.setPointSizeF(std::max(6.0, small.pointSizeF() * 0.85));
  for (int i = 0; i < static_cast<int>(m_days.size()); ++i) {
    const BusyDay& day = m_days[static_cast<size_t>(i)];
    const QRect cell = CellRect(i);
    p.fillRect(cell, Shade(day.load));
    p.setPen(
        QPen(day.date == m_viewed ? Qt::red : QColor(120, 120, 120), day.date == m_viewed ? 2 : 1));
    p.drawRect(cell.adjusted(0, 0, -1, -1));
    p.setPen(day.load >= kDarkFrom ? Qt::white : Qt::black);
    QFont f = font();
    f.setBold(day.date == m_today);
    p.setFont(f);
    p.drawText(cell.adjusted(0, 2, 0, -cell.height() / 2), Qt::AlignCenter,
               QString::number(DayOfMonth(day.date)));
    p.setFont(small);
    p.drawText(cell.adjusted(0, cell.height() / 2, 0, -2), Qt::AlignCenter,
               QString::number(day.load) + "%");
  }
}

void BusyNavigator::mousePressEvent(QMouseEvent* event) {
  for (int i = 0; i < static_cast<int>(m_days.size()); ++i) {
    if (CellRect(i).contains(event->position().toPoint())) {
      emit dateChosen(m_days[static_cast<size_t>(i)].date);
      return;
    }
  }
}

}  // namespace ploven
