#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "edit/edit_messages.h"
#include "edit/item_edit.h"
#include "platform/format.h"
#include "recur/expansion_fixture.h"
#include "recur/recurrence_dialog_messages.h"

namespace ploven::test {
namespace {

// Each input the item dialog's OK refuses or adjusts, given once to plovenctl and once to the
// dialog's working copy: both say the same, and both make the same (or nothing).
struct BadInput {
  const char* name;
  std::vector<std::string> args;  // after "add s.pak"
  void (*fill)(ItemDraft&);       // the same input in the working copy of New Item
  std::string message;
  bool refused;             // refused: nothing made; otherwise made with the change told
  uint32_t flagsOn = 0;     // what was made carries these flags...
  uint32_t flagsOff = 0;    // ...and not these
  Duration duration = 0;    // and, when not 0, this duration
  friend void PrintTo(const BadInput& in, std::ostream* os) { *os << in.name; }
};

constexpr DayNumber kToday = TestEnv::kToday;
TimeOfDay At(int hour) { return static_cast<TimeOfDay>(hour * 60 + 1); }

// The Day Bounds range of a new schedule (7:00 to 23:00) as the auto-split question says it.
std::string DayBoundsHours() {
  std::string h = FormatHours(16 * 60);
  return h.substr(h.find_first_not_of(' '));
}

Beta Daily(DayNumber start, DayNumber end = kNoDate) {
  Beta b;
  b.freq = kFreqDaily;
  b.interval = 1;
  b.startDate = start;
  b.endDate = end;
  return b;
}

std::vector<BadInput> Inputs() {
  const std::string hours = DayBoundsHours();
  return {
      {"BlankTitle", {"--title", "   "}, [](ItemDraft& d) { d.title = "   "; },
       edit_text::kEmptyTitle, true},
      {"EmptyTitle", {"--title", ""}, [](ItemDraft& d) { d.title.clear(); },
       edit_text::kEmptyTitle, true},
      {"DeadlineBeforeEarliest",
       {"--title", "Report", "--earliest", "2026-12-12", "--deadline", "2026-12-10"},
       [](ItemDraft& d) {
         d.Set(AF_FLEXIBLE, true);
         d.act.earliestDate = kToday + 4;
         d.act.deadlineDate = kToday + 2;
       },
       edit_text::kDeadlineBeforeEarliest, true},
      {"LatestEndBeforeEarliestBegin",
       {"--title", "Call", "--earliest-time", "15:00", "--latest-time", "09:00"},
       [](ItemDraft& d) {
         d.Set(AF_FLEXIBLE, false);
         d.act.earliestTime = At(15);
         d.act.latestTime = At(9);
       },
       edit_text::kLatestBeforeEarliestTime, true},
      {"ArchivedDate", {"--title", "Old", "--date", "2026-12-01"},
       [](ItemDraft& d) {
         d.Set(AF_FLEXIBLE, false);
         d.date = kToday - 7;
       },
       Sprintf(edit_text::kArchivedDate, FormatDate(kToday - 7, DateText{}).c_str()), true},
      {"RecurrenceEndsBeforeItStarts",
       {"--title", "Standup", "--recur", "daily", "--from", "2026-12-20", "--until", "2026-12-10"},
       [](ItemDraft& d) {
         d.Set(AF_FLEXIBLE, false);
         d.recurrence = Daily(kToday + 12, kToday + 2);
       },
       recur_dialog_text::kEndBeforeStart, true},
      {"SplittableRecurringItem", {"--title", "Standup", "--recur", "daily", "--split"},
       [](ItemDraft& d) {
         d.Set(AF_FLEXIBLE, false);
         d.Set(AF_SPLIT, true);
         d.recurrence = Daily(kToday);
       },
       edit_text::kRecurringNotSplittable, false, AF_BETA, AF_SPLIT},
      {"LongerThanTheDayBounds", {"--title", "Move house", "--duration", "20:00"},
       [](ItemDraft& d) {
         d.Set(AF_FLEXIBLE, false);
         d.act.duration = 20 * 60;
       },
       // Nobody answers: the default button proceeds and the item is split over days.
       Sprintf(edit_text::kAutoSplit, hours.c_str(), hours.c_str()), false,
       AF_SPLIT | AF_FLEXIBLE, 0, 20 * 60},
      {"RecurringLongerThanTheDayBounds",
       {"--title", "Shift", "--recur", "daily", "--duration", "20:00"},
       [](ItemDraft& d) {
         d.Set(AF_FLEXIBLE, false);
         d.act.duration = 20 * 60;
         d.recurrence = Daily(kToday);
       },
       edit_text::kRecurringDurationCut, false, AF_BETA, AF_SPLIT, 16 * 60},
  };
}

// A box as plovenctl prints it on one line.
std::string OneLine(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '\n' ? std::string("\\n") : std::string(1, c);
  return out;
}

class BadItemInputTest : public RecurTest, public ::testing::WithParamInterface<BadInput> {
 protected:
  void SetUp() override {
    RecurTest::SetUp();
    // As plovenctl's new schedule: nothing before today is open to new items.
    s.header().setLastArchivedDate(kToday - 1);
  }

  // The flags and duration of item 1 in the file, as `items` and `info` show them.
  void ExpectMadeByPlovenctl(const BadInput& in) {
    const auto lines = Lines(RunCli(dir, {"items", "s.pak"}).out);
    ASSERT_EQ(lines.size(), 1u);
    const auto fields = Fields(lines[0]);
    const auto flags = static_cast<uint32_t>(std::strtoul(fields[2].c_str(), nullptr, 16));
    EXPECT_EQ(flags & in.flagsOn, in.flagsOn) << fields[2];
    EXPECT_EQ(flags & in.flagsOff, 0u) << fields[2];
    if (in.duration == 0) return;
    // A recurring item's day shows its occurrence; a split item's days add up to it.
    int minutes = 0;
    for (int d = 0; d < 3; ++d) {
      const std::string date = "2026-12-" + std::string(d < 2 ? "0" : "") + std::to_string(8 + d);
      for (const std::string& line : Lines(RunCli(dir, {"day", "s.pak", date}).out))
        minutes += std::stoi(Fields(line)[1]);
      if (flags & AF_BETA) break;
    }
    EXPECT_EQ(minutes, in.duration);
  }

  TempDir dir;
};

TEST_P(BadItemInputTest, PlovenctlAndTheDialogSayAndDoTheSame) {
  const BadInput& in = GetParam();

  ASSERT_EQ(RunCli(dir, {"new", "s.pak"}).status, 0);
  const std::string before = ReadText(dir / "s.pak");
  std::vector<std::string> args{"add", "s.pak"};
  args.insert(args.end(), in.args.begin(), in.args.end());
  const CliRun cli = RunCli(dir, args);
  EXPECT_EQ(cli.status, in.refused ? 1 : 0) << cli.err;
  EXPECT_NE(cli.err.find(": " + OneLine(in.message) + (in.refused ? "\n" : "")),
            std::string::npos)
      << cli.err;
  if (in.refused) {
    EXPECT_EQ(ReadText(dir / "s.pak"), before);
  } else {
    ExpectMadeByPlovenctl(in);
  }

  ItemEditRequest request;
  request.command = kCmdNewItem;
  request.date = kToday;
  std::optional<ItemEditSession> ses = OpenItemEdit(engine, &r, request);
  ASSERT_TRUE(ses.has_value());
  ses->draft.title = "Something";
  in.fill(ses->draft);
  const size_t items = s.actChain().Count();
  const ConfirmResult result = ConfirmItemEdit(engine, &r, *ses, ItemEditHooks{});
  const auto texts = env.ui.Texts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), in.message), texts.end())
      << (texts.empty() ? "no box" : texts.back());
  if (in.refused) {
    EXPECT_EQ(result.outcome, ConfirmOutcome::kStayOpen);
    EXPECT_EQ(s.actChain().Count(), items);
    return;
  }
  ASSERT_EQ(result.outcome, ConfirmOutcome::kApplied);
  const Act& made = s.ReadAct(result.item);
  EXPECT_EQ(made.flags & in.flagsOn, in.flagsOn);
  EXPECT_EQ(made.flags & in.flagsOff, 0u);
  if (in.duration != 0) {
    EXPECT_EQ(made.duration, in.duration);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, BadItemInputTest, ::testing::ValuesIn(Inputs()),
                         [](const ::testing::TestParamInfo<BadInput>& row) {
                           return std::string(row.param.name);
                         });

}  // namespace
}  // namespace ploven::test
