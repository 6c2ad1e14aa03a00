// The Reports menu's Items Report, Sleep Report and Week/Month Turnover Score, each shown in
// the report window.

#include <filesystem>

#include "app/app_messages.h"
#include "app/main_window.h"
#include "done/sleep_report.h"
#include "done/time_report.h"
#include "present/item_facts.h"
#include "store/date_format.h"
#include "store/project_reports.h"

namespace ploven {

namespace t = app_text;

void MainWindow::ShowItemsReport() {
  const ReportText report = ItemsReport(
      m_session.schedule(), ReportFormatFor(m_env->dateText(), m_env->options.weekStartsMonday),
      m_env->hiddenByFilter);
  m_session.messages().PlainMessage(report.text, report.caption);
}

void MainWindow::ShowSleepReport() {
  Schedule& s = m_session.schedule();
  const DayNumber today = m_session.clock().Today();
  const auto first = static_cast<DayNumber>(today - kSleepReportNights);
  const auto last = static_cast<DayNumber>(today - 1);
  // Archived days are read back from the done logs beside the schedule.
  const DoneLogContents work = DoneWorkBetween(
      s, m_session.fs(), std::filesystem::path(m_session.files().path()).parent_path().string(),
      first, today, m_env->dateText());
  const ReportText report =
      SleepReport(SleepNights(work.entries, first, last),
                  ReportFormatFor(m_env->dateText(), m_env->options.weekStartsMonday),
                  [this](TimeOfDay time) { return FormatTime(time, m_env->dateText()); });
  m_session.messages().PlainMessage(report.text, report.caption);
}

void MainWindow::ShowPeriodTurnover() {
  MultiButtonParams params;
  params.customCaptions = t::kTurnoverPeriodButtons;
  const int answer =
      m_session.messages().MultiButtonBox(t::kTurnoverPeriodQuestion, "", kMbIconQuestion, params);
  if (answer != kIdCustom1 && answer != kIdCustom1 + 1) return;
  const bool month = answer == kIdCustom1 + 1;
  const ReportFormat format = ReportFormatFor(m_env->dateText(), m_env->options.weekStartsMonday);
  const ReportText report = PeriodTurnoverScoreReport(
      m_session.schedule(), TurnoverPeriodOf(m_viewedDate, month, format.weekStartsMonday), month,
      format, m_env->hiddenByFilter);
  m_session.messages().PlainMessage(report.text, report.caption);
}

}  // namespace ploven
