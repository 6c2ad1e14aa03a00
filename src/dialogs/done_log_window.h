#pragma once

#include <QDialog>
#include <functional>

#include "done/done_month_list.h"
#include "store/date_format.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace ploven {

// Viewed Month's Done Items Log: the month's done items, from its log and from the days the
// schedule still holds, in sortable columns, with the totals of what the filter shows. A double
// click on an item still in the schedule opens it (`openItem`).
class DoneLogWindow : public QDialog {
  Q_OBJECT

 public:
  DoneLogWindow(DoneMonthList list, const std::string& caption, const DateText& text,
                std::function<void(TaskNode*)> openItem, QWidget* owner = nullptr);

  void SetOpener(std::function<void(TaskNode*)> openItem) { m_openItem = std::move(openItem); }
  // The "Time Report..." button; hidden until it is given.
  void SetTimeReportOpener(std::function<void()> open);

  QTableWidget* table() const { return m_table; }
  QComboBox* projectBox() const { return m_project; }
  QLineEdit* wordsField() const { return m_words; }
  QLabel* totalsLine() const { return m_totals; }
  QLabel* problemsLine() const { return m_problems; }

 private:
  void Fill();
  void ApplyFilter();
  DoneListFilter Filter() const;

  DoneMonthList m_list;
  DateText m_text;
  std::function<void(TaskNode*)> m_openItem;
  std::function<void()> m_openTimeReport;
  QPushButton* m_timeReport = nullptr;
  QTableWidget* m_table = nullptr;
  QComboBox* m_project = nullptr;
  QLineEdit* m_words = nullptr;
  QLabel* m_totals = nullptr;
  QLabel* m_problems = nullptr;
};

}  // namespace ploven
