#pragma once

#include <QWidget>
#include <vector>

#include "engine/busy_days.h"

namespace ploven {

// The 31-day busy navigator: a strip of the days ahead, each shaded by how full it is, with its
// day of the month and its load. A click on a day goes to it.
class BusyNavigator : public QWidget {
  Q_OBJECT

 public:
  explicit BusyNavigator(QWidget* parent = nullptr);

  void SetDays(std::vector<BusyDay> days, DayNumber today, DayNumber viewed);
  const std::vector<BusyDay>& days() const { return m_days; }
  // The cell of the day at `index`, for the clicks (and the tests).
  QRect CellRect(int index) const;

 signals:
  void dateChosen(DayNumber date);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  std::vector<BusyDay> m_days;
  DayNumber m_today = kNoDate;
  DayNumber m_viewed = kNoDate;
};

}  // namespace ploven
