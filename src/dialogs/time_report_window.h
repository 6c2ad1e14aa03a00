#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "done/time_report.h"
#include "store/date_format.h"
#include "store/date_parse.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace ploven {

// The time done work took, per project over the dates asked, per project and day or per project
// and week: from the done logs and the schedule together. "Save CSV..." writes the same table
// for a spreadsheet.
class TimeReportWindow : public QDialog {
  Q_OBJECT

 public:
  // `build` makes the report of the dates (and tells of damaged log lines).
  using Builder =
      std::function<TimeReport(DayNumber, DayNumber, TimeReportBy, std::vector<DoneLogProblem>&)>;
  TimeReportWindow(Builder build, DayNumber from, DayNumber to, const DateText& text,
                   const ParseContext& context, Messages& messages, QWidget* owner = nullptr);

  QLineEdit* fromField() const { return m_from; }
  QLineEdit* toField() const { return m_to; }
  QComboBox* byBox() const { return m_by; }
  QTableWidget* table() const { return m_table; }
  QLabel* totalsLine() const { return m_totals; }
  const TimeReport& report() const { return m_report; }
  // Reads the dates and makes the report again; false when a date cannot be read (told).
  bool Rebuild();

 private:
  void SaveCsv();

  Builder m_build;
  DateText m_text;
  ParseContext m_context;
  Messages& m_msg;
  TimeReport m_report;
  TimeReportBy m_shownBy = TimeReportBy::kProject;
  QLineEdit* m_from = nullptr;
  QLineEdit* m_to = nullptr;
  QComboBox* m_by = nullptr;
  QTableWidget* m_table = nullptr;
  QLabel* m_totals = nullptr;
  QLabel* m_problems = nullptr;
};

}  // namespace ploven
