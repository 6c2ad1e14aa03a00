// The main window's Reports commands: the statistics shown in a box, and the daily time by
// project written to a file the user names.

#include <QFileDialog>
#include <QInputDialog>
#include <algorithm>
#include <filesystem>

#include "app/app_messages.h"
#include "app/main_window.h"
#include "done/time_report.h"
#include "store/project_reports.h"

namespace ploven {

namespace t = app_text;

namespace {
constexpr int kLoggedDaysBack = 27 * 7 + 7;
}  // namespace

void MainWindow::ShowReport(Command command) {
  Schedule& s = m_session.schedule();
  const ReportFormat format = ReportFormatFor(m_env->dateText(), m_env->options.weekStartsMonday);
  const ItemFilter& hidden = m_env->hiddenByFilter;
  // Archived days are read from the done logs: the reports look back 26 weeks and a week more.
  std::vector<DoneLogProblem> problems;
  const std::vector<LoggedWork> logged =
      command == Command::kDayTurnoverScore
          ? std::vector<LoggedWork>{}
          : LoggedWorkBetween(
                s, m_session.fs(),
                std::filesystem::path(m_session.files().path()).parent_path().string(),
                static_cast<DayNumber>(std::max(1, m_viewedDate - kLoggedDaysBack)), m_viewedDate,
                m_env->dateText(), problems);
  ReportText report;
  switch (command) {
    case Command::kDayTurnoverScore:
      report = TurnoverScoreReport(s, m_viewedDate, format, hidden);
      break;
    case Command::kDailyTaggedProjectsTime:
      report = DailyTaggedTimeReport(s, m_viewedDate, format, hidden, logged);
      break;
    case Command::kWeeklyTaggedProjectsTime:
      report = WeeklyTaggedTimeReport(s, m_viewedDate, format, hidden, logged);
      break;
    default:
      report = WeeklyLifeTimeReport(s, m_viewedDate, format, hidden, logged);
      break;
  }
  m_session.messages().PlainMessage(report.text, report.caption);
}

void MainWindow::DailyTimeByProjectReport() {
  Schedule& s = m_session.schedule();
  const ReportFormat format = ReportFormatFor(m_env->dateText(), m_env->options.weekStartsMonday);
  bool ok = false;
  const int days = QInputDialog::getInt(this, t::kProjectReportCaption, t::kProjectReportDays, 7, 1,
                                        366, 1, &ok);
  if (!ok) return;
  const QString file = QFileDialog::getSaveFileName(
      this, t::kProjectReportCaption,
      QString::fromStdString(
          (std::filesystem::path(m_session.files().folder()) / "ProjectTime.txt").string()),
      t::kTextFiles);
  if (file.isEmpty()) return;
  const auto first = static_cast<DayNumber>(m_viewedDate - days + 1);
  const ReportFileResult r = WriteDailyTimeByProjectReport(
      s, WithTxtExtension(file.toStdString()), first, m_viewedDate, format, m_env->hiddenByFilter);
  if (r.ok)
    m_session.messages().InformationMessage(r.message);
  else
    m_session.messages().ErrorMessage(r.message);
}

}  // namespace ploven
