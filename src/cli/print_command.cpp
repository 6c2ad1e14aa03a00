#include "cli/print_command.h"

#include <QGuiApplication>
#include <iostream>
#include <memory>
#include <filesystem>
#include <map>
#include <optional>

#include "cli/cli_messages.h"
#include "cli/command_args.h"
#include "cli/commands.h"
#include "cli/schedule_access.h"
#include "filters/item_filter.h"
#include "notes/note_files.h"
#include "platform/format.h"
#include "platform/program_settings.h"
#include "platform/settings_keys.h"
#include "print/pdf_printout.h"
#include "printouts/compose_printout.h"
#include "printouts/print_notes.h"
#include "printouts/printout_requests.h"
#include "recur/planning_session.h"

namespace ploven::cli {

namespace {

namespace t = cli_text;

// A range longer than this is a typing mistake, not a printout.
constexpr int kMaxPrintDays = 366;

// The printouts the command makes of WHAT, for the days it was given.
struct PrintChoice {
  std::vector<PrintoutRequest> requests;
  bool notes = false;  // the notes of the items on the days
};

std::optional<PrintChoice> ChoiceFor(const std::string& what, DayNumber from, DayNumber to,
                                     CalendarFormat format, const PrintoutSettings& settings,
                                     bool monday) {
  PrintChoice c;
  PrintoutRequest r;
  r.from = from;
  r.to = to;
  if (what == "day") {
    r.kind = PrintoutKind::kDayView;
  } else if (what == "priority" || what == "priority-first") {
    r.kind = PrintoutKind::kPriorityView;
    r.firstPageOnly = what == "priority-first";
  } else if (what == "alphabetical") {
    r.kind = PrintoutKind::kAlphabeticalView;
  } else if (what == "projects") {
    r.kind = PrintoutKind::kProjectsList;
  } else if (what == "underscored") {
    r.kind = PrintoutKind::kUnderscoredItems;
  } else if (what == "notes") {
    r.kind = PrintoutKind::kNotes;
    c.notes = true;
  } else if (what == "calendar") {
    r.kind = PrintoutKind::kCalendar;
    r.calendarFormat = format;
  } else if (what == "week" || what == "4weeks" || what == "month" || what == "quarter") {
    const CalendarSpan span = what == "week"     ? CalendarSpan::kWeek
                              : what == "4weeks" ? CalendarSpan::kFourWeeks
                              : what == "month"  ? CalendarSpan::kMonth
                                                 : CalendarSpan::kQuarter;
    r = CalendarRequest(span, from, monday);
  } else if (what == "mine") {
    c.requests = MyPrintoutRequests(settings.mine, from, monday);
    return c;
  } else {
    return std::nullopt;
  }
  c.requests.push_back(r);
  return c;
}

// Qt's note that it made a runtime folder of its own is no news to a cron job's mail.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtDebugMsg || type == QtInfoMsg || message.contains(QStringLiteral("XDG_RUNTIME_DIR")))
    return;
  std::cerr << message.toStdString() << '\n';
}

// Qt draws the pages; it needs an application object, and never a screen here.
struct OffscreenApplication {
  OffscreenApplication() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQtMessages);
    app = std::make_unique<QGuiApplication>(argc, argv);
  }
  int argc = 1;
  char name[10] = "plovenctl";
  char* argv[2] = {name, nullptr};
  std::unique_ptr<QGuiApplication> app;
};

}  // namespace

int PrintCommand(CliEnv& env, const std::vector<std::string>& a) {
  if (a.size() < 3) return UsageError(t::kWrongArguments + a[0]);
  std::map<std::string, std::string> values;
  bool includePrivate = false;
  for (size_t i = 3; i < a.size(); ++i) {
    if (a[i] == "--private") {
      includePrivate = true;
    } else if ((a[i] == "--from" || a[i] == "--to" || a[i] == "--pdf" || a[i] == "--format") &&
               i + 1 < a.size()) {
      values[a[i]] = a[i + 1];
      ++i;
    } else {
      return UsageError(t::kUnknownOption + a[i]);
    }
  }
  if (!values.contains("--pdf")) return UsageError(t::kPrintNeedsPdf);
  CalendarFormat format = CalendarFormat::kWeeks;
  if (values.contains("--format")) {
    const auto named = CalendarFormatNamed(values["--format"]);
    if (!named) return UsageError(t::kUnknownOption + values["--format"]);
    format = *named;
  }
  auto s = LoadForReading(env, a[1]);
  if (s == nullptr) return kExitRefused;
  const ParseContext context =
      env.Context(s->header().earliestTimeOfDay(), s->header().latestTimeOfDay());
  DayNumber from = s->Today();
  if (values.contains("--from")) {
    const auto r = ReadDateArgument(values["--from"], env.text(), context);
    if (!r.value) return Refuse(env, r.message);
    from = *r.value;
  }
  DayNumber to = from;
  if (values.contains("--to")) {
    const auto r = ReadDateArgument(values["--to"], env.text(), context);
    if (!r.value) return Refuse(env, r.message);
    to = *r.value;
  }
  if (to < from) return Refuse(env, t::kReportRangeBackwards);
  if (to - from >= kMaxPrintDays)
    return Refuse(env, Sprintf(t::kPrintRangeTooLong, kMaxPrintDays));

  PrintoutSettings settings = PrintoutSettings::Load(env.settings());
  if (includePrivate) settings.includePrivateItems = true;
  PlanningSession planning(*s, env.settings(), env.text());
  ProgramSettings program;
  LocaleFacts locale;
  locale.country = env.text().regional.iCountry;
  program.Load(env.settings(), locale);
  const auto choice = ChoiceFor(a[2], from, to, format, settings, program.weekStartsMon != 0);
  if (!choice) return UsageError(Sprintf(t::kUnknownPrintout, a[2].c_str()));

  // The Filters window is not open here: only the rules that always apply.
  const FilterState filters;
  const FilterContext base;
  PrintSource source{planning.engine(), &planning.recurrences(),
                     DisplayOptions::From(program, !s->header().LightModePermitted()),
                     MakePrintoutFilter(*s, filters, base, settings.includePrivateItems),
                     env.settings().ReadString(key::kUserName), "", settings.daysPerPage};
  std::vector<PrintoutDocument> documents;
  for (PrintoutRequest request : choice->requests) {
    if (choice->notes) {
      const std::string folder = std::filesystem::path(a[1]).parent_path().string();
      NoteFiles notes(*s, env.fs(), folder.empty() ? "." : folder, [](int) { return 0; });
      request.notes = NotesToPrint(source, notes, ItemsOnDays(*s, from, to, source.hidden));
    }
    documents.push_back(ComposePrintout(source, request));
  }
  if (documents.empty()) return Refuse(env, t::kNothingToPrint);

  OffscreenApplication qt;
  const PdfResult pdf =
      WritePrintoutsPdf(documents, PrintFonts::From(settings), settings.paper, values["--pdf"]);
  if (!pdf.ok) return Refuse(env, pdf.message);
  std::cout << Sprintf(t::kPrintPages, pdf.pages, pdf.pages == 1 ? "" : "s") << '\n';
  return kExitOk;
}

}  // namespace ploven::cli
