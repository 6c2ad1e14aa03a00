#include "cli/report_command.h"

#include <filesystem>
#include <iostream>
#include <map>
#include <optional>

#include "cli/cli_input.h"
#include "cli/cli_messages.h"
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/schedule_access.h"
#include "done/done_messages.h"
#include "done/time_report.h"
#include "platform/format.h"

namespace ploven::cli {

namespace t = cli_text;

int ReportCommand(CliEnv& env, const std::vector<std::string>& a) {
  if (a.size() < 3 || a[1] != "time") return UsageError(t::kWrongArguments + a[0]);
  std::map<std::string, std::string> values;
  bool csv = false;
  for (size_t i = 3; i < a.size(); ++i) {
    if (a[i] == "--csv") {
      csv = true;
    } else if ((a[i] == "--from" || a[i] == "--to" || a[i] == "--by") && i + 1 < a.size()) {
      values[a[i]] = a[i + 1];
      ++i;
    } else {
      return UsageError(t::kUnknownOption + a[i]);
    }
  }
  if (!values.contains("--from") || !values.contains("--to"))
    return UsageError(t::kWrongArguments + a[0]);
  TimeReportBy by = TimeReportBy::kProject;
  if (values.contains("--by")) {
    const std::string& b = values["--by"];
    if (b == "day")
      by = TimeReportBy::kDay;
    else if (b == "week")
      by = TimeReportBy::kWeek;
    else if (b != "project")
      return UsageError(t::kUnknownOption + b);
  }
  auto s = LoadForReading(env, a[2]);
  if (s == nullptr) return kExitRefused;
  const ParseContext context =
      env.Context(s->header().earliestTimeOfDay(), s->header().latestTimeOfDay());
  DayNumber range[2] = {};
  for (int i = 0; i < 2; ++i) {
    const auto r = ReadDateArgument(values[i == 0 ? "--from" : "--to"], env.text(), context);
    if (!r.value) {
      env.msg().ErrorMessage(r.message);
      return kExitRefused;
    }
    range[i] = *r.value;
  }
  if (range[1] < range[0]) {
    env.msg().ErrorMessage(t::kReportRangeBackwards);
    return kExitRefused;
  }
  const std::string folder = std::filesystem::path(a[2]).parent_path().string();
  std::vector<DoneLogProblem> problems;
  const TimeReport report = DoneTimeReport(*s, env.fs(), folder.empty() ? "." : folder, range[0],
                                           range[1], env.text(), by, problems);
  for (const DoneLogProblem& p : problems)
    std::cerr << Sprintf(done_text::kLogProblem, p.file.c_str(), p.line, p.reason.c_str()) << '\n';
  if (csv) {
    std::cout << TimeReportCsv(report, by, env.text());
    return kExitOk;
  }
  // The plain form: period (ISO date), project, hours:minutes, TAB-separated, then the total.
  for (const TimeReportRow& r : report.rows) {
    if (by != TimeReportBy::kProject) std::cout << IsoDate(r.period) << '\t';
    std::cout << (r.project.empty() ? "-" : r.project) << '\t'
              << Sprintf("%d:%02d", r.minutes / 60, r.minutes % 60) << '\n';
  }
  std::cout << Sprintf(t::kReportTotal, report.minutes / 60, report.minutes % 60, report.expense,
                       report.mileage)
            << '\n';
  return kExitOk;
}

}  // namespace ploven::cli
