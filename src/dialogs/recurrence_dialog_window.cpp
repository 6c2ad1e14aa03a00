#include "dialogs/recurrence_dialog_window.h"

#include <algorithm>

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialogs/recurrence_dialog_messages.h"
#include "platform/messages.h"
#include "recur/recurrence_dialog_messages.h"

namespace ploven {

namespace {

namespace text = recur_window_text;

constexpr int kCountWidth = 46;
constexpr int kCellWidth = 38;
constexpr int kCellHeight = 26;
constexpr int kDateFieldWidth = 130;
constexpr int kDateCells = 31;  // 1 to 30 and "Last"

size_t Index(FrequencyChoice choice) { return static_cast<size_t>(choice); }
size_t Index(CountUnit unit) { return static_cast<size_t>(unit); }
size_t Index(MonthMode mode) { return static_cast<size_t>(mode); }

FrequencyChoice EveryChoiceOf(CountUnit unit) {
  switch (unit) {
    case CountUnit::kDays:
      return FrequencyChoice::kEveryNDays;
    case CountUnit::kWeeks:
      return FrequencyChoice::kEveryNWeeks;
    case CountUnit::kMonths:
      return FrequencyChoice::kEveryNMonths;
    case CountUnit::kYears:
      return FrequencyChoice::kEveryNYears;
  }
  return FrequencyChoice::kEveryNDays;
}

QToolButton* ToggleButton(const QString& caption, int width, QWidget* parent) {
  auto* b = new QToolButton(parent);
  b->setText(caption);
  b->setCheckable(true);
  b->setFixedSize(width, kCellHeight);
  b->setToolButtonStyle(Qt::ToolButtonTextOnly);
  return b;
}

QLabel* Faint(const QString& caption, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setTextFormat(Qt::PlainText);
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, p.color(QPalette::PlaceholderText));
  label->setPalette(p);
  return label;
}

// A hidden control keeps its place, so switching the month mode does not reflow the window.
void KeepPlaceWhenHidden(QWidget* w) {
  QSizePolicy policy = w->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  w->setSizePolicy(policy);
}

}  // namespace

RecurrenceDialogWindow::RecurrenceDialogWindow(Messages& messages, const Beta& beta,
                                               const RecurrenceWindowSetup& setup, QWidget* owner)
    : QDialog(owner),
      m_messages(messages),
      m_dateText(setup.dateText),
      m_parse(setup.parse),
      m_state(LoadRecurrenceDialog(beta, setup.defaultStart)) {
  setWindowTitle(text::kTitle);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint |
                 Qt::WindowCloseButtonHint);
  m_grids[Index(m_state.monthMode)] = m_state.grid;
  BuildLayout(setup);
  if (m_state.startDate != 0)
    m_start->setText(QString::fromStdString(FormatDate(m_state.startDate, m_dateText)));
  if (m_state.endDate != 0)
    m_end->setText(QString::fromStdString(FormatDate(m_state.endDate, m_dateText)));
  for (size_t u = 0; u < m_counts.size(); ++u)
    m_counts[u]->setText(QString::fromStdString(m_state.countTexts[u]));
  m_flexible->setChecked(setup.flexibleOnArrival);
  ShowState();
  m_start->setFocus();
}

void RecurrenceDialogWindow::BuildLayout(const RecurrenceWindowSetup& setup) {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(18, 16, 18, 14);
  outer->setSpacing(12);

  // Date range.
  auto* range = new QHBoxLayout();
  range->setSpacing(8);
  m_start = new QLineEdit(this);
  m_start->setFixedWidth(kDateFieldWidth);
  m_end = new QLineEdit(this);
  m_end->setFixedWidth(kDateFieldWidth);
  m_end->setPlaceholderText(text::kNoEndDate);
  auto* limit = new QLabel(text::kLimitRange, this);
  limit->setBuddy(m_start);
  auto* startLabel = new QLabel(text::kStartDate, this);
  startLabel->setBuddy(m_start);
  auto* endLabel = new QLabel(text::kEndDate, this);
  endLabel->setBuddy(m_end);
  range->addWidget(limit);
  range->addSpacing(6);
  range->addWidget(startLabel);
  range->addWidget(m_start);
  range->addSpacing(12);
  range->addWidget(endLabel);
  range->addWidget(m_end);
  range->addStretch(1);
  outer->addLayout(range);

  auto* columns = new QHBoxLayout();
  columns->setSpacing(14);

  auto* left = new QVBoxLayout();
  left->setSpacing(8);
  left->addWidget(BuildFrequencyGroup());
  if (!setup.lightMode) {
    auto* variables = Faint(recur_dialog_text::kTitleVariablesList, this);
    variables->setWordWrap(true);
    left->addWidget(variables);
  }
  left->addStretch(1);
  columns->addLayout(left, 1);

  auto* right = new QVBoxLayout();
  right->setSpacing(8);
  right->addWidget(BuildMonthGroup(setup.fifthWeekSupport));

  auto* options = new QHBoxLayout();
  options->setSpacing(16);
  m_fullMoons = new QCheckBox(text::kFullMoons, this);
  m_seasonal = new QCheckBox(text::kSeasonal, this);
  options->addWidget(m_fullMoons);
  options->addWidget(m_seasonal);
  options->addStretch(1);
  right->addLayout(options);
  // Light Mode ignores these two when expanding; what the record holds rides along unseen.
  m_fullMoons->setVisible(!setup.lightMode);
  m_seasonal->setVisible(!setup.lightMode);
  m_flexible = new QCheckBox(text::kFlexibleOnArrival, this);
  right->addWidget(m_flexible);
  right->addWidget(BuildBringForwardGroup());
  right->addStretch(1);
  columns->addLayout(right, 0);
  outer->addLayout(columns);

  connect(m_fullMoons, &QCheckBox::toggled, this, [this](bool on) {
    if (m_showing) return;
    m_state.fullMoons = on;
  });
  connect(m_seasonal, &QCheckBox::toggled, this, [this](bool on) {
    if (m_showing) return;
    SetSeasonal(m_state, on, m_messages);
  });

  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  auto* ok = new QPushButton(text::kOk, this);
  auto* cancel = new QPushButton(text::kCancel, this);
  auto* help = new QPushButton(text::kHelp, this);
  for (QPushButton* b : {ok, cancel, help}) {
    b->setMinimumWidth(88);
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &RecurrenceDialogWindow::accept);
  connect(cancel, &QPushButton::clicked, this, &RecurrenceDialogWindow::reject);
  connect(help, &QPushButton::clicked, this, [this] { OpenRecurrenceHelp(m_messages); });
  outer->addLayout(buttons);
  outer->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* RecurrenceDialogWindow::BuildFrequencyGroup() {
  auto* group = new QGroupBox(this);
  auto* grid = new QGridLayout(group);
  grid->setContentsMargins(12, 10, 12, 10);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(6);
  grid->setColumnStretch(2, 1);

  struct Row {
    FrequencyChoice choice;
    const char* caption;
    const char* after;  // the text after the count box of an Every choice
  };
  const Row rows[] = {
      {FrequencyChoice::kDaily, text::kDaily, nullptr},
      {FrequencyChoice::kEveryNDays, text::kEvery, text::kDaysFromStart},
      {FrequencyChoice::kWeekly, text::kWeekly, nullptr},
      {FrequencyChoice::kEveryNWeeks, text::kEveryWeeks, text::kWeeksFromStart},
      {FrequencyChoice::kMonthly, text::kMonthly, nullptr},
      {FrequencyChoice::kEveryNMonths, text::kEvery, text::kMonthsOn},
      {FrequencyChoice::kAnnually, text::kAnnually, nullptr},
      {FrequencyChoice::kEveryNYears, text::kEvery, text::kYearsFromStart},
  };

  int line = 0;
  for (const Row& row : rows) {
    auto* radio = new QRadioButton(row.caption, group);
    m_frequency[Index(row.choice)] = radio;
    connect(radio, &QRadioButton::toggled, this, [this, choice = row.choice](bool on) {
      if (m_showing || !on) return;
      m_state.frequency = choice;
      ShowState();
    });
    if (row.after == nullptr) {
      grid->addWidget(radio, line++, 0, 1, 3);
    } else {
      const CountUnit unit = UnitOf(row.choice);
      auto* count = new QLineEdit(group);
      count->setFixedWidth(kCountWidth);
      count->setAlignment(Qt::AlignRight);
      count->installEventFilter(this);
      m_counts[Index(unit)] = count;
      connect(count, &QLineEdit::textEdited, this,
              [this, unit](const QString& typed) { OnCountEdited(unit, typed); });
      auto* after = new QLabel(row.after, group);
      after->setBuddy(count);
      grid->addWidget(radio, line, 0);
      grid->addWidget(count, line, 1);
      grid->addWidget(after, line++, 2);
    }

    if (row.choice == FrequencyChoice::kWeekly) {
      // The weekday buttons sit under the weekly choice they mostly serve.
      auto* days = new QHBoxLayout();
      days->setContentsMargins(22, 0, 0, 4);
      days->setSpacing(3);
      for (int g = 0; g < 7; ++g) {
        QToolButton* b = ToggleButton(text::kWeekdayButtons[g], kCellWidth - 4, group);
        m_weekdays[static_cast<size_t>(g)] = b;
        days->addWidget(b);
        connect(b, &QToolButton::toggled, this, [this, g](bool on) {
          if (m_showing) return;
          m_state.weekdays[static_cast<size_t>(g)] = on;
          ShowState();
        });
      }
      days->addSpacing(8);
      m_workWeekdays = new QPushButton(text::kWorkWeekdays, group);
      m_weekend = new QPushButton(text::kWeekend, group);
      for (QPushButton* b : {m_workWeekdays, m_weekend}) {
        b->setAutoDefault(false);
        days->addWidget(b);
      }
      days->addStretch(1);
      connect(m_workWeekdays, &QPushButton::clicked, this, [this] {
        CheckWorkWeekdays(m_state);
        ShowState();
      });
      connect(m_weekend, &QPushButton::clicked, this, [this] {
        CheckWeekend(m_state);
        ShowState();
      });
      grid->addLayout(days, line++, 0, 1, 3);
    }
  }
  return group;
}

QWidget* RecurrenceDialogWindow::BuildMonthGroup(bool fifthWeekSupport) {
  auto* group = new QGroupBox(this);
  auto* column = new QVBoxLayout(group);
  column->setContentsMargins(12, 10, 12, 10);
  column->setSpacing(6);

  const MonthMode modes[] = {MonthMode::kDates, MonthMode::kLastWeek, MonthMode::kFifthWeek};
  const char* captions[] = {text::kDateMode, text::kLastWeekMode, text::kFifthWeekMode};
  for (size_t i = 0; i < 3; ++i) {
    // A record already in fifth-week mode shows that mode even without the preference.
    if (modes[i] == MonthMode::kFifthWeek && !fifthWeekSupport &&
        m_state.monthMode != MonthMode::kFifthWeek)
      continue;
    auto* radio = new QRadioButton(captions[i], group);
    m_monthModes[i] = radio;
    column->addWidget(radio);
    connect(radio, &QRadioButton::toggled, this, [this, mode = modes[i]](bool on) {
      if (m_showing || !on) return;
      OnMonthMode(mode);
    });
  }

  auto* cells = new QGridLayout();
  cells->setContentsMargins(0, 6, 0, 2);
  cells->setHorizontalSpacing(3);
  cells->setVerticalSpacing(3);
  for (int c = 0; c < 7; ++c) {
    auto* label = Faint(text::kWeekdayButtons[(c + 1) % 7], group);
    label->setAlignment(Qt::AlignCenter);
    KeepPlaceWhenHidden(label);
    m_columnLabels[static_cast<size_t>(c)] = label;
    cells->addWidget(label, 0, c + 1);
  }
  for (int r = 0; r < 5; ++r) {
    auto* label = Faint(r < 4 ? text::kWeekRows[r] : text::kLastRow, group);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(text::kLastRow) + 6);
    KeepPlaceWhenHidden(label);
    m_rowLabels[static_cast<size_t>(r)] = label;
    cells->addWidget(label, r + 1, 0);
    for (int c = 0; c < 7; ++c) {
      QToolButton* b = ToggleButton(QString(), kCellWidth, group);
      KeepPlaceWhenHidden(b);
      m_grid[static_cast<size_t>(r)][static_cast<size_t>(c)] = b;
      cells->addWidget(b, r + 1, c + 1);
      connect(b, &QToolButton::toggled, this, [this, r, c](bool on) {
        if (m_showing) return;
        m_state.grid[static_cast<size_t>(r)][static_cast<size_t>(c)] = on;
        m_grids[Index(m_state.monthMode)] = m_state.grid;
      });
    }
  }
  column->addLayout(cells);

  auto* nearest = new QHBoxLayout();
  nearest->setSpacing(12);
  m_nearest = new QCheckBox(text::kNearestDay, group);
  m_onOrBefore = new QCheckBox(text::kOnOrBefore, group);
  m_onOrAfter = new QCheckBox(text::kOnOrAfter, group);
  nearest->addWidget(m_nearest);
  nearest->addWidget(m_onOrBefore);
  nearest->addWidget(m_onOrAfter);
  nearest->addStretch(1);
  column->addLayout(nearest);
  connect(m_nearest, &QCheckBox::toggled, this, [this](bool on) {
    if (m_showing) return;
    m_state.nearestDay = on;
    ShowState();
  });
  connect(m_onOrBefore, &QCheckBox::toggled, this, [this](bool on) {
    if (m_showing) return;
    SetOnOrBefore(m_state, on);
    ShowState();
  });
  connect(m_onOrAfter, &QCheckBox::toggled, this, [this](bool on) {
    if (m_showing) return;
    SetOnOrAfter(m_state, on);
    ShowState();
  });
  return group;
}

QWidget* RecurrenceDialogWindow::BuildBringForwardGroup() {
  auto* group = new QGroupBox(text::kBringForwardGroup, this);
  auto* column = new QVBoxLayout(group);
  column->setContentsMargins(12, 8, 12, 8);
  column->setSpacing(4);
  const BringForwardAction actions[] = {BringForwardAction::kBringForwardInstance,
                                        BringForwardAction::kDeleteInstance,
                                        BringForwardAction::kShiftStartDate};
  const char* captions[] = {text::kBringForwardInstance, text::kDeleteInstance,
                            text::kShiftStartDate};
  for (size_t i = 0; i < 3; ++i) {
    auto* radio = new QRadioButton(captions[i], group);
    m_bringForward[i] = radio;
    column->addWidget(radio);
    connect(radio, &QRadioButton::toggled, this, [this, action = actions[i]](bool on) {
      if (m_showing || !on) return;
      m_state.bringForward = action;
    });
  }
  return group;
}

void RecurrenceDialogWindow::OnCountEdited(CountUnit unit, const QString& typed) {
  QLineEdit* box = m_counts[Index(unit)];
  if (EditCount(m_state, unit, typed.trimmed().toStdString()) == CountEdit::kRefused) {
    // The keystroke is undone: the box goes back to the last count it accepted.
    const int cursor = box->cursorPosition();
    m_messages.ui().Beep();
    const QString previous = QString::fromStdString(m_state.countTexts[Index(unit)]);
    box->setText(previous);
    box->setCursorPosition(std::min(static_cast<int>(previous.size()), std::max(0, cursor - 1)));
  }
  if (m_state.frequency != EveryChoiceOf(unit)) {
    m_state.frequency = EveryChoiceOf(unit);
    ShowState();
  }
}

void RecurrenceDialogWindow::OnMonthMode(MonthMode mode) {
  m_grids[Index(m_state.monthMode)] = m_state.grid;
  m_state.monthMode = mode;
  m_state.grid = m_grids[Index(mode)];
  ShowState();
}

bool RecurrenceDialogWindow::eventFilter(QObject* watched, QEvent* event) {
  // Going into an Every choice's count box chooses that choice.
  if (event->type() == QEvent::FocusIn && !m_showing) {
    for (size_t u = 0; u < m_counts.size(); ++u) {
      if (watched != m_counts[u]) continue;
      const FrequencyChoice choice = EveryChoiceOf(static_cast<CountUnit>(u));
      if (m_state.frequency != choice) {
        m_state.frequency = choice;
        ShowState();
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void RecurrenceDialogWindow::ShowGridCaptions() {
  const bool dates = m_state.monthMode == MonthMode::kDates;
  for (int r = 0; r < 5; ++r) {
    for (int c = 0; c < 7; ++c) {
      QToolButton* b = m_grid[static_cast<size_t>(r)][static_cast<size_t>(c)];
      const int cell = r * 7 + c;
      if (dates) {
        b->setText(cell < kDateCells - 1 ? QString::number(cell + 1)
                                         : QString(text::kLastCell));
        b->setVisible(cell < kDateCells);
      } else {
        b->setText(QString());
        b->setVisible(true);
      }
    }
    m_rowLabels[static_cast<size_t>(r)]->setVisible(!dates);
  }
  m_rowLabels[4]->setText(m_state.monthMode == MonthMode::kFifthWeek ? text::kFifthRow
                                                                     : text::kLastRow);
  for (QLabel* label : m_columnLabels) label->setVisible(!dates);
}

void RecurrenceDialogWindow::ShowState() {
  m_showing = true;
  const RecurrenceDialogEnables on = DialogEnables(m_state);

  m_frequency[Index(m_state.frequency)]->setChecked(true);
  for (size_t g = 0; g < 7; ++g) {
    m_weekdays[g]->setChecked(m_state.weekdays[g]);
    m_weekdays[g]->setEnabled(on.weekdayButtons);
  }
  m_workWeekdays->setEnabled(on.weekdayButtons);
  m_weekend->setEnabled(on.weekdayButtons);

  for (QRadioButton* radio : m_monthModes) {
    if (radio != nullptr) radio->setEnabled(on.monthModes);
  }
  if (QRadioButton* mode = m_monthModes[Index(m_state.monthMode)]) mode->setChecked(true);
  ShowGridCaptions();
  for (size_t r = 0; r < 5; ++r) {
    for (size_t c = 0; c < 7; ++c) {
      m_grid[r][c]->setChecked(m_state.grid[r][c]);
      m_grid[r][c]->setEnabled(on.monthGrid);
    }
  }
  for (QLabel* label : m_rowLabels) label->setEnabled(on.monthGrid);
  for (QLabel* label : m_columnLabels) label->setEnabled(on.monthGrid);

  m_nearest->setChecked(m_state.nearestDay);
  m_nearest->setEnabled(on.nearestDay);
  m_onOrBefore->setChecked(m_state.onOrBefore);
  m_onOrBefore->setEnabled(on.onOrBefore);
  m_onOrAfter->setChecked(m_state.onOrAfter);
  m_onOrAfter->setEnabled(on.onOrAfter);
  m_fullMoons->setChecked(m_state.fullMoons);
  m_seasonal->setChecked(m_state.seasonal);
  m_bringForward[static_cast<size_t>(m_state.bringForward)]->setChecked(true);
  m_showing = false;
}

bool RecurrenceDialogWindow::ReadDate(QLineEdit* field, DayNumber& day) {
  const std::string typed = field->text().trimmed().toStdString();
  if (typed.empty()) {
    day = 0;
    return true;
  }
  ParseResult<DayNumber> parsed = ParseDate(typed, m_dateText, m_parse);
  if (!parsed.value) {
    m_messages.ErrorMessage(parsed.message);
    field->setFocus();
    field->selectAll();
    return false;
  }
  day = *parsed.value;
  return true;
}

void RecurrenceDialogWindow::accept() {
  DayNumber start = 0;
  DayNumber end = 0;
  if (!ReadDate(m_start, start) || !ReadDate(m_end, end)) return;
  m_state.startDate = start;
  m_state.endDate = end;

  RecurrenceDialogResult confirmed = ConfirmRecurrenceDialog(m_state, m_messages);
  if (!confirmed.beta) {
    switch (confirmed.focus) {
      case DialogFocus::kStartDate:
        m_start->setFocus();
        m_start->selectAll();
        break;
      case DialogFocus::kWeekdayButtons:
        m_weekdays[0]->setFocus();
        break;
      case DialogFocus::kMonthGrid:
        m_grid[0][0]->setFocus();
        break;
      case DialogFocus::kNone:
        break;
    }
    return;
  }
  m_result = RecurrenceWindowResult{std::move(*confirmed.beta), m_flexible->isChecked()};
  QDialog::accept();
}

QRadioButton* RecurrenceDialogWindow::frequencyButton(FrequencyChoice choice) const {
  return m_frequency[Index(choice)];
}

QToolButton* RecurrenceDialogWindow::weekdayButton(int weekday) const {
  return weekday >= 0 && weekday < 7 ? m_weekdays[static_cast<size_t>(weekday)] : nullptr;
}

QRadioButton* RecurrenceDialogWindow::monthModeButton(MonthMode mode) const {
  return m_monthModes[Index(mode)];
}

QToolButton* RecurrenceDialogWindow::gridButton(int row, int column) const {
  if (row < 0 || row >= 5 || column < 0 || column >= 7) return nullptr;
  return m_grid[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

QRadioButton* RecurrenceDialogWindow::bringForwardButton(BringForwardAction action) const {
  return m_bringForward[static_cast<size_t>(action)];
}

std::optional<RecurrenceWindowResult> RunRecurrenceDialog(QWidget* owner, Messages& messages,
                                                          const Beta& beta,
                                                          const RecurrenceWindowSetup& setup) {
  RecurrenceDialogWindow window(messages, beta, setup, owner);
  if (window.exec() != QDialog::Accepted) return std::nullopt;
  return window.result();
}

}  // namespace ploven
