#pragma once

#include <QDialog>

#include "printouts/printout_request.h"
#include "store/date_format.h"
#include "store/date_parse.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace ploven {

class Messages;

// The days of a Range of Days printout, typed as dates are typed anywhere in the program, and
// for the appointment calendar its layout. OK keeps the dialog open while a date is refused.
class PrintRangeDialog : public QDialog {
  Q_OBJECT

 public:
  // `calendar` adds the format choice.
  PrintRangeDialog(bool calendar, DayNumber from, DayNumber to, const DateText& text,
                   const ParseContext& context, Messages& messages, QWidget* owner = nullptr);

  DayNumber from() const { return m_from; }
  DayNumber to() const { return m_to; }
  CalendarFormat format() const;

  QLineEdit* fromField() const { return m_fromField; }
  QLineEdit* toField() const { return m_toField; }
  QComboBox* formatBox() const { return m_format; }
  QLabel* statusLine() const { return m_status; }

  static constexpr int kMaxDays = 366;

 public slots:
  void accept() override;

 private:
  DateText m_text;
  ParseContext m_context;
  DayNumber m_from;
  DayNumber m_to;
  QLineEdit* m_fromField = nullptr;
  QLineEdit* m_toField = nullptr;
  QComboBox* m_format = nullptr;
  QLabel* m_status = nullptr;
};

}  // namespace ploven
