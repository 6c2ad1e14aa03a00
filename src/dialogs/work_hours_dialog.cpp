#include "dialogs/work_hours_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/settings_dialog_messages.h"
#include "engine/engine.h"
#include "engine/engine_settings.h"
#include "engine/schedule_settings.h"
#include "platform/messages.h"
#include "platform/platform_messages.h"
#include "platform/program_settings.h"
#include "store/date_argument.h"
#include "store/schedule.h"

namespace ploven {
namespace {

namespace t = settings_dialog_text;

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The clock time of a stored time of day (a stored 0 shows as midnight).
TimeOfDay OnTheClock(TimeOfDay time) {
  return static_cast<TimeOfDay>((time <= 0 ? 0 : (time - 1) % kMinutesPerDay) + 1);
}

}  // namespace

WorkHoursDialog::WorkHoursDialog(Engine& engine, ProgramSettings& program, Settings& settings,
                                 int country, const DateText& text, QWidget* owner)
    : QDialog(owner),
      m_engine(engine),
      m_program(program),
      m_settings(settings),
      m_country(country),
      m_text(text) {
  setWindowTitle(t::kWorkHoursTitle);
  Schedule& s = m_engine.schedule();
  m_context.today = s.Today();
  m_context.now = s.Now();
  m_context.viewed = s.Today();
  // Work hours are clock times: the context keeps its plain day (no Midnight Shift).

  const ScheduleHeader& h = s.header();
  m_start = new QLineEdit(Q(FormatTime(OnTheClock(h.workdayStart()), m_text)));
  m_end = new QLineEdit(Q(FormatTime(OnTheClock(h.workdayEnd()), m_text)));
  auto* form = new QFormLayout();
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->addRow(t::kWorkStartLabel, m_start);
  form->addRow(t::kWorkEndLabel, m_end);

  auto* workdays = new QGroupBox(t::kWorkdaysGroup);
  auto* row = new QHBoxLayout();
  row->setSpacing(10);
  const bool mondayFirst = m_program.weekStartsMon != 0;
  for (int i = 0; i < 7; ++i) {
    const int weekday = mondayFirst ? (i + 1) % 7 : i;
    auto* box = new QCheckBox(Q(WeekdayAbbrev3(weekday, m_text)));
    box->setChecked(m_program.workday[static_cast<size_t>(weekday)] != 0);
    m_days[static_cast<size_t>(weekday)] = box;
    row->addWidget(box);
  }
  row->addStretch(1);
  auto* days = new QVBoxLayout(workdays);
  days->addLayout(row);
  auto* hint = new QLabel(t::kWorkdaysHint);
  hint->setWordWrap(true);
  hint->setEnabled(false);
  days->addWidget(hint);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &WorkHoursDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &WorkHoursDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  layout->setSpacing(12);
  layout->addLayout(form);
  layout->addWidget(workdays);
  layout->addWidget(buttons);
  QWidget* previous = m_end;
  setTabOrder(m_start, m_end);
  for (int i = 0; i < 7; ++i) {
    QWidget* next = m_days[static_cast<size_t>(mondayFirst ? (i + 1) % 7 : i)];
    setTabOrder(previous, next);
    previous = next;
  }
}

void WorkHoursDialog::accept() {
  Schedule& s = m_engine.schedule();
  Messages& msg = s.messages();
  // plovenctl `set workStart/workEnd` applies the same reading and checks.
  const std::string start = m_start->text().trimmed().toStdString();
  const std::string end = m_end->text().trimmed().toStdString();
  ScheduleHeader header = s.header();
  if (!ApplyScheduleSettings(header, {{"workStart", start}, {"workEnd", end}}, m_text, m_context,
                             msg)) {
    QLineEdit* field = ReadTimeArgument(start, m_text, m_context).value ? m_end : m_start;
    field->setFocus();
    field->selectAll();
    return;
  }
  const bool hoursChanged = header.workdayStart() != s.header().workdayStart() ||
                            header.workdayEnd() != s.header().workdayEnd();
  if (hoursChanged) {
    s.header() = header;
    s.MarkChanged();
  }
  std::array<bool, 7> workdays{};
  bool daysChanged = false;
  for (size_t day = 0; day < workdays.size(); ++day) {
    workdays[day] = m_days[day]->isChecked();
    daysChanged |= workdays[day] != (m_program.workday[day] != 0);
  }
  if (daysChanged && !StoreWorkdays(workdays, m_program, m_settings))
    msg.ErrorMessage(ploven::msg::kSettingsNotWritten);
  m_changed = hoursChanged || daysChanged;
  if (m_changed) RereadEngineSettings(m_engine, m_settings, m_country);
  QDialog::accept();
}

bool RunWorkHoursDialog(QWidget* owner, Engine& engine, ProgramSettings& program,
                        Settings& settings, int country, const DateText& text) {
  WorkHoursDialog dialog(engine, program, settings, country, text, owner);
  return dialog.exec() == QDialog::Accepted && dialog.changed();
}

}  // namespace ploven
