#pragma once

#include <QDialog>
#include <array>
#include <optional>

#include "recur/recurrence_dialog.h"
#include "store/beta_record.h"
#include "store/date_format.h"
#include "store/date_parse.h"

class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace ploven {

class Messages;

// What the window needs beyond the record it edits.
struct RecurrenceWindowSetup {
  DateText dateText;
  ParseContext parse;
  // Filled in when the record has no Start Date: today when the main window shows a list view,
  // otherwise the date of the day shown.
  DayNumber defaultStart = 0;
  // The "4-4-5 Calendar Support" preference: only then is the fifth-week mode offered.
  bool fifthWeekSupport = false;
  // Light Mode shows the reduced form: the options the expansion ignores there are left out.
  bool lightMode = false;
  // The item's own Date Becomes Flexible Upon Arrival flag, edited here beside the record.
  bool flexibleOnArrival = false;
};

struct RecurrenceWindowResult {
  Beta beta;
  bool flexibleOnArrival = false;
};

// "Item: Recurring": the Qt face of the recurrence dialog's core. Every control writes into a
// RecurrenceDialogState and the core decides enables, month-mode flags and the OK checks.
class RecurrenceDialogWindow : public QDialog {
  Q_OBJECT

 public:
  RecurrenceDialogWindow(Messages& messages, const Beta& beta, const RecurrenceWindowSetup& setup,
                         QWidget* owner = nullptr);

  // Set once OK has passed its checks.
  const std::optional<RecurrenceWindowResult>& result() const { return m_result; }
  // The controls as the core sees them now.
  const RecurrenceDialogState& state() const { return m_state; }

  QLineEdit* startField() const { return m_start; }
  QLineEdit* endField() const { return m_end; }
  QRadioButton* frequencyButton(FrequencyChoice choice) const;
  QLineEdit* countField(CountUnit unit) const { return m_counts[static_cast<size_t>(unit)]; }
  QToolButton* weekdayButton(int weekday) const;  // 0 = Sunday
  QPushButton* workWeekdaysButton() const { return m_workWeekdays; }
  QPushButton* weekendButton() const { return m_weekend; }
  QRadioButton* monthModeButton(MonthMode mode) const;  // nullptr when not offered
  QToolButton* gridButton(int row, int column) const;
  QCheckBox* nearestDayBox() const { return m_nearest; }
  QCheckBox* onOrBeforeBox() const { return m_onOrBefore; }
  QCheckBox* onOrAfterBox() const { return m_onOrAfter; }
  QCheckBox* fullMoonsBox() const { return m_fullMoons; }
  QCheckBox* seasonalBox() const { return m_seasonal; }
  QCheckBox* flexibleBox() const { return m_flexible; }
  QRadioButton* bringForwardButton(BringForwardAction action) const;

 public slots:
  void accept() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildLayout(const RecurrenceWindowSetup& setup);
  QWidget* BuildFrequencyGroup();
  QWidget* BuildMonthGroup(bool fifthWeekSupport);
  QWidget* BuildBringForwardGroup();
  void OnCountEdited(CountUnit unit, const QString& text);
  void OnMonthMode(MonthMode mode);
  // Puts the state into the controls and applies the core's enables.
  void ShowState();
  void ShowGridCaptions();
  bool ReadDate(QLineEdit* field, DayNumber& day);

  Messages& m_messages;
  DateText m_dateText;
  ParseContext m_parse;
  RecurrenceDialogState m_state;
  // Each month mode keeps its own grid, so trying another mode loses nothing.
  std::array<std::array<std::array<bool, 7>, 5>, 3> m_grids{};
  std::optional<RecurrenceWindowResult> m_result;
  bool m_showing = false;

  QLineEdit* m_start = nullptr;
  QLineEdit* m_end = nullptr;
  std::array<QRadioButton*, 8> m_frequency{};
  std::array<QLineEdit*, 4> m_counts{};
  std::array<QToolButton*, 7> m_weekdays{};
  QPushButton* m_workWeekdays = nullptr;
  QPushButton* m_weekend = nullptr;
  std::array<QRadioButton*, 3> m_monthModes{};
  std::array<std::array<QToolButton*, 7>, 5> m_grid{};
  std::array<QLabel*, 5> m_rowLabels{};
  std::array<QLabel*, 7> m_columnLabels{};
  QCheckBox* m_nearest = nullptr;
  QCheckBox* m_onOrBefore = nullptr;
  QCheckBox* m_onOrAfter = nullptr;
  QCheckBox* m_fullMoons = nullptr;
  QCheckBox* m_seasonal = nullptr;
  QCheckBox* m_flexible = nullptr;
  std::array<QRadioButton*, 3> m_bringForward{};
};

// Opens the window modally on `beta` (a zeroed record for a new item); the confirmed record and
// flag, or nothing on Cancel.
std::optional<RecurrenceWindowResult> RunRecurrenceDialog(QWidget* owner, Messages& messages,
                                                          const Beta& beta,
                                                          const RecurrenceWindowSetup& setup);

}  // namespace ploven
