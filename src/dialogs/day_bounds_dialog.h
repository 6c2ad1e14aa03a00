#pragma once

#include <QDialog>
#include <vector>

#include "store/act_handle.h"
#include "store/date_format.h"
#include "store/date_parse.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace ploven {

class Schedule;

// Day Bounds Settings: the window of the day for flexible items and the recurring items that
// open and close every day. OK keeps the dialog open while an entry is refused.
class DayBoundsDialog : public QDialog {
  Q_OBJECT

 public:
  DayBoundsDialog(Schedule& schedule, const DateText& text, QWidget* owner = nullptr);

  QLineEdit* earliestField() const { return m_earliest; }
  QLineEdit* latestField() const { return m_latest; }
  QComboBox* firstBox() const { return m_first; }
  QComboBox* lastBox() const { return m_last; }
  QLabel* statusLine() const { return m_status; }
  // Index in the two boxes of a recurring definition (0 is "none"); -1 when not listed.
  int IndexOf(ActHandle definition) const;

 public slots:
  void accept() override;

 private:
  void UpdateStatus();
  ActHandle Chosen(const QComboBox* box) const;

  Schedule& m_s;
  DateText m_text;
  ParseContext m_context;
  std::vector<ActHandle> m_definitions;
  QLineEdit* m_earliest = nullptr;
  QLineEdit* m_latest = nullptr;
  QComboBox* m_first = nullptr;
  QComboBox* m_last = nullptr;
  QLabel* m_status = nullptr;
};

// Shows the dialog; true when OK took new settings over (the views are then refreshed and the
// schedule marked changed).
bool RunDayBoundsDialog(QWidget* owner, Schedule& schedule, const DateText& text);

}  // namespace ploven
