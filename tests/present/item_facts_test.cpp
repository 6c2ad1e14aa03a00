#include "present/item_facts.h"

#include <gtest/gtest.h>

#include "engine/engine_fixture.h"
#include "store/projects.h"

namespace ploven::test {
namespace {

struct UrlCase {
  const char* title;
  const char* url;
};

class FirstUrlTest : public ::testing::TestWithParam<UrlCase> {};

TEST_P(FirstUrlTest, FindsTheFirstWebAddress) {
  EXPECT_EQ(FirstUrlIn(GetParam().title), GetParam().url) << GetParam().title;
}

INSTANTIATE_TEST_SUITE_P(
    Titles, FirstUrlTest,
    ::testing::Values(UrlCase{"Pay bill at https://bank.example/pay now",
                              "https://bank.example/pay"},
                      UrlCase{"Read (http://a.example/x).", "http://a.example/x"},
                      UrlCase{"See www.example.org, then call", "https://www.example.org"},
                      UrlCase{"Two: www.b.example and https://a.example", "https://www.b.example"},
                      UrlCase{"HTTPS://LOUD.EXAMPLE/Page", "HTTPS://LOUD.EXAMPLE/Page"},
                      UrlCase{"Nothing here", ""}, UrlCase{"just http:// alone", ""},
                      UrlCase{"www. alone", ""}));

class ItemFactsTest : public EngineTest {
 protected:
  ReportFormat format = [] {
    ReportFormat f;
    f.date = [](DayNumber d) { return "d" + std::to_string(d); };
    f.duration = [](int m) { return std::to_string(m) + "m"; };
    return f;
  }();
  DateText text;
};

TEST_F(ItemFactsTest, ItemsReportGroupsUndoneItemsByProject) {
  const ActHandle garden = NewProject(s, Act{}, "Garden");
  NewProject(s, Act{}, "Idle");
  const uint32_t gardenId = s.ReadAct(garden).ID;
  const ActHandle dig = Fixed("Dig", kToday, At(9), 60);
  s.LockAct(dig).projectID = gardenId;
  const ActHandle done = Fixed("Sow", kToday, At(10), 30, AF_DONE);
  s.LockAct(done).projectID = gardenId;
  Fixed("Call", kToday + 1, At(11), 15);
  const ReportText r = ItemsReport(s, format);
  EXPECT_EQ(r.caption, "Items Report (by project)");
  EXPECT_EQ(r.text,
            "Garden\n"
            "    d17144            60m  Dig\n"
            "    1 items, 60m\n\n"
            "(no project)\n"
            "    d17145            15m  Call\n"
            "    1 items, 15m\n\n");
}

TEST_F(ItemFactsTest, ItemsByLabelListLabelsInOrderAndTheUnlabelledLast) {
  const ActHandle a = Fixed("Shop", kToday, At(9), 30);
  const ActHandle b = Fixed("Bank", kToday, At(10), 20);
  Fixed("Home", kToday, At(11), 10);
  s.LockAct(a).label = 3;
  s.LockAct(b).label = 1;
  const std::string out = ItemsByLabelReport(s, format, {"Town"}).text;
  const size_t town = out.find("Town\n    d17144            20m  Bank\n");
  const size_t three = out.find("Label 3\n    d17144            30m  Shop\n");
  const size_t none = out.find("(no label)\n    d17144            10m  Home\n");
  ASSERT_NE(town, std::string::npos) << out;
  ASSERT_NE(three, std::string::npos) << out;
  ASSERT_NE(none, std::string::npos) << out;
  EXPECT_LT(town, three);
  EXPECT_LT(three, none);
}

TEST_F(ItemFactsTest, SplitBreakdownListsEachSegment) {
  Act a;
  a.flags = AF_SPLIT | AF_FIXED;
  a.duration = 300;
  a.startTime = At(9);
  const ActHandle h = s.NewItem(kToday, a, "Essay");
  Terminal* next = s.GetTerminal(kToday + 1);
  next->keepDay = 1;
  s.LinkTaskAfter(*next, Schedule::LastTask(next->First()), s.NewTaskNode(h, At(8), 120));
  const std::string out = SplitBreakdownText(s, h, text);
  EXPECT_NE(out.find(FormatDate(kToday, text) + "\t" + FormatTime(At(9), text)), std::string::npos)
      << out;
  EXPECT_NE(out.find(FormatDate(kToday + 1, text) + "\t" + FormatTime(At(8), text) + "\t" +
                     FormatDuration(120, text)),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("2 segments"), std::string::npos) << out;

  const ActHandle whole = Fixed("Whole", kToday, At(14), 30);
  EXPECT_NE(SplitBreakdownText(s, whole, text).find("is not split"), std::string::npos);
}

TEST_F(ItemFactsTest, CreationTextSaysWhenItWasMadeAndChanged) {
  const ActHandle h = Fixed("Plan", kToday, At(9), 30);
  s.LockAct(h).createdDate = kToday - 3;
  s.LockAct(h).createdTime = At(7, 5);
  s.LockAct(h).touchedDate = kNoDate;
  const std::string out = CreationText(s, h, text);
  EXPECT_NE(out.find("Item: Plan"), std::string::npos) << out;
  EXPECT_NE(out.find(FormatDate(kToday - 3, text) + " " + FormatTime(At(7, 5), text)),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("Last changed:\t(not known)"), std::string::npos) << out;
}

TEST_F(ItemFactsTest, AnotherUsersScheduleKeepsPrivateTitlesPrivate) {
  Fixed("Old", kToday - 1, At(9), 30);
  Fixed("!Doctor", kToday + 1, At(9), 30);
  Fixed("Lunch", kToday, At(12), 60, AF_DONE);
  const ReportText r = ScheduleGlance(s, "sam", kToday, format);
  EXPECT_EQ(r.caption, "sam's schedule (read-only)");
  EXPECT_EQ(r.text,
            "d17144            60m  (done) Lunch\n"
            "d17145            30m  !\n");
}

}  // namespace
}  // namespace ploven::test
