#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "edit/item_edit.h"
#include "edit/item_form.h"
#include "engine/engine_hold.h"
#include "store/date_format.h"
#include "store/date_parse.h"

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSpinBox;

namespace ploven {

class Messages;
class Recurrences;

// Results of the dialog beyond QDialog's Accepted (1: the item was made or changed) and
// Rejected (0: cancelled).
inline constexpr int kItemDialogDelete = 2;           // Delete: the caller deletes the item
inline constexpr int kItemDialogInstanceDeleted = 3;  // the instance shown was cancelled

// The item properties dialog: the Qt face of an ItemEditSession. Every control writes its field
// of the working copy as soon as it changes (text fields when they are left), the core's rules
// run on it, and the working copy is shown again in every control. While the dialog exists it
// holds the engine: Balance All Days and Balance Day wait until it is closed.
class ItemPropertiesDialog : public QDialog {
  Q_OBJECT

 public:
  ItemPropertiesDialog(ItemEditSession& session, Engine& engine, Recurrences* recurrences,
                       const DateText& text, const ParseContext& context, Messages& messages,
                       ItemEditHooks hooks, std::array<bool, 7> workdays, QWidget* owner = nullptr);

  // The controls, for tests and for the caller; a control the form does not carry is null.
  QPlainTextEdit* titleField() const { return m_title; }
  QCheckBox* alarmBox() const { return m_alarm; }
  QPushButton* alarmButton() const { return m_alarmButton; }
  QPushButton* noteButton() const { return m_note; }
  QRadioButton* setDateButton() const { return m_setDate; }
  QRadioButton* flexibleButton() const { return m_flexible; }
  QLineEdit* dateField() const { return m_date; }
  QLineEdit* earliestDateField() const { return m_earliestDate; }
  QLineEdit* earliestTimeOfDateField() const { return m_earliestDateTime; }
  QLineEdit* deadlineDateField() const { return m_deadlineDate; }
  QLineEdit* deadlineTimeField() const { return m_deadlineTime; }
  QLineEdit* startTimeField() const { return m_startTime; }
  QLineEdit* durationField() const { return m_duration; }
  QCheckBox* splittableBox() const { return m_split; }
  QLineEdit* fluidEarliestField() const { return m_fluidEarliest; }
  QLineEdit* fluidLatestField() const { return m_fluidLatest; }
  QCheckBox* workHoursBox() const { return m_workHours; }
  QCheckBox* afterHoursBox() const { return m_afterHours; }
  QCheckBox* weekdayBox(int weekday) const { return m_weekdays[static_cast<size_t>(weekday)]; }
  QPushButton* weekdaysButton() const { return m_weekdaysButton; }
  QPushButton* weekendButton() const { return m_weekendButton; }
  QCheckBox* hideBox() const { return m_hide; }
  QComboBox* tierBox() const { return m_tier; }
  QScrollBar* rankBar() const { return m_rank; }
  QLabel* rankText() const { return m_rankText; }
  QDoubleSpinBox* expectedReturnField() const { return m_expectedReturn; }
  QLineEdit* returnPerHourField() const { return m_returnPerHour; }
  QComboBox* prereqBox() const { return m_prereq; }
  QSpinBox* prereqDaysField() const { return m_prereqDays; }
  QLineEdit* prereqTimeField() const { return m_prereqTime; }
  QCheckBox* recurringBox() const { return m_recurring; }
  QPushButton* recurringButton() const { return m_recurringButton; }
  QRadioButton* modifyEveryButton() const { return m_modifyEvery; }
  QRadioButton* modifyOneButton() const { return m_modifyOne; }
  QPushButton* priorButton() const { return m_prior; }
  QPushButton* nextButton() const { return m_next; }
  QPushButton* deleteInstanceButton() const { return m_deleteInstance; }
  QCheckBox* cloneOnDoneBox() const { return m_cloneOnDone; }
  QComboBox* projectBox() const { return m_project; }
  QComboBox* labelBox() const { return m_label; }
  QSpinBox* jobNumberField() const { return m_jobNumber; }
  QCheckBox* underscoredBox() const { return m_underscored; }
  QCheckBox* hopeBox() const { return m_hope; }
  QSpinBox* firstYearField() const { return m_firstYear; }
  QSpinBox* reminderDaysField() const { return m_reminderDays; }
  QDoubleSpinBox* amountField() const { return m_amount; }
  QPushButton* okButton() const { return m_ok; }
  QPushButton* deleteButton() const { return m_delete; }

  // What the session's working copy holds now.
  const ItemDraft& draft() const { return m_session.draft; }

 public slots:
  // Reads every text field, then confirms the working copy; stays open when a field cannot be
  // read or the core keeps it open.
  void accept() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class TextKind { kDate, kTime, kDuration };
  // A text field and the working-copy field it edits.
  struct TextField {
    QLineEdit* field;
    TextKind kind;
    bool required;  // empty is refused rather than read as none
    std::function<int(const ItemDraft&)> get;
    std::function<void(ItemDraft&, int)> put;
  };
  void BuildLayout(const ItemFormFields& c);
  QWidget* BuildDateGroup(const ItemFormFields& c);
  QWidget* BuildTimeGroup(const ItemFormFields& c);
  QWidget* BuildFluidGroup();
  QWidget* BuildDaysGroup();
  QWidget* BuildImportanceGroup(const ItemFormFields& c);
  QWidget* BuildPrereqGroup();
  QWidget* BuildRecurrenceGroup(const ItemFormFields& c);
  QWidget* BuildOtherGroup(const ItemFormFields& c);
  void Connect();
  void FillProjects();
  void FillPrereqs();

  // Puts the working copy into every control and applies the enables. A text field whose text
  // cannot be read keeps it, so that OK still names it.
  void ShowDraft(bool overwriteAll = false);
  void UpdateEnables();
  void ShowRank();
  // The field's text read by its parser; nothing (told when `tell`) when it cannot be read.
  std::optional<int> Parse(const TextField& f, bool tell);
  QString Format(const TextField& f) const;
  const TextField* FieldOf(const QLineEdit* w) const;
  // OK's reading of every text field in tab order; false at the first that cannot be read.
  bool ReadAllFields();
  void OnFieldLeft(QLineEdit* field);
  void OnRecurringClicked(bool checked);
  void EditRecurrence();
  void OnAlarmClicked(bool checked);
  void Step(int direction);
  void FocusOn(ConfirmResult::Focus focus);

  ItemEditSession& m_session;
  Engine& m_engine;
  EngineHold m_hold;
  Recurrences* m_recurrences;
  DateText m_text;
  ParseContext m_context;
  Messages& m_messages;
  ItemEditHooks m_hooks;
  std::array<bool, 7> m_workdays;
  bool m_showing = false;

  QPlainTextEdit* m_title = nullptr;
  QPushButton* m_note = nullptr;
  QCheckBox* m_alarm = nullptr;
  QPushButton* m_alarmButton = nullptr;
  QRadioButton* m_setDate = nullptr;
  QRadioButton* m_flexible = nullptr;
  QLineEdit* m_date = nullptr;
  QLineEdit* m_earliestDate = nullptr;
  QLineEdit* m_earliestDateTime = nullptr;
  QLineEdit* m_deadlineDate = nullptr;
  QLineEdit* m_deadlineTime = nullptr;
  QLineEdit* m_startTime = nullptr;
  QLineEdit* m_duration = nullptr;
  QCheckBox* m_split = nullptr;
  QLineEdit* m_fluidEarliest = nullptr;
  QLineEdit* m_fluidLatest = nullptr;
  QCheckBox* m_workHours = nullptr;
  QCheckBox* m_afterHours = nullptr;
  std::array<QCheckBox*, 7> m_weekdays{};
  QPushButton* m_weekdaysButton = nullptr;
  QPushButton* m_weekendButton = nullptr;
  QCheckBox* m_hide = nullptr;
  QComboBox* m_tier = nullptr;
  QScrollBar* m_rank = nullptr;
  QLabel* m_rankText = nullptr;
  QDoubleSpinBox* m_expectedReturn = nullptr;
  QLineEdit* m_returnPerHour = nullptr;
  QComboBox* m_prereq = nullptr;
  QSpinBox* m_prereqDays = nullptr;
  QLineEdit* m_prereqTime = nullptr;
  QCheckBox* m_recurring = nullptr;
  QPushButton* m_recurringButton = nullptr;
  QRadioButton* m_modifyEvery = nullptr;
  QRadioButton* m_modifyOne = nullptr;
  QPushButton* m_prior = nullptr;
  QPushButton* m_next = nullptr;
  QPushButton* m_deleteInstance = nullptr;
  QCheckBox* m_cloneOnDone = nullptr;
  QComboBox* m_project = nullptr;
  QComboBox* m_label = nullptr;
  QSpinBox* m_jobNumber = nullptr;
  QCheckBox* m_underscored = nullptr;
  QCheckBox* m_hope = nullptr;
  QSpinBox* m_firstYear = nullptr;
  QSpinBox* m_reminderDays = nullptr;
  QDoubleSpinBox* m_amount = nullptr;
  QPushButton* m_ok = nullptr;
  QPushButton* m_delete = nullptr;
  std::vector<TextField> m_textFields;  // in tab order: the order OK reads them
};

// Opens the dialog modally on a session OpenItemEdit filled. 1 when the item was made or
// changed, 0 when cancelled, kItemDialogDelete or kItemDialogInstanceDeleted.
int RunItemPropertiesDialog(QWidget* owner, ItemEditSession& session, Engine& engine,
                            Recurrences* recurrences, const DateText& text,
                            const ParseContext& context, Messages& messages,
                            const ItemEditHooks& hooks, std::array<bool, 7> workdays);

}  // namespace ploven
