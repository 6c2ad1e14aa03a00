#pragma once

#include <QDialog>
#include <optional>

#include "cli/item_entry.h"
#include "store/date_format.h"
#include "store/date_parse.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace ploven {

class Messages;

// The New Item dialog's general fields: title, Set Date or Flexible Date with its date, Earliest
// begin and Deadline, Set Start Time, Duration, Memo, Splittable and the priority tier. OK reads
// every field with the program's date, time and duration readers; a field that cannot be read
// is told and the dialog stays open.
class NewItemDialog : public QDialog {
  Q_OBJECT

 public:
  NewItemDialog(const DateText& text, const ParseContext& context, Messages& messages,
                DayNumber date, QWidget* owner = nullptr);

  // The request the fields make; nothing (told) when one cannot be read.
  std::optional<cli::NewItemRequest> Request();
  // What OK accepted.
  const std::optional<cli::NewItemRequest>& accepted() const { return m_request; }

  QLineEdit* title() const { return m_title; }
  QLineEdit* date() const { return m_date; }
  QLineEdit* start() const { return m_start; }
  QLineEdit* duration() const { return m_duration; }
  QLineEdit* earliest() const { return m_earliest; }
  QLineEdit* deadline() const { return m_deadline; }
  QRadioButton* flexible() const { return m_flexible; }
  QCheckBox* memo() const { return m_memo; }
  // The rule chosen with "Recurring...", when the item is to recur.
  const std::optional<Beta>& recurrence() const { return m_recurrence; }
  void SetRecurrence(std::optional<Beta> rule);

 public slots:
  void accept() override;

 private:
  void UpdateEnabled();
  void AskRecurrence();

  const DateText& m_text;
  ParseContext m_context;
  Messages& m_messages;
  QLineEdit* m_title = nullptr;
  QRadioButton* m_setDate = nullptr;
  QRadioButton* m_flexible = nullptr;
  QLineEdit* m_date = nullptr;
  QLineEdit* m_earliest = nullptr;
  QLineEdit* m_deadline = nullptr;
  QLineEdit* m_start = nullptr;
  QLineEdit* m_duration = nullptr;
  QCheckBox* m_memo = nullptr;
  QCheckBox* m_split = nullptr;
  QComboBox* m_tier = nullptr;
  class QPushButton* m_recurring = nullptr;
  std::optional<Beta> m_recurrence;
  std::optional<cli::NewItemRequest> m_request;
};

}  // namespace ploven
