#include "present/list_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recur/expansion_fixture.h"
#include "store/projects.h"

namespace ploven::test {
namespace {

class ListLinesTest : public RecurTest {
 protected:
  ActHandle Item(const std::string& title, DayNumber date, uint32_t flags = 0,
                 uint32_t project = 0) {
    Act a;
    a.flags = AF_FIXED | flags;
    a.typeFlags = ACT_ITEM;
    a.startTime = At(10);
    a.duration = 45;
    a.projectID = project;
    const ActHandle h = s.NewItem(date, a, title);
    EXPECT_NE(h, kNoAct);
    return h;
  }

  uint32_t Project(const std::string& title) {
    Act a;
    a.typeFlags = ACT_PROJECT;
    const ActHandle p = NewProject(s, a, title);
    EXPECT_NE(p, kNoAct);
    return s.ReadAct(p).ID;
  }

  std::string Priority(ActHandle h, ListLineOptions o = {}) {
    return PriorityLine(s, h, engine.dateText(), o);
  }
  std::string Alphabetical(ActHandle h, ListLineOptions o = {}) {
    return AlphabeticalLine(s, h, engine.dateText(), o);
  }
};

struct OffsetCase {
  int days;
  const char* text;
};

class DayOffsetTest : public ListLinesTest, public ::testing::WithParamInterface<OffsetCase> {};

TEST_P(DayOffsetTest, PriorityLineShowsTheDaysFromToday) {
  const OffsetCase& c = GetParam();
  const ActHandle h = Item("Task", static_cast<DayNumber>(kToday + c.days));
  const std::string line = Priority(h);
  // Priority, date and weekday take the first 16 characters.
  EXPECT_EQ(line.substr(17, 3), c.text) << line;
  EXPECT_EQ(DayOffsetText(c.days), c.text);
}

INSTANTIATE_TEST_SUITE_P(Offsets, DayOffsetTest,
                         ::testing::Values(OffsetCase{-100, "---"}, OffsetCase{-99, "-99"},
                                           OffsetCase{-1, "-1 "}, OffsetCase{0, "+0 "},
                                           OffsetCase{7, "+7 "}, OffsetCase{99, "+99"},
                                           OffsetCase{100, ">99"}, OffsetCase{400, ">99"}));

TEST_F(ListLinesTest, PriorityLineHasEveryPart) {
  const uint32_t garden = Project("Garden");
  const ActHandle h = Item("Dig beds", static_cast<DayNumber>(kToday + 3), 0, garden);
  s.LockAct(h).tier = 'B';
  s.LockAct(h).createdDate = static_cast<DayNumber>(kToday - 4);
  ListLineOptions o;
  o.showProjectName = true;
  // Set-date items have no rank.
  EXPECT_EQ(Priority(h, o), "   B0: 12/11 Fri +3        (Garden)  Dig beds (:45) [4 days old] ");
}

TEST_F(ListLinesTest, AgeSaysDayForExactlyOneDay) {
  const ActHandle yesterday = Item("Old", kToday);
  s.LockAct(yesterday).createdDate = static_cast<DayNumber>(kToday - 1);
  const ActHandle fresh = Item("New", kToday);
  EXPECT_NE(Priority(yesterday).find("[1 day old] "), std::string::npos);
  EXPECT_NE(Priority(fresh).find("[0 days old] "), std::string::npos);
  EXPECT_EQ(AgeText(2), "2 days old");
}

TEST_F(ListLinesTest, EarliestBeginAndSequencedMarks) {
  const ActHandle waiting = Item("Waits", static_cast<DayNumber>(kToday + 5), AF_SEQUENCED);
  s.LockAct(waiting).earliestDate = static_cast<DayNumber>(kToday + 1);
  const ActHandle open = Item("Open", static_cast<DayNumber>(kToday + 5));
  s.LockAct(open).earliestDate = kToday;
  EXPECT_EQ(Priority(waiting).substr(20, 6), "  ...^");
  EXPECT_EQ(Priority(open).substr(20, 6), "      ");
}

TEST_F(ListLinesTest, TierlessItemIsNew) { EXPECT_EQ(PriorityText(0, 4), "new4:"); }

TEST_F(ListLinesTest, PriorityLineOfAnExceptionGivesItsOriginDate) {
  const ActHandle def = Recurring("Standup", Daily(kToday));
  Keep(kToday + 2);
  const ActHandle drone = r.CloneToDrone(s, Clone(def, static_cast<DayNumber>(kToday + 2)));
  ASSERT_NE(drone, kNoAct);
  const std::string origin = FormatDate(static_cast<DayNumber>(kToday + 2), engine.dateText());
  EXPECT_NE(Priority(drone).find("[" + origin + ": origin date of recurring exception] "),
            std::string::npos)
      << Priority(drone);
  EXPECT_NE(Priority(def).find("[" + FormatDate(kToday, engine.dateText()) +
                               ": origin date of recurring exception] "),
            std::string::npos);
}

TEST_F(ListLinesTest, AlphabeticalLines) {
  const uint32_t garden = Project("Garden");
  const ActHandle item = Item("Dig beds", kToday, 0, garden);
  const ActHandle def = Recurring("Standup", Daily(kToday));
  ListLineOptions o;
  o.showProjectName = true;
  EXPECT_EQ(Alphabetical(item, o), "12/08/26 Tue  (Garden)  Dig beds (:45)");
  EXPECT_EQ(Alphabetical(def, o), "   ®ecurring  Standup (:30)");
  // The title starts at the same column in both forms, though the mark has a two-byte letter.
  EXPECT_EQ(ByteOffsetOfColumn(Alphabetical(def), kListPlainColumns),
            Alphabetical(def).find("Standup"));
  EXPECT_EQ(ByteOffsetOfColumn(Alphabetical(item), kListPlainColumns),
            Alphabetical(item).find("Dig beds"));
}

TEST_F(ListLinesTest, ProjectPartOnlyWithNamesOnAndALiveProject) {
  const uint32_t garden = Project("Garden");
  const ActHandle item = Item("Dig beds", kToday, 0, garden);
  const ActHandle loose = Item("Loose", kToday);
  const ActHandle stale = Item("Stale", kToday, 0, 987654);
  ListLineOptions on;
  on.showProjectName = true;
  EXPECT_EQ(Alphabetical(item).find("(Garden)"), std::string::npos);
  EXPECT_EQ(Priority(item).find("(Garden)"), std::string::npos);
  EXPECT_NE(Priority(item, on).find("(Garden)  Dig beds"), std::string::npos);
  EXPECT_NE(Alphabetical(loose, on).find("  Loose (:45)"), std::string::npos);
  EXPECT_EQ(Alphabetical(loose, on).find("(none)"), std::string::npos);
  EXPECT_EQ(Alphabetical(stale, on).find("(none)"), std::string::npos);
}

TEST_F(ListLinesTest, ProjectsListLineMarksTaggedProjects) {
  Project("Plain");
  const uint32_t tagged = Project("Tagged");
  const ActHandle t = FindProjectByID(s, tagged);
  ASSERT_TRUE(ToggleProjectTag(s, t));
  const std::vector<ActHandle> entries = ListEntries(s, ListKind::kProjects);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(ProjectsListLine(s, entries[0]), std::string(15, ' ') + " Plain");
  EXPECT_EQ(ProjectsListLine(s, entries[1]), std::string(15, ' ') + "$Tagged");
}

TEST_F(ListLinesTest, AlphabeticalEntriesAreUndoneItemsInTitleOrder) {
  Item("pear", kToday);
  const ActHandle done = Item("Apple", kToday, AF_DONE);
  Recurring("Mango", Daily(kToday));
  Item("banana", static_cast<DayNumber>(kToday + 1));
  Project("Zebra project");
  std::vector<std::string> titles;
  for (ActHandle h : ListEntries(s, ListKind::kAlphabetical)) {
    EXPECT_NE(h, done);
    titles.push_back(s.GetActTitle(h));
  }
  EXPECT_EQ(titles, (std::vector<std::string>{"banana", "Mango", "pear"}));
}

TEST_F(ListLinesTest, PriorityEntriesFollowTheIndex) {
  Act a;
  a.flags = AF_FLEXIBLE;
  a.typeFlags = ACT_ITEM;
  a.duration = 30;
  a.tier = 'B';
  const ActHandle b = s.NewItem(kToday, a, "Second");
  a.tier = 'A';
  const ActHandle first = s.NewItem(kToday, a, "First");
  ASSERT_NE(b, kNoAct);
  ASSERT_NE(first, kNoAct);
  std::vector<ActHandle> expected;
  for (const auto ref : s.priorityIndex()) expected.push_back(ref.entry.item);
  EXPECT_EQ(ListEntries(s, ListKind::kPriority), expected);
  ASSERT_EQ(expected.size(), 2u);
  EXPECT_EQ(expected.front(), first);
}

TEST_F(ListLinesTest, LineCarriesItsDrawingFacts) {
  const uint32_t garden = Project("Garden");
  FindProjectByID(s, garden);
  s.LockAct(FindProjectByID(s, garden)).color = 0x123456;
  const ActHandle h = Item("Dig beds", kToday, AF_UNDERSCORED, garden);
  s.LockAct(h).expectedReturn = 90;
  ListLineOptions o;
  o.valueOfTime = true;
  const ListLine line = MakeListLine(s, ListKind::kPriority, h, engine.dateText(), o);
  EXPECT_TRUE(line.underscored);
  EXPECT_FALSE(line.done);
  EXPECT_TRUE(line.hasProject);
  EXPECT_EQ(line.projectColor, 0x123456u);
  EXPECT_EQ(line.value, "90 ");
  EXPECT_FLOAT_EQ(line.returnPerHour, 120.0f);
  EXPECT_EQ(line.text.substr(line.overlayFrom), line.text.substr(14));
  const ListLine plain = MakeListLine(s, ListKind::kAlphabetical, h, engine.dateText(), {});
  EXPECT_TRUE(plain.value.empty());
}

TEST(ListTextTest, PaddingCountsCharactersNotBytes) {
  EXPECT_EQ(PadLeft("®x", 4), "  ®x");
  EXPECT_EQ(PadLeft("toolong", 3), "toolong");
  EXPECT_EQ(ByteOffsetOfColumn("®ab", 1), 2u);
  EXPECT_EQ(ByteOffsetOfColumn("ab", 5), 2u);
}

}  // namespace
}  // namespace ploven::test
