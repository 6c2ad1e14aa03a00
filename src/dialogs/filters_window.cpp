#include "dialogs/filters_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <charconv>
#include <limits>
#include <optional>

#include "dialogs/filter_dialog_messages.h"
#include "dialogs/labels_dialog.h"
#include "filters/filter_messages.h"
#include "platform/layout_record.h"
#include "platform/messages.h"
#include "platform/program_settings.h"
#include "platform/settings.h"
#include "platform/settings_keys.h"
#include "store/projects.h"
#include "store/schedule.h"

namespace ploven {
namespace {

namespace t = filter_dialog_text;
namespace ft = filter_text;

constexpr int kMaxHours = 546;
constexpr int kMaxMinutes = 59;

// A whole number in [lo, hi]; blanks around it are allowed, nothing else.
std::optional<long> WholeNumber(const QString& text, long lo, long hi) {
  const std::string s = text.trimmed().toStdString();
  if (s.empty()) return std::nullopt;
  long value = 0;
  const char* end = s.data() + s.size();
  const auto [ptr, ec] = std::from_chars(s.data(), end, value);
  if (ec != std::errc() || ptr != end || value < lo || value > hi) return std::nullopt;
  return value;
}

// The longest start of the text that fits the setting without splitting a character.
std::string FitTitle(const QString& text, bool& cut) {
  QString fitted = text;
  while (fitted.toUtf8().size() > static_cast<qsizetype>(kTitleFilterMaxChars)) fitted.chop(1);
  cut = fitted.size() != text.size();
  return fitted.toStdString();
}

QPushButton* PlainButton(const char* caption) {
  auto* b = new QPushButton(caption);
  b->setAutoDefault(false);  // Enter in a field must not press a button
  return b;
}

}  // namespace

FiltersWindow::FiltersWindow(FiltersWindowPorts ports, QWidget* owner)
    : QDialog(owner), m_ports(std::move(ports)), m_pickLabels(RunLabelsDialog) {
  setWindowTitle(ft::kWindowTitle);
  setModal(false);
  Build();
  Reload();
  Connect();
}

void FiltersWindow::Build() {
  m_titleBox = new QCheckBox(t::kTitleBox);
  m_title = new QLineEdit();
  m_title->setMaxLength(static_cast<int>(kTitleFilterMaxChars));
  m_title->setPlaceholderText(t::kTitleHint);
  m_title->setMinimumWidth(260);
  m_matchCase = new QCheckBox(t::kMatchCaseBox);
  m_projectBox = new QCheckBox(t::kProjectBox);
  m_project = new QComboBox();
  m_project->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  m_project->setMinimumContentsLength(24);
  m_jobBox = new QCheckBox(t::kJobBox);
  m_job = new QLineEdit();
  m_job->setMaximumWidth(110);
  m_labelsBox = new QCheckBox(t::kLabelsBox);
  m_labelsButton = PlainButton(t::kSelectLabelsButton);
  m_durationBox = new QCheckBox(t::kMinimumDurationBox);
  m_hours = new QLineEdit();
  m_minutes = new QLineEdit();
  for (QLineEdit* field : {m_hours, m_minutes}) {
    field->setMaximumWidth(56);
    field->setAlignment(Qt::AlignRight);
  }
  m_doableNow = new QCheckBox(ft::kDoableNow);
  m_nonRoutine = new QCheckBox(ft::kNonRoutine);
  m_todayOnly = new QCheckBox(ft::kTodayOnly);
  m_conflictsOnly = new QCheckBox(ft::kConflictsOnly);
  // The caption's "&" is part of the text, not a mnemonic.
  m_calendarToo = new QCheckBox(QString(ft::kFilterCalendarToo).replace("&", "&&"));
  m_status = new QLabel();
  m_status->setWordWrap(true);
  m_status->setStyleSheet("color: #b00020;");
  m_status->hide();
  m_help = PlainButton(t::kHelpButton);
  m_close = PlainButton(ft::kCloseButton);

  auto* grid = new QGridLayout();
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(8);
  grid->setColumnStretch(1, 1);
  int row = 0;
  grid->addWidget(m_titleBox, row, 0);
  grid->addWidget(m_title, row++, 1);
  grid->addWidget(m_matchCase, row++, 1);
  grid->addWidget(m_projectBox, row, 0);
  grid->addWidget(m_project, row++, 1);
  grid->addWidget(m_jobBox, row, 0);
  grid->addWidget(m_job, row++, 1, Qt::AlignLeft);
  grid->addWidget(m_labelsBox, row, 0);
  grid->addWidget(m_labelsButton, row++, 1, Qt::AlignLeft);
  auto* duration = new QHBoxLayout();
  duration->setSpacing(6);
  duration->addWidget(m_hours);
  duration->addWidget(new QLabel(t::kHoursSuffix));
  duration->addSpacing(8);
  duration->addWidget(m_minutes);
  duration->addWidget(new QLabel(t::kMinutesSuffix));
  duration->addStretch(1);
  grid->addWidget(m_durationBox, row, 0);
  grid->addLayout(duration, row++, 1);

  auto* line = new QFrame();
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);

  auto* switches = new QGridLayout();
  switches->setHorizontalSpacing(24);
  switches->setVerticalSpacing(8);
  switches->addWidget(m_doableNow, 0, 0);
  switches->addWidget(m_todayOnly, 0, 1);
  switches->addWidget(m_nonRoutine, 1, 0);
  switches->addWidget(m_conflictsOnly, 1, 1);
  switches->setColumnStretch(2, 1);

  auto* buttons = new QHBoxLayout();
  buttons->addWidget(m_help);
  buttons->addStretch(1);
  buttons->addWidget(m_close);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  layout->setSpacing(10);
  layout->addLayout(grid);
  layout->addWidget(line);
  layout->addLayout(switches);
  layout->addWidget(m_calendarToo);
  layout->addWidget(m_status);
  layout->addSpacing(4);
  layout->addLayout(buttons);

  setTabOrder(m_titleBox, m_title);
  setTabOrder(m_title, m_matchCase);
  setTabOrder(m_matchCase, m_projectBox);
  setTabOrder(m_projectBox, m_project);
  setTabOrder(m_project, m_jobBox);
  setTabOrder(m_jobBox, m_job);
  setTabOrder(m_job, m_labelsBox);
  setTabOrder(m_labelsBox, m_labelsButton);
  setTabOrder(m_labelsButton, m_durationBox);
  setTabOrder(m_durationBox, m_hours);
  setTabOrder(m_hours, m_minutes);
  setTabOrder(m_minutes, m_doableNow);
  setTabOrder(m_doableNow, m_todayOnly);
  setTabOrder(m_todayOnly, m_nonRoutine);
  setTabOrder(m_nonRoutine, m_conflictsOnly);
  setTabOrder(m_conflictsOnly, m_calendarToo);
  setTabOrder(m_calendarToo, m_help);
  setTabOrder(m_help, m_close);
}

void FiltersWindow::Connect() {
  for (QCheckBox* box : {m_titleBox, m_matchCase, m_projectBox, m_jobBox, m_labelsBox,
                         m_durationBox, m_doableNow, m_nonRoutine, m_todayOnly, m_conflictsOnly,
                         m_calendarToo}) {
    connect(box, &QCheckBox::toggled, this, &FiltersWindow::TakeControls);
  }
  for (QLineEdit* field : {m_title, m_job, m_hours, m_minutes})
    connect(field, &QLineEdit::textChanged, this, &FiltersWindow::TakeControls);
  connect(m_project, &QComboBox::currentIndexChanged, this, &FiltersWindow::TakeControls);
  connect(m_labelsButton, &QPushButton::clicked, this, &FiltersWindow::SelectLabels);
  connect(m_help, &QPushButton::clicked, this, [this] { emit helpRequested(ft::kHelpTopic); });
  connect(m_close, &QPushButton::clicked, this, &FiltersWindow::reject);
}

void FiltersWindow::Reload() {
  m_loading = true;
  const FilterSettings& f = m_ports.state.settings;
  Schedule& s = m_ports.schedule;
  m_titleBox->setChecked(f.titleOn);
  m_title->setText(QString::fromStdString(f.titleText));
  m_matchCase->setChecked(f.matchCase);
  m_projectBox->setChecked(f.projectOn);
  m_project->clear();
  m_projectIDs.assign(1, 0);
  m_project->addItem(ft::kNoProject);
  int chosen = 0;
  for (const auto& [key, node] : s.projects()) {
    std::string name;
    ProjectName(s, node.id, name);
    if (node.id == f.projectID && chosen == 0) chosen = static_cast<int>(m_projectIDs.size());
    m_projectIDs.push_back(node.id);
    m_project->addItem(QString::fromStdString(name));
  }
  // A project deleted since shows as "none", and the filter follows what is shown.
  m_project->setCurrentIndex(chosen);
  m_jobBox->setChecked(f.jobOn);
  m_job->setText(QString::number(f.jobNumber));
  m_labelsBox->setChecked(f.labelsOn);
  m_durationBox->setChecked(f.minimumDurationOn);
  m_hours->setText(QString::number(f.minimumDurationMinutes / 60));
  m_minutes->setText(QString::number(f.minimumDurationMinutes % 60));
  m_doableNow->setChecked(f.doableNowOn);
  m_nonRoutine->setChecked(f.nonRoutineOn);
  m_todayOnly->setChecked(f.todayOnlyOn);
  m_conflictsOnly->setChecked(f.conflictsOnlyOn);
  m_calendarToo->setChecked(f.filterCalendarToo);
  m_loading = false;
  TakeControls();
}

void FiltersWindow::TakeControls() {
  if (m_loading) return;
  FilterSettings f = m_ports.state.settings;
  QString problem;
  auto refuse = [&problem](const char* text) {
    if (problem.isEmpty()) problem = text;
  };

  f.titleOn = m_titleBox->isChecked();
  bool cut = false;
  f.SetTitleText(FitTitle(m_title->text(), cut));
  if (cut) refuse(t::kTitleTooLong);
  f.matchCase = m_matchCase->isChecked();
  f.projectOn = m_projectBox->isChecked();
  const int index = m_project->currentIndex();
  if (index >= 0 && static_cast<size_t>(index) < m_projectIDs.size())
    f.projectID = m_projectIDs[static_cast<size_t>(index)];
  f.jobOn = m_jobBox->isChecked();
  const auto job = WholeNumber(m_job->text(), std::numeric_limits<int32_t>::min(),
                               std::numeric_limits<int32_t>::max());
  if (job) {
    f.jobNumber = static_cast<int32_t>(*job);
  } else {
    refuse(t::kBadJobNumber);
  }
  f.labelsOn = m_labelsBox->isChecked();
  f.minimumDurationOn = m_durationBox->isChecked();
  // An empty part counts as none: "1" hours alone is an hour.
  const bool noHours = m_hours->text().trimmed().isEmpty();
  const bool noMinutes = m_minutes->text().trimmed().isEmpty();
  const auto hours = noHours ? std::optional<long>(0) : WholeNumber(m_hours->text(), 0, kMaxHours);
  const auto minutes =
      noMinutes ? std::optional<long>(0) : WholeNumber(m_minutes->text(), 0, kMaxMinutes);
  if (!hours) {
    refuse(t::kBadHours);
  } else if (!minutes) {
    refuse(t::kBadMinutes);
  } else if (!f.SetMinimumDuration(static_cast<int>(*hours), static_cast<int>(*minutes))) {
    refuse(t::kDurationTooLong);
  }
  f.doableNowOn = m_doableNow->isChecked();
  f.nonRoutineOn = m_nonRoutine->isChecked();
  f.todayOnlyOn = m_todayOnly->isChecked();
  f.conflictsOnlyOn = m_conflictsOnly->isChecked();
  f.filterCalendarToo = m_calendarToo->isChecked();

  m_status->setText(problem);
  m_status->setVisible(!problem.isEmpty());
  if (f == m_ports.state.settings) return;
  m_ports.state.settings = f;
  emit filtersChanged();
}

void FiltersWindow::SelectLabels() {
  uint32_t mask = m_ports.state.settings.excludedLabels;
  const std::vector<std::string> names =
      m_ports.labelNames.empty() ? DefaultLabelNames() : m_ports.labelNames;
  if (!m_pickLabels || !m_pickLabels(this, names, mask)) return;
  if (mask == m_ports.state.settings.excludedLabels) return;
  m_ports.state.settings.excludedLabels = mask;
  emit filtersChanged();
}

void FiltersWindow::Open() {
  if (!m_ports.state.filteringOn) {
    OpenFilters(m_ports.state, m_ports.layout);
    Reload();
    RestorePlacement();
    emit filtersChanged();
  }
  show();
  raise();
  activateWindow();
}

bool FiltersWindow::filteringOn() const { return m_ports.state.filteringOn; }

void FiltersWindow::done(int r) {
  if (m_ports.state.filteringOn) {
    SavePlacement();
    m_ports.state.settings.ApplyTo(m_ports.program);
    const bool writable = !m_ports.scheduleWritable || m_ports.scheduleWritable();
    const bool saved = CloseFilters(m_ports.state, m_ports.settings, m_ports.layout,
                                    m_ports.schedule, writable);
    if (!saved) m_ports.messages.ErrorMessage(t::kNotSaved);
    emit filtersChanged();
    emit filtersClosed(saved);
  }
  QDialog::done(r);
}

void FiltersWindow::SavePlacement() {
  const QRect g = geometry();
  m_ports.settings.WriteRect(key::kFilterWnd,
                             {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()});
}

void FiltersWindow::RestorePlacement() {
  const auto r = m_ports.settings.ReadRect(key::kFilterWnd);
  if (!r || r->c <= r->a || r->d <= r->b) return;
  const QSize wanted(r->c - r->a, r->d - r->b);
  resize(wanted.expandedTo(minimumSizeHint()));
  move(r->a, r->b);
}

}  // namespace ploven
