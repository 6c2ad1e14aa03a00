#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "store/date_types.h"

class QCheckBox;
class QListWidget;

namespace ploven {

// The Daily Reminder: the events near today and the work left undone on recent days. The user
// can go to a line's day, and can turn the reminder off for the days to come.
class DailyReminderDialog : public QDialog {
  Q_OBJECT

 public:
  struct Line {
    std::string text;
    DayNumber day = kNoDate;
  };
  DailyReminderDialog(QWidget* parent, const std::vector<Line>& lines, bool showEachDay);

  // The day of the line chosen with Go to Day or a double-click; kNoDate when closed.
  DayNumber chosenDay() const { return m_chosen; }
  bool showEachDay() const;

 private:
  void GoToChosen();

  std::vector<Line> m_lines;
  QListWidget* m_list = nullptr;
  QCheckBox* m_showEachDay = nullptr;
  DayNumber m_chosen = kNoDate;
};

}  // namespace ploven
