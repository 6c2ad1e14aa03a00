#include "dialogs/item_properties_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>
#include <limits>

#include "dialogs/item_dialog_messages.h"
#include "dialogs/labels_dialog.h"
#include "dialogs/recurrence_dialog_window.h"
#include "engine/engine.h"
#include "platform/messages.h"
#include "store/act_flags.h"
#include "store/priority_index.h"
#include "store/projects.h"
#include "store/schedule.h"

namespace ploven {

namespace t = item_dialog_text;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Titles keep their lines separated by CR LF; the edit field works with LF.
QString TitleForEdit(const std::string& stored) {
  return Q(stored).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
std::string TitleForStore(const QString& edited) {
  QString s = edited;
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QChar(0x2029), QChar('\n'));  // a paragraph break of the edit field
  return s.replace(QStringLiteral("\n"), QStringLiteral("\r\n")).toStdString();
}

QLineEdit* NarrowField(QWidget* parent, int chars, const char* hint = nullptr) {
  auto* field = new QLineEdit(parent);
  const int width = field->fontMetrics().horizontalAdvance(QString(chars, QChar('0')));
  field->setMinimumWidth(width + 16);
  field->setMaximumWidth(width + 40);
  if (hint != nullptr) field->setPlaceholderText(hint);
  return field;
}

QWidget* Row(QWidget* parent, std::initializer_list<QWidget*> widgets, bool stretch = true) {
  auto* row = new QWidget(parent);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  for (QWidget* w : widgets) layout->addWidget(w);
  if (stretch) layout->addStretch();
  return row;
}

constexpr uint8_t kFirstTier = 'A';
constexpr int kTierCount = 26;

}  // namespace

ItemPropertiesDialog::ItemPropertiesDialog(ItemEditSession& session, Engine& engine,
                                           Recurrences* recurrences, const DateText& text,
                                           const ParseContext& context, Messages& messages,
                                           ItemEditHooks hooks, std::array<bool, 7> workdays,
                                           QWidget* owner)
    : QDialog(owner),
      m_session(session),
      m_engine(engine),
      m_hold(engine, EngineHoldReason::kItemDialog),
      m_recurrences(recurrences),
      m_text(text),
      m_context(context),
      m_messages(messages),
      m_hooks(std::move(hooks)),
      m_workdays(workdays) {
  setWindowTitle(Q(session.caption));
  BuildLayout(ItemFormFields::For(session.form, session.draft.act.typeFlags));
  Connect();
  ShowDraft(true);
  m_title->setFocus();
  m_title->selectAll();
}

// ---- Layout ----------------------------------------------------------------------------

void ItemPropertiesDialog::BuildLayout(const ItemFormFields& c) {
  auto* layout = new QVBoxLayout(this);

  // The title, with the note and alarm beside it.
  auto* top = new QGridLayout;
  auto* titleLabel = new QLabel(t::kTitleLabel, this);
  m_title = new QPlainTextEdit(this);
  m_title->setTabChangesFocus(true);
  m_title->setPlaceholderText(t::kTitleHint);
  m_title->setMinimumWidth(380);
  m_title->setFixedHeight(m_title->fontMetrics().lineSpacing() * 3 + 14);
  m_title->installEventFilter(this);
  titleLabel->setBuddy(m_title);
  top->addWidget(titleLabel, 0, 0, Qt::AlignTop | Qt::AlignLeft);
  top->addWidget(m_title, 0, 1);
  if (c.note || c.alarm) {
    auto* side = new QVBoxLayout;
    if (c.note) {
      m_note = new QPushButton(t::kNoteButton, this);
      m_note->setEnabled(static_cast<bool>(m_hooks.openNote));
      connect(m_note, &QPushButton::clicked, this, [this] { m_hooks.openNote(m_session.item); });
      side->addWidget(m_note);
    }
    if (c.alarm) {
      m_alarm = new QCheckBox(t::kAlarmBox, this);
      m_alarmButton = new QPushButton(t::kAlarmButton, this);
      side->addWidget(m_alarm);
      side->addWidget(m_alarmButton);
    }
    side->addStretch();
    top->addLayout(side, 0, 2);
  }
  top->setColumnStretch(1, 1);
  layout->addLayout(top);

  // The general form puts its groups in two columns; the small forms in one.
  const bool general = c.fluid;
  auto* columns = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  auto* right = general ? new QVBoxLayout : left;
  left->addWidget(BuildDateGroup(c));
  if (c.startTime || c.duration || c.splittable) left->addWidget(BuildTimeGroup(c));
  if (c.fluid) left->addWidget(BuildFluidGroup());
  const bool other = c.cloneOnDone || c.project || c.label || c.jobNumber || c.firstYear ||
                     c.reminderDays || c.amount;
  // Groups are made in tab order: down the left column, then down the right.
  if (general && other) left->addWidget(BuildOtherGroup(c));
  if (c.hide || c.tier || c.expectedReturn) right->addWidget(BuildImportanceGroup(c));
  if (c.prereq) right->addWidget(BuildPrereqGroup());
  if (c.recurring) right->addWidget(BuildRecurrenceGroup(c));
  if (c.days) right->addWidget(BuildDaysGroup());
  if (!general && other) left->addWidget(BuildOtherGroup(c));
  left->addStretch();
  columns->addLayout(left, 1);
  if (general) {
    right->addStretch();
    columns->addLayout(right, 1);
  }
  layout->addLayout(columns);

  // OK, Cancel, Help, Delete.
  auto* buttons = new QHBoxLayout;
  const bool preferences = m_session.mode == ItemDialogMode::kPreferences;
  m_ok = new QPushButton(preferences ? t::kSaveAsDefault : t::kOk, this);
  m_ok->setDefault(true);
  auto* cancel = new QPushButton(t::kCancel, this);
  auto* help = new QPushButton(t::kHelp, this);
  buttons->addStretch();
  buttons->addWidget(m_ok);
  buttons->addWidget(cancel);
  buttons->addWidget(help);
  // Only an existing item can be deleted.
  if (m_session.mode != ItemDialogMode::kNew && !preferences) {
    m_delete = new QPushButton(t::kDelete, this);
    m_delete->setAutoDefault(false);
    buttons->addWidget(m_delete);
    connect(m_delete, &QPushButton::clicked, this, [this] { done(kItemDialogDelete); });
  }
  layout->addLayout(buttons);
  connect(m_ok, &QPushButton::clicked, this, &ItemPropertiesDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this,
          [this] { m_messages.OpenHelpTopic(m_session.helpTopic); });
  for (QPushButton* b : {cancel, help}) b->setAutoDefault(false);
}

QWidget* ItemPropertiesDialog::BuildDateGroup(const ItemFormFields& c) {
  auto* group = new QGroupBox(t::kDateGroup, this);
  auto* form = new QGridLayout(group);
  int row = 0;
  if (c.setFlexible) {
    m_setDate = new QRadioButton(t::kSetDate, group);
    m_flexible = new QRadioButton(t::kFlexibleDate, group);
    form->addWidget(Row(group, {m_setDate, m_flexible}), row++, 0, 1, 4);
  }
  auto addDate = [&](const char* label, QLineEdit*& dateField, QLineEdit** timeField) {
    auto* caption = new QLabel(label, group);
    dateField = NarrowField(group, 14, timeField != nullptr ? t::kNoneHint : nullptr);
    caption->setBuddy(dateField);
    form->addWidget(caption, row, 0);
    form->addWidget(dateField, row, 1);
    if (timeField != nullptr) {
      form->addWidget(new QLabel(t::kAtLabel, group), row, 2);
      *timeField = NarrowField(group, 7, t::kNoneHint);
      form->addWidget(*timeField, row, 3);
    }
    ++row;
  };
  addDate(c.endDate ? t::kStartDateLabel : t::kDateLabel, m_date, nullptr);
  if (c.endDate) addDate(t::kEndDateLabel, m_deadlineDate, nullptr);
  if (c.earliestDeadline) {
    addDate(t::kEarliestBeginLabel, m_earliestDate, &m_earliestDateTime);
    addDate(t::kDeadlineLabel, m_deadlineDate, &m_deadlineTime);
  }
  form->setColumnStretch(4, 1);
  return group;
}

QWidget* ItemPropertiesDialog::BuildTimeGroup(const ItemFormFields& c) {
  auto* group = new QGroupBox(t::kTimeGroup, this);
  auto* form = new QGridLayout(group);
  int row = 0;
  auto addField = [&](const char* label, QLineEdit*& field, const char* hint) {
    auto* caption = new QLabel(label, group);
    field = NarrowField(group, 7, hint);
    caption->setBuddy(field);
    form->addWidget(caption, row, 0);
    form->addWidget(field, row, 1);
    ++row;
  };
  if (c.startTime) addField(t::kStartTimeLabel, m_startTime, t::kNoneHint);
  if (c.duration) addField(t::kDurationLabel, m_duration, t::kHourMinuteHint);
  if (c.splittable) {
    m_split = new QCheckBox(t::kSplittable, group);
    form->addWidget(m_split, row++, 0, 1, 2);
  }
  form->setColumnStretch(2, 1);
  return group;
}

QWidget* ItemPropertiesDialog::BuildFluidGroup() {
  auto* group = new QGroupBox(t::kFluidGroup, this);
  auto* form = new QGridLayout(group);
  auto* earliest = new QLabel(t::kFluidEarliestLabel, group);
  m_fluidEarliest = NarrowField(group, 7, t::kNoneHint);
  earliest->setBuddy(m_fluidEarliest);
  auto* latest = new QLabel(t::kFluidLatestLabel, group);
  m_fluidLatest = NarrowField(group, 7, t::kNoneHint);
  latest->setBuddy(m_fluidLatest);
  form->addWidget(earliest, 0, 0);
  form->addWidget(m_fluidEarliest, 0, 1);
  form->addWidget(latest, 1, 0);
  form->addWidget(m_fluidLatest, 1, 1);
  m_workHours = new QCheckBox(t::kWorkHours, group);
  m_afterHours = new QCheckBox(t::kAfterWorkHours, group);
  form->addWidget(m_workHours, 0, 2);
  form->addWidget(m_afterHours, 1, 2);
  form->setColumnStretch(3, 1);
  form->setColumnMinimumWidth(2, 40);
  return group;
}

QWidget* ItemPropertiesDialog::BuildDaysGroup() {
  auto* group = new QGroupBox(t::kDaysGroup, this);
  auto* layout = new QVBoxLayout(group);
  auto* boxes = new QHBoxLayout;
  for (size_t day = 0; day < 7; ++day) {
    m_weekdays[day] = new QCheckBox(t::kWeekdayBoxes[day], group);
    boxes->addWidget(m_weekdays[day]);
  }
  boxes->addStretch();
  layout->addLayout(boxes);
  m_weekdaysButton = new QPushButton(t::kWeekdaysButton, group);
  m_weekendButton = new QPushButton(t::kWeekendButton, group);
  for (QPushButton* b : {m_weekdaysButton, m_weekendButton}) b->setAutoDefault(false);
  layout->addWidget(Row(group, {m_weekdaysButton, m_weekendButton}));
  return group;
}

QWidget* ItemPropertiesDialog::BuildImportanceGroup(const ItemFormFields& c) {
  auto* group = new QGroupBox(t::kImportanceGroup, this);
  auto* form = new QGridLayout(group);
  int row = 0;
  if (c.hide) {
    m_hide = new QCheckBox(t::kHide, group);
    form->addWidget(m_hide, row++, 0, 1, 3);
  }
  if (c.tier) {
    auto* caption = new QLabel(t::kTierLabel, group);
    m_tier = new QComboBox(group);
    for (int i = 0; i < kTierCount; ++i) m_tier->addItem(QString(QChar('A' + i)));
    caption->setBuddy(m_tier);
    form->addWidget(caption, row, 0);
    form->addWidget(m_tier, row, 1, Qt::AlignLeft);
    ++row;
  }
  if (c.rank) {
    form->addWidget(new QLabel(t::kRankLabel, group), row, 0);
    m_rank = new QScrollBar(Qt::Horizontal, group);
    m_rank->setMinimumWidth(140);
    m_rankText = new QLabel(group);
    m_rankText->setMinimumWidth(m_rankText->fontMetrics().horizontalAdvance("00000 of 00000"));
    form->addWidget(m_rank, row, 1);
    form->addWidget(m_rankText, row, 2);
    ++row;
  }
  if (c.expectedReturn) {
    auto* caption = new QLabel(t::kExpectedReturnLabel, group);
    m_expectedReturn = new QDoubleSpinBox(group);
    m_expectedReturn->setRange(-1e9, 1e9);
    m_expectedReturn->setDecimals(2);
    caption->setBuddy(m_expectedReturn);
    form->addWidget(caption, row, 0);
    form->addWidget(m_expectedReturn, row, 1, Qt::AlignLeft);
    ++row;
    form->addWidget(new QLabel(t::kReturnPerHourLabel, group), row, 0);
    m_returnPerHour = NarrowField(group, 10);
    m_returnPerHour->setReadOnly(true);
    m_returnPerHour->setFocusPolicy(Qt::NoFocus);
    form->addWidget(m_returnPerHour, row, 1, Qt::AlignLeft);
    ++row;
  }
  form->setColumnStretch(1, 1);
  return group;
}

QWidget* ItemPropertiesDialog::BuildPrereqGroup() {
  auto* group = new QGroupBox(t::kPrereqGroup, this);
  auto* layout = new QVBoxLayout(group);
  auto* caption = new QLabel(t::kPrereqItemLabel, group);
  m_prereq = new QComboBox(group);
  m_prereq->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  m_prereq->setMinimumContentsLength(24);
  caption->setBuddy(m_prereq);
  layout->addWidget(caption);
  layout->addWidget(m_prereq);
  m_prereqDays = new QSpinBox(group);
  m_prereqDays->setRange(0, 999);
  m_prereqTime = NarrowField(group, 6, t::kHourMinuteHint);
  layout->addWidget(Row(group, {new QLabel(t::kPrereqMustEnd, group), m_prereqDays,
                                new QLabel(t::kPrereqDays, group), m_prereqTime}));
  layout->addWidget(new QLabel(t::kPrereqEarlier, group));
  return group;
}

QWidget* ItemPropertiesDialog::BuildRecurrenceGroup(const ItemFormFields& c) {
  auto* group = new QGroupBox(t::kRecurrenceGroup, this);
  auto* layout = new QVBoxLayout(group);
  m_recurring = new QCheckBox(t::kRecurringBox, group);
  m_recurringButton = new QPushButton(t::kRecurringButton, group);
  m_recurringButton->setAutoDefault(false);
  layout->addWidget(Row(group, {m_recurring, m_recurringButton}));
  if (c.instances) {
    m_modifyEvery = new QRadioButton(t::kModifyEvery, group);
    m_modifyOne = new QRadioButton(t::kModifyOne, group);
    m_prior = new QPushButton(t::kPrior, group);
    m_next = new QPushButton(t::kNext, group);
    m_deleteInstance = new QPushButton(t::kDeleteInstance, group);
    for (QPushButton* b : {m_prior, m_next, m_deleteInstance}) b->setAutoDefault(false);
    layout->addWidget(m_modifyEvery);
    layout->addWidget(Row(group, {m_modifyOne, m_prior, m_next}));
    layout->addWidget(Row(group, {m_deleteInstance}));
  }
  return group;
}

QWidget* ItemPropertiesDialog::BuildOtherGroup(const ItemFormFields& c) {
  auto* group = new QGroupBox(t::kOtherGroup, this);
  auto* form = new QGridLayout(group);
  int row = 0;
  auto addRow = [&](const char* label, QWidget* field) {
    auto* caption = new QLabel(label, group);
    caption->setBuddy(field);
    form->addWidget(caption, row, 0);
    form->addWidget(field, row, 1, Qt::AlignLeft);
    ++row;
  };
  if (c.amount) {
    m_amount = new QDoubleSpinBox(group);
    m_amount->setRange(-1e9, 1e9);
    m_amount->setDecimals(2);
    addRow(t::kAmountLabel, m_amount);
  }
  if (c.firstYear) {
    m_firstYear = new QSpinBox(group);
    m_firstYear->setRange(0, 9999);
    m_firstYear->setSpecialValueText(t::kNoneHint);
    addRow(t::kFirstYearLabel, m_firstYear);
  }
  if (c.reminderDays) {
    m_reminderDays = new QSpinBox(group);
    m_reminderDays->setRange(std::numeric_limits<int8_t>::min(),
                             std::numeric_limits<int8_t>::max());
    addRow(t::kReminderDaysLabel, m_reminderDays);
  }
  if (c.cloneOnDone) {
    m_cloneOnDone = new QCheckBox(t::kCloneOnDone, group);
    form->addWidget(m_cloneOnDone, row++, 0, 1, 2);
  }
  if (c.project) {
    m_project = new QComboBox(group);
    m_project->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_project->setMinimumContentsLength(20);
    addRow(t::kProjectLabel, m_project);
    FillProjects();
  }
  if (c.label) {
    m_label = new QComboBox(group);
    const std::vector<std::string> names =
        m_hooks.labelNames.empty() ? DefaultLabelNames() : m_hooks.labelNames;
    for (const std::string& name : names) m_label->addItem(Q(name));
    addRow(t::kLabelLabel, m_label);
  }
  if (c.jobNumber) {
    m_jobNumber = new QSpinBox(group);
    m_jobNumber->setRange(0, std::numeric_limits<int32_t>::max());
    addRow(t::kJobNumberLabel, m_jobNumber);
  }
  if (c.underscored || c.hope) {
    std::vector<QCheckBox*> boxes;
    if (c.underscored) m_underscored = new QCheckBox(t::kUnderscored, group);
    if (c.hope) m_hope = new QCheckBox(t::kMemoHold, group);
    auto* row2 = new QWidget(group);
    auto* h = new QHBoxLayout(row2);
    h->setContentsMargins(0, 0, 0, 0);
    if (m_underscored != nullptr) h->addWidget(m_underscored);
    if (m_hope != nullptr) h->addWidget(m_hope);
    h->addStretch();
    form->addWidget(row2, row++, 0, 1, 2);
  }
  form->setColumnStretch(1, 1);
  return group;
}

void ItemPropertiesDialog::FillProjects() {
  const Schedule& s = m_engine.schedule();
  m_project->addItem(t::kProjectNone, 0u);
  for (const auto& [key, node] : s.projects()) {
    // A finished project takes no new items, unless this one is already in it.
    if (s.ReadAct(node.act).Has(AF_DONE) && node.id != m_session.draft.act.projectID) continue;
    m_project->addItem(Q(s.GetActTitle(node.act)), node.id);
  }
}

void ItemPropertiesDialog::FillPrereqs() {
  Schedule& s = m_engine.schedule();
  m_prereq->clear();
  m_prereq->addItem(t::kPrereqNone, 0u);
  for (const auto& [key, node] : s.actChain()) {
    if (node.act == kNoAct || !s.IsActValid(node.act)) continue;
    if (m_session.item != kNoAct && !s.IsActValid(m_session.item)) break;
    if (!s.CanBePrereq(node.act, m_session.item)) continue;
    // The handle rides along: the chosen item gets an ID only when it is chosen.
    m_prereq->addItem(Q(s.GetActTitle(node.act)), node.act);
  }
}

// ---- Wiring ------------------------------------------------------------------------------

void ItemPropertiesDialog::Connect() {
  ItemDraft& d = m_session.draft;
  auto flagBox = [this, &d](QCheckBox* box, uint32_t flag) {
    if (box == nullptr) return;
    connect(box, &QCheckBox::toggled, this, [this, &d, flag](bool on) {
      if (m_showing) return;
      d.Set(flag, on);
      ShowDraft();
    });
  };
  flagBox(m_split, AF_SPLIT);
  flagBox(m_hide, AF_HIDE);
  flagBox(m_cloneOnDone, AF_CLONE_ON_DONE);
  flagBox(m_underscored, AF_UNDERSCORED);
  flagBox(m_hope, AF_HOPE);
  // Work hours and after work hours exclude each other.
  auto hoursBox = [this, &d](QCheckBox* box, uint32_t flag, uint32_t other) {
    if (box == nullptr) return;
    connect(box, &QCheckBox::toggled, this, [this, &d, flag, other](bool on) {
      if (m_showing) return;
      d.Set(flag, on);
      if (on) d.Set(other, false);
      ShowDraft();
    });
  };
  hoursBox(m_workHours, AF_WORK_HOURS, AF_AFTER_HOURS);
  hoursBox(m_afterHours, AF_AFTER_HOURS, AF_WORK_HOURS);

  connect(m_title, &QPlainTextEdit::textChanged, this, [this, &d] {
    if (!m_showing) d.title = TitleForStore(m_title->toPlainText());
  });

  if (m_alarm != nullptr) {
    connect(m_alarm, &QCheckBox::clicked, this, &ItemPropertiesDialog::OnAlarmClicked);
    connect(m_alarmButton, &QPushButton::clicked, this, [this, &d] {
      if (!m_hooks.editAlarm) return;
      ItemDraft edited = d;
      if (m_hooks.editAlarm(edited)) d = edited;
      ShowDraft();
    });
  }

  if (m_setDate != nullptr) {
    connect(m_setDate, &QRadioButton::toggled, this, [this, &d](bool on) {
      if (m_showing || !on || !d.flexible()) return;
      const SetDateOutcome outcome = SetDateChosen(m_session, m_messages);
      d.Set(AF_FLEXIBLE, false);
      ShowDraft();
      if (outcome == SetDateOutcome::kEditLatestEnd && m_fluidLatest != nullptr)
        m_fluidLatest->setFocus();
    });
    connect(m_flexible, &QRadioButton::toggled, this, [this, &d](bool on) {
      if (m_showing || !on) return;
      d.Set(AF_FLEXIBLE, true);
      ShowDraft();
    });
  }

  // Text fields: the order they are listed is the order OK reads them.
  using Get = std::function<int(const ItemDraft&)>;
  using Put = std::function<void(ItemDraft&, int)>;
  auto addText = [this](QLineEdit* field, TextKind kind, bool required, Get get, Put put) {
    if (field == nullptr) return;
    m_textFields.push_back({field, kind, required, std::move(get), std::move(put)});
    connect(field, &QLineEdit::editingFinished, this, [this, field] { OnFieldLeft(field); });
  };
  auto i16 = [](int v) { return static_cast<int16_t>(v); };
  addText(m_date, TextKind::kDate, true, [](const ItemDraft& x) { return int{x.date}; },
          [i16](ItemDraft& x, int v) { x.date = i16(v); });
  addText(m_earliestDate, TextKind::kDate, false,
          [](const ItemDraft& x) { return int{x.act.earliestDate}; },
          [i16](ItemDraft& x, int v) { x.act.earliestDate = i16(v); });
  addText(m_earliestDateTime, TextKind::kTime, false,
          [](const ItemDraft& x) { return int{x.act.earliestDateTime}; },
          [i16](ItemDraft& x, int v) { x.act.earliestDateTime = i16(v); });
  addText(m_deadlineDate, TextKind::kDate, m_earliestDate == nullptr,  // a range needs its end
          [](const ItemDraft& x) { return int{x.act.deadlineDate}; },
          [i16](ItemDraft& x, int v) { x.act.deadlineDate = i16(v); });
  addText(m_deadlineTime, TextKind::kTime, false,
          [](const ItemDraft& x) { return int{x.act.deadlineTime}; },
          [i16](ItemDraft& x, int v) { x.act.deadlineTime = i16(v); });
  addText(m_startTime, TextKind::kTime, false,
          [](const ItemDraft& x) { return int{x.act.startTime}; },
          [i16](ItemDraft& x, int v) { x.act.startTime = i16(v); });
  addText(m_duration, TextKind::kDuration, false,
          [](const ItemDraft& x) { return int{x.act.duration}; },
          [i16](ItemDraft& x, int v) { x.act.duration = i16(v); });
  addText(m_fluidEarliest, TextKind::kTime, false,
          [](const ItemDraft& x) { return int{x.act.earliestTime}; },
          [i16](ItemDraft& x, int v) { x.act.earliestTime = i16(v); });
  addText(m_fluidLatest, TextKind::kTime, false,
          [](const ItemDraft& x) { return int{x.act.latestTime}; },
          [i16](ItemDraft& x, int v) { x.act.latestTime = i16(v); });
  addText(m_prereqTime, TextKind::kDuration, false,
          [](const ItemDraft& x) { return int{x.act.prereqMinutes}; },
          [i16](ItemDraft& x, int v) { x.act.prereqMinutes = i16(v); });

  for (size_t day = 0; day < 7; ++day) {
    if (m_weekdays[day] == nullptr) continue;
    const auto bit = static_cast<uint8_t>(1u << day);
    connect(m_weekdays[day], &QCheckBox::toggled, this, [this, &d, bit](bool on) {
      if (m_showing) return;
      d.act.weekdays = static_cast<uint8_t>(on ? (d.act.weekdays | bit) : (d.act.weekdays & ~bit));
    });
  }
  auto setDays = [this, &d](bool workdays) {
    uint8_t bits = 0;
    for (size_t day = 0; day < 7; ++day)
      if (m_workdays[day] == workdays) bits = static_cast<uint8_t>(bits | (1u << day));
    d.act.weekdays = bits;
    ShowDraft();
  };
  if (m_weekdaysButton != nullptr) {
    connect(m_weekdaysButton, &QPushButton::clicked, this, [setDays] { setDays(true); });
    connect(m_weekendButton, &QPushButton::clicked, this, [setDays] { setDays(false); });
  }

  if (m_tier != nullptr) {
    connect(m_tier, &QComboBox::currentIndexChanged, this, [this, &d](int index) {
      if (m_showing || index < 0) return;
      d.act.tier = static_cast<uint8_t>(kFirstTier + index);
      d.rank = 0;  // a new tier: its end
      ShowDraft();
    });
  }
  if (m_rank != nullptr) {
    connect(m_rank, &QScrollBar::valueChanged, this, [this, &d](int value) {
      if (m_showing) return;
      d.rank = value >= m_rank->maximum() ? 0 : value;
      ShowRank();
    });
  }
  if (m_expectedReturn != nullptr) {
    connect(m_expectedReturn, &QDoubleSpinBox::valueChanged, this, [this, &d](double value) {
      if (m_showing) return;
      d.act.expectedReturn = static_cast<float>(value);
      ShowDraft();
    });
  }
  if (m_prereq != nullptr) {
    connect(m_prereq, &QComboBox::activated, this, [this, &d](int index) {
      const auto h = m_prereq->itemData(index).value<ActHandle>();
      d.act.prereqID = h == kNoAct ? 0 : m_engine.schedule().GetActID(h);
    });
    connect(m_prereqDays, &QSpinBox::valueChanged, this, [this, &d](int value) {
      if (!m_showing) d.act.prereqDays = static_cast<int16_t>(value);
    });
  }
  if (m_recurring != nullptr) {
    connect(m_recurring, &QCheckBox::clicked, this, &ItemPropertiesDialog::OnRecurringClicked);
    connect(m_recurringButton, &QPushButton::clicked, this,
            &ItemPropertiesDialog::EditRecurrence);
  }
  if (m_modifyEvery != nullptr) {
    connect(m_modifyEvery, &QRadioButton::toggled, this, [this](bool on) {
      if (m_showing) return;
      m_session.modifyEveryInstance = on;
      ShowDraft();
    });
    connect(m_prior, &QPushButton::clicked, this, [this] { Step(-1); });
    connect(m_next, &QPushButton::clicked, this, [this] { Step(1); });
    connect(m_deleteInstance, &QPushButton::clicked, this, [this] {
      if (m_recurrences != nullptr && DeleteThisInstance(m_session, *m_recurrences))
        done(kItemDialogInstanceDeleted);
    });
  }
  if (m_project != nullptr) {
    connect(m_project, &QComboBox::activated, this, [this, &d](int index) {
      d.act.projectID = m_project->itemData(index).toUInt();
    });
  }
  if (m_label != nullptr) {
    connect(m_label, &QComboBox::activated, this,
            [&d](int index) { d.act.label = static_cast<uint8_t>(index); });
  }
  auto spin = [this](QSpinBox* box, std::function<void(int)> put) {
    if (box == nullptr) return;
    connect(box, &QSpinBox::valueChanged, this, [this, put](int value) {
      if (!m_showing) put(value);
    });
  };
  spin(m_jobNumber, [&d](int v) { d.act.jobNumber = v; });
  spin(m_firstYear, [&d](int v) { d.act.firstYear = v; });
  spin(m_reminderDays, [&d](int v) { d.act.reminderDays = static_cast<int8_t>(v); });
  if (m_amount != nullptr) {
    connect(m_amount, &QDoubleSpinBox::valueChanged, this, [this, &d](double value) {
      if (!m_showing) d.act.expense = static_cast<float>(value);
    });
  }
}

// ---- Showing the working copy --------------------------------------------------------------

std::optional<int> ItemPropertiesDialog::Parse(const TextField& f, bool tell) {
  const std::string typed = f.field->text().trimmed().toStdString();
  if (typed.empty() && !f.required) return 0;
  std::string message;
  std::optional<int> value;
  switch (f.kind) {
    case TextKind::kDate: {
      auto r = ParseDate(typed, m_text, m_context);
      message = std::move(r.message);
      if (r.value) value = *r.value;
      break;
    }
    case TextKind::kTime: {
      auto r = ParseTime(typed, m_text, m_context);
      message = std::move(r.message);
      if (r.value) value = *r.value;
      break;
    }
    case TextKind::kDuration: {
      auto r = ParseDuration(typed, m_text);
      message = std::move(r.message);
      if (r.value) value = *r.value;
      break;
    }
  }
  if (tell && !message.empty()) {
    if (value) {
      m_messages.InformationMessage(message);
    } else {
      m_messages.ErrorMessage(message);
    }
  }
  return value;
}

QString ItemPropertiesDialog::Format(const TextField& f) const {
  const int v = f.get(m_session.draft);
  switch (f.kind) {
    case TextKind::kDate:
      return v == kNoDate ? QString() : Q(FormatDate(static_cast<DayNumber>(v), m_text));
    case TextKind::kTime:
      return v == kNoTime ? QString() : Q(FormatTime(static_cast<TimeOfDay>(v), m_text));
    case TextKind::kDuration:
      return Q(FormatDuration(v, m_text));
  }
  return {};
}

void ItemPropertiesDialog::ShowDraft(bool overwriteAll) {
  const ItemDraft& d = m_session.draft;
  const Act& a = d.act;
  m_showing = true;
  if (TitleForStore(m_title->toPlainText()) != d.title) m_title->setPlainText(TitleForEdit(d.title));
  if (m_alarm != nullptr) m_alarm->setChecked(a.Has(AF_ALARM));
  if (m_setDate != nullptr) {
    m_setDate->setChecked(!d.flexible());
    m_flexible->setChecked(d.flexible());
  }
  for (const TextField& f : m_textFields) {
    const QString shown = Format(f);
    if (f.field->text() == shown) continue;
    // Text that cannot be read stays, so that OK can name it.
    if (overwriteAll || Parse(f, false).has_value()) f.field->setText(shown);
  }
  if (m_split != nullptr) m_split->setChecked(a.Has(AF_SPLIT));
  if (m_workHours != nullptr) {
    m_workHours->setChecked(a.Has(AF_WORK_HOURS));
    m_afterHours->setChecked(a.Has(AF_AFTER_HOURS));
  }
  for (size_t day = 0; day < 7; ++day)
    if (m_weekdays[day] != nullptr) m_weekdays[day]->setChecked((a.weekdays >> day) & 1u);
  if (m_hide != nullptr) m_hide->setChecked(a.Has(AF_HIDE));
  if (m_tier != nullptr)
    m_tier->setCurrentIndex(a.tier >= kFirstTier && a.tier < kFirstTier + kTierCount
                                ? a.tier - kFirstTier
                                : 0);
  if (m_expectedReturn != nullptr) {
    m_expectedReturn->setValue(a.expectedReturn);
    m_returnPerHour->setText(
        QString::number(ReturnPerHour(a.expectedReturn, a.duration), 'f', 2));
  }
  if (m_prereq != nullptr) {
    FillPrereqs();
    int index = 0;
    const Schedule& s = m_engine.schedule();
    for (int i = 1; a.prereqID != 0 && i < m_prereq->count(); ++i)
      if (s.ReadAct(m_prereq->itemData(i).value<ActHandle>()).ID == a.prereqID) index = i;
    m_prereq->setCurrentIndex(index);
    m_prereqDays->setValue(a.prereqDays);
  }
  if (m_recurring != nullptr) m_recurring->setChecked(d.recurrence.has_value());
  if (m_modifyEvery != nullptr) {
    m_modifyEvery->setChecked(m_session.modifyEveryInstance);
    m_modifyOne->setChecked(!m_session.modifyEveryInstance);
  }
  if (m_cloneOnDone != nullptr) m_cloneOnDone->setChecked(a.Has(AF_CLONE_ON_DONE));
  if (m_project != nullptr) {
    int index = m_project->findData(a.projectID);
    m_project->setCurrentIndex(index < 0 ? 0 : index);
  }
  if (m_label != nullptr) m_label->setCurrentIndex(a.label < m_label->count() ? a.label : 0);
  if (m_jobNumber != nullptr) m_jobNumber->setValue(a.jobNumber);
  if (m_underscored != nullptr) m_underscored->setChecked(a.Has(AF_UNDERSCORED));
  if (m_hope != nullptr) m_hope->setChecked(a.Has(AF_HOPE));
  if (m_firstYear != nullptr) m_firstYear->setValue(a.firstYear);
  if (m_reminderDays != nullptr) m_reminderDays->setValue(a.reminderDays);
  if (m_amount != nullptr) m_amount->setValue(a.expense);
  m_showing = false;
  ShowRank();
  UpdateEnables();
}

void ItemPropertiesDialog::ShowRank() {
  if (m_rank == nullptr) return;
  const ItemDraft& d = m_session.draft;
  const PriorityIndex& index = m_engine.schedule().priorityIndex();
  const uint8_t tier = d.act.tier == 0 ? kFirstTier : d.act.tier;
  // One past the tier's items is its end, where a new item goes.
  const int last = index.TierCount(tier) + 1;
  const int rank = d.rank <= 0 || d.rank > last ? last : d.rank;
  m_showing = true;
  m_rank->setRange(1, last);
  m_rank->setValue(rank);
  m_showing = false;
  m_rankText->setText(QString(t::kRankFormat).arg(rank).arg(last));
}

void ItemPropertiesDialog::UpdateEnables() {
  const ItemFieldStates on = ItemFieldStates::Of(m_session, m_recurrences != nullptr);
  auto enable = [](std::initializer_list<QWidget*> widgets, bool state) {
    for (QWidget* w : widgets)
      if (w != nullptr) w->setEnabled(state);
  };
  // A range's end always applies: only a flexible date's window follows the date.
  if (m_earliestDate != nullptr)
    enable({m_earliestDate, m_earliestDateTime, m_deadlineDate, m_deadlineTime}, on.dateWindow);
  enable({m_fluidEarliest, m_fluidLatest, m_workHours, m_afterHours}, on.fluidTime);
  for (QCheckBox* box : m_weekdays) enable({box}, on.flexibleOnly);
  enable({m_weekdaysButton, m_weekendButton, m_hide, m_tier, m_rank, m_prereq, m_prereqDays,
          m_prereqTime},
         on.flexibleOnly);
  enable({m_split}, on.splittable);
  enable({m_alarmButton}, static_cast<bool>(m_hooks.editAlarm));
  enable({m_modifyEvery, m_modifyOne}, on.instanceChoice);
  enable({m_prior, m_next}, on.stepping);
  enable({m_deleteInstance}, on.deleteInstance);
}

// ---- Field rules --------------------------------------------------------------------------

const ItemPropertiesDialog::TextField* ItemPropertiesDialog::FieldOf(const QLineEdit* w) const {
  for (const TextField& f : m_textFields)
    if (f.field == w) return &f;
  return nullptr;
}

void ItemPropertiesDialog::OnFieldLeft(QLineEdit* field) {
  if (m_showing) return;
  const TextField* f = FieldOf(field);
  if (f == nullptr) return;
  const auto value = Parse(*f, false);
  if (!value) return;  // OK tells
  f->put(m_session.draft, *value);
  if (field == m_duration) DurationLeft(m_session, m_engine, m_messages);
  ShowDraft();
}

bool ItemPropertiesDialog::ReadAllFields() {
  for (const TextField& f : m_textFields) {
    const auto value = Parse(f, true);
    if (!value) {
      f.field->setFocus();
      f.field->selectAll();
      return false;
    }
    f.put(m_session.draft, *value);
  }
  m_session.draft.title = TitleForStore(m_title->toPlainText());
  return true;
}

void ItemPropertiesDialog::OnAlarmClicked(bool checked) {
  ItemDraft& d = m_session.draft;
  if (checked) {
    const bool kept = AlarmTicked(m_session, m_messages, m_hooks.editAlarm);
    d.Set(AF_ALARM, kept);
  } else {
    d.Set(AF_ALARM, false);
  }
  ShowDraft();
}

void ItemPropertiesDialog::OnRecurringClicked(bool checked) {
  if (checked) {
    EditRecurrence();
  } else {
    SetRecurring(m_session, m_recurrences, std::nullopt, m_messages);
  }
  ShowDraft();
}

void ItemPropertiesDialog::EditRecurrence() {
  ItemDraft& d = m_session.draft;
  RecurrenceWindowSetup setup;
  setup.dateText = m_text;
  setup.parse = m_context;
  setup.defaultStart = d.date != kNoDate ? d.date : m_context.viewed;
  setup.lightMode = m_session.form == ItemTemplate::kLite;
  setup.flexibleOnArrival = d.flexibleOnArrival;
  const auto chosen = RunRecurrenceDialog(this, m_messages, d.recurrence.value_or(Beta{}), setup);
  if (chosen && SetRecurring(m_session, m_recurrences, chosen->beta, m_messages))
    d.flexibleOnArrival = chosen->flexibleOnArrival;
  ShowDraft();
}

void ItemPropertiesDialog::Step(int direction) {
  if (m_recurrences == nullptr) return;
  if (!StepInstance(m_session, *m_recurrences, direction)) return;
  setWindowTitle(Q(m_session.caption));
  ShowDraft(true);
}

void ItemPropertiesDialog::FocusOn(ConfirmResult::Focus focus) {
  QWidget* to = nullptr;
  switch (focus) {
    case ConfirmResult::Focus::kNone:
      return;
    case ConfirmResult::Focus::kTitle:
      to = m_title;
      break;
    case ConfirmResult::Focus::kDuration:
      to = m_duration;
      break;
    case ConfirmResult::Focus::kDates:
      to = m_date;
      break;
    case ConfirmResult::Focus::kTimes:
      to = m_startTime != nullptr ? m_startTime : m_fluidEarliest;
      break;
    case ConfirmResult::Focus::kProject:
      to = m_project;
      break;
  }
  if (to != nullptr) to->setFocus();
}

// ---- OK ------------------------------------------------------------------------------------

void ItemPropertiesDialog::accept() {
  if (!ReadAllFields()) return;
  const ConfirmResult result = ConfirmItemEdit(m_engine, m_recurrences, m_session, m_hooks);
  if (result.outcome == ConfirmOutcome::kApplied) {
    QDialog::accept();
    return;
  }
  ShowDraft();
  FocusOn(result.focus);
}

bool ItemPropertiesDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_title && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      // Enter is OK, as in every other field; Ctrl+Enter starts a new line of the title.
      if (key->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)) {
        m_title->insertPlainText(QStringLiteral("\n"));
      } else {
        accept();
      }
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

int RunItemPropertiesDialog(QWidget* owner, ItemEditSession& session, Engine& engine,
                            Recurrences* recurrences, const DateText& text,
                            const ParseContext& context, Messages& messages,
                            const ItemEditHooks& hooks, std::array<bool, 7> workdays) {
  ItemPropertiesDialog dialog(session, engine, recurrences, text, context, messages, hooks,
                              workdays, owner);
  return dialog.exec();
}

}  // namespace ploven
