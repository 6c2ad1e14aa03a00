#include "printouts/compose_printout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "printouts/printout_messages.h"
#include "recur/expansion_fixture.h"
#include "store/projects.h"

namespace ploven::test {
namespace {

class ComposePrintoutTest : public RecurTest {
 protected:
  static constexpr DayNumber kTomorrow = kToday + 1;

  ActHandle Memo(const std::string& title, DayNumber date) {
    Act a;
    a.flags = AF_HOPE;
    a.typeFlags = ACT_MEMO;
    return s.NewItem(date, a, title);
  }
  ActHandle Fluid(const std::string& title, uint8_t tier, uint32_t flags = 0) {
    Act a;
    a.flags = AF_FLEXIBLE | flags;
    a.typeFlags = ACT_ITEM;
    a.duration = 30;
    a.tier = tier;
    const ActHandle h = s.NewItem(kTomorrow, a, title);
    EXPECT_NE(h, kNoAct);
    return h;
  }
  uint32_t Project(const std::string& title) {
    Act a;
    a.typeFlags = ACT_PROJECT;
    return s.ReadAct(NewProject(s, a, title)).ID;
  }

  PrintoutDocument Compose(PrintoutRequest request) {
    PrintSource source{engine, &r, options, MakePrintoutFilter(s, filters, {}, includePrivate),
                       "Dana", "", daysPerPage};
    return ComposePrintout(source, request);
  }
  PrintoutDocument Days(DayNumber from, DayNumber to) {
    return Compose(PrintoutRequest(PrintoutKind::kDayView, from, to));
  }

  static std::vector<std::string> Titles(const PrintBlock& block) {
    std::vector<std::string> titles;
    for (const PrintRow& row : block.rows) titles.push_back(row.title);
    return titles;
  }

  DisplayOptions options;
  FilterState filters;
  bool includePrivate = false;
  int daysPerPage = 1;
};

TEST_F(ComposePrintoutTest, DaySheetRowsInOrderWithTheirColumns) {
  const uint32_t garden = Project("Garden");
  Fixed("Dentist", kTomorrow, At(9), 60);
  Memo("Call bank", kTomorrow);
  const ActHandle lunch = Fixed("Lunch", kTomorrow, At(12), 90, AF_DONE);
  s.LockAct(lunch).projectID = garden;
  const PrintoutDocument doc = Days(kTomorrow, kTomorrow);
  EXPECT_EQ(doc.what, printout_text::kDayView);
  EXPECT_EQ(doc.userName, "Dana");
  ASSERT_EQ(doc.blocks.size(), 1u);
  const PrintBlock& day = doc.blocks[0];
  EXPECT_EQ(Titles(day), (std::vector<std::string>{"Call bank", "Dentist", "Lunch"}));
  EXPECT_EQ(day.rows[0].duration, "(memo)");
  EXPECT_EQ(day.rows[1].when, "9:00a");
  EXPECT_EQ(day.rows[1].duration, "(1:00)");
  EXPECT_FALSE(day.rows[1].done);
  EXPECT_EQ(day.rows[2].when, "12:00p");
  EXPECT_EQ(day.rows[2].project, "Garden");
  EXPECT_TRUE(day.rows[2].done);
}

TEST_F(ComposePrintoutTest, PrivateItemsOnlyWhenIncluded) {
  Fixed("!Therapist", kTomorrow, At(9), 60);
  Fixed("Standup", kTomorrow, At(10), 15);
  EXPECT_EQ(Titles(Days(kTomorrow, kTomorrow).blocks[0]), (std::vector<std::string>{"Standup"}));
  includePrivate = true;
  EXPECT_EQ(Titles(Days(kTomorrow, kTomorrow).blocks[0]),
            (std::vector<std::string>{"!Therapist", "Standup"}));
}

TEST_F(ComposePrintoutTest, TheActiveFilterApplies) {
  Fixed("Budget review", kTomorrow, At(9), 60);
  Fixed("Gym", kTomorrow, At(18), 60);
  Fluid("Budget draft", 'A');
  filters.settings.titleOn = true;
  filters.settings.SetTitleText("budget");
  // Only while filtering is on (the Filters window open).
  EXPECT_EQ(Days(kTomorrow, kTomorrow).blocks[0].rows.size(), 3u);
  filters.filteringOn = true;
  // In the day's order: the fluid item waits unplaced at the top.
  EXPECT_EQ(Titles(Days(kTomorrow, kTomorrow).blocks[0]),
            (std::vector<std::string>{"Budget draft", "Budget review"}));
  EXPECT_EQ(Titles(Compose(PrintoutRequest(PrintoutKind::kPriorityView)).blocks[0]),
            (std::vector<std::string>{"Budget draft"}));
}

TEST_F(ComposePrintoutTest, AppointmentsOnlyRuleOfMyMultipleDayViewDoesNotApply) {
  Fixed("Dentist", kTomorrow, At(9), 60);
  const ActHandle report = Fluid("Write report", 'A');
  FilterContext myDays;
  myDays.view = FilterView::kMyMultipleDayView;
  myDays.appointmentsOnlyInMyMultipleDayView = true;
  // The view itself hides the fluid item ...
  EXPECT_TRUE(IsFilteredOut(s, filters, myDays, report));
  // ... its printout does not.
  PrintSource source{engine, &r, options, MakePrintoutFilter(s, filters, myDays, false), "", "", 1};
  EXPECT_EQ(ComposePrintout(source, PrintoutRequest(PrintoutKind::kDayView, kTomorrow, kTomorrow))
                .blocks[0]
                .rows.size(),
            2u);
}

TEST_F(ComposePrintoutTest, ARangeOfDaysWithDaysPerPage) {
  Fixed("Tuesday thing", kToday, At(9), 60);
  Fixed("Thursday thing", kToday + 2, At(9), 60);
  daysPerPage = 2;
  // Asked backwards, printed forwards.
  const PrintoutDocument doc = Days(kToday + 3, kToday);
  ASSERT_EQ(doc.blocks.size(), 4u);
  EXPECT_EQ(Titles(doc.blocks[0]), (std::vector<std::string>{"Tuesday thing"}));
  EXPECT_TRUE(doc.blocks[1].rows.empty());
  EXPECT_EQ(doc.blocks[1].emptyText, printout_text::kNoItems);
  EXPECT_EQ(Titles(doc.blocks[2]), (std::vector<std::string>{"Thursday thing"}));
  EXPECT_EQ((std::vector<bool>{doc.blocks[0].newPage, doc.blocks[1].newPage,
                               doc.blocks[2].newPage, doc.blocks[3].newPage}),
            (std::vector<bool>{false, false, true, false}));
  EXPECT_NE(doc.dates.find(" - "), std::string::npos);
}

TEST_F(ComposePrintoutTest, RecurringOccurrencesAppearOnTheirDays) {
  Recurring("Walk the dog", Daily(kToday));
  const PrintoutDocument doc = Days(kToday + 10, kToday + 11);
  EXPECT_EQ(Titles(doc.blocks[0]), (std::vector<std::string>{"Walk the dog"}));
  EXPECT_EQ(Titles(doc.blocks[1]), (std::vector<std::string>{"Walk the dog"}));
}

TEST_F(ComposePrintoutTest, PriorityViewFollowsTheIndex) {
  Fluid("Second", 'B');
  Fluid("First", 'A');
  Fluid("Done one", 'C', AF_DONE);
  const PrintoutDocument doc = Compose(PrintoutRequest(PrintoutKind::kPriorityView));
  ASSERT_EQ(doc.blocks.size(), 1u);
  const PrintBlock& list = doc.blocks[0];
  ASSERT_GE(list.rows.size(), 2u);
  EXPECT_EQ(list.rows[0].title, "First");
  EXPECT_EQ(list.rows[0].priority, "A1");
  EXPECT_EQ(list.rows[1].title, "Second");
  EXPECT_EQ(list.rows[0].duration, "(:30)");
  EXPECT_FALSE(doc.firstPageOnly);
  PrintoutRequest first(PrintoutKind::kPriorityView);
  first.firstPageOnly = true;
  EXPECT_TRUE(Compose(first).firstPageOnly);
}

TEST_F(ComposePrintoutTest, UnderscoredItemsInOrderOfDateAndTime) {
  Fixed("Later", kToday + 5, At(9), 30, AF_UNDERSCORED);
  Fixed("Plain", kToday + 1, At(9), 30);
  Fixed("Afternoon", kToday + 1, At(15), 30, AF_UNDERSCORED);
  Fixed("Morning", kToday + 1, At(8), 30, AF_UNDERSCORED);
  const PrintoutDocument doc = Compose(PrintoutRequest(PrintoutKind::kUnderscoredItems));
  EXPECT_EQ(Titles(doc.blocks[0]), (std::vector<std::string>{"Morning", "Afternoon", "Later"}));
  EXPECT_NE(doc.blocks[0].rows[0].when.find("8:00a"), std::string::npos);
}

TEST_F(ComposePrintoutTest, CalendarShowsAppointmentsAndMemosOnly) {
  Fixed("Dentist", kTomorrow, At(9), 60);
  Memo("Mum's birthday", kTomorrow);
  Fluid("Write report", 'A');
  PrintoutRequest week(PrintoutKind::kCalendar, kToday, static_cast<DayNumber>(kToday + 6));
  week.calendarFormat = CalendarFormat::kWeeks;
  const PrintoutDocument doc = Compose(week);
  ASSERT_TRUE(doc.IsCalendar());
  ASSERT_EQ(doc.calendarPages.size(), 1u);
  const CalendarGrid& grid = doc.calendarPages[0][0];
  // Weeks start on Monday: 7 Dec to 20 Dec, the Monday before today outside the range.
  ASSERT_EQ(grid.weeks.size(), 2u);
  EXPECT_EQ(grid.weeks[0][0].date, kToday - 1);
  EXPECT_FALSE(grid.weeks[0][0].inRange);
  EXPECT_TRUE(grid.weeks[0][1].today);
  EXPECT_TRUE(grid.weeks[1][0].inRange);
  EXPECT_FALSE(grid.weeks[1][1].inRange);
  const CalendarCell& wednesday = grid.weeks[0][2];
  ASSERT_EQ(wednesday.date, kTomorrow);
  ASSERT_EQ(wednesday.lines.size(), 2u);
  EXPECT_EQ(wednesday.lines[0].title, "Mum's birthday");
  EXPECT_EQ(wednesday.lines[0].time, "");
  EXPECT_EQ(wednesday.lines[1].title, "Dentist");
  EXPECT_EQ(wednesday.lines[1].time, "9:00a");
}

TEST_F(ComposePrintoutTest, MonthsOnPagesAndAQuarterOnOne) {
  PrintoutRequest quarter(PrintoutKind::kCalendar, 17168, 17257);  // January to March 2027
  quarter.calendarFormat = CalendarFormat::kMonths;
  quarter.monthsPerPage = 3;
  PrintoutDocument doc = Compose(quarter);
  ASSERT_EQ(doc.calendarPages.size(), 1u);
  ASSERT_EQ(doc.calendarPages[0].size(), 3u);
  EXPECT_EQ(doc.calendarPages[0][0].caption, "January 2027");
  EXPECT_EQ(doc.calendarPages[0][2].caption, "March 2027");
  quarter.monthsPerPage = 1;
  doc = Compose(quarter);
  EXPECT_EQ(doc.calendarPages.size(), 3u);
}

TEST_F(ComposePrintoutTest, NotesAreSplitIntoParagraphs) {
  PrintoutRequest notes(PrintoutKind::kNotes);
  notes.notes = {{"Dentist - Wed", "Bring the card.\r\nAsk about the crown.\n\n"}, {"Empty", ""}};
  const PrintoutDocument doc = Compose(notes);
  ASSERT_EQ(doc.blocks.size(), 2u);
  EXPECT_EQ(doc.blocks[0].heading, "Dentist - Wed");
  EXPECT_EQ(Titles(doc.blocks[0]),
            (std::vector<std::string>{"Bring the card.", "Ask about the crown."}));
  EXPECT_TRUE(doc.blocks[0].rows[0].note);
  EXPECT_TRUE(doc.blocks[1].rows.empty());
}

}  // namespace
}  // namespace ploven::test
