#include "recur/title_variables.h"

#include <gtest/gtest.h>

#include <string>

#include "store/calendar.h"

namespace ploven {
namespace {

constexpr DayNumber kTue8Dec2026 = 17144;

struct Counted {
  int instance = 1;
  DayNumber next = 0;
  mutable int instanceCalls = 0;
  mutable int nextCalls = 0;

  TitleVariableContext Context() const {
    TitleVariableContext c;
    c.origin = kTue8Dec2026;
    c.instanceNumber = [this] {
      ++instanceCalls;
      return instance;
    };
    c.nextInstance = [this] {
      ++nextCalls;
      return next;
    };
    c.uniqueNumber = 42;
    return c;
  }
};

TEST(TitleVariables, RotationCyclesThroughTheWordsByInstance) {
  Counted counted;
  const char* expected[] = {"Feed dog", "Feed cat", "Feed mouse", "Feed dog"};
  for (int n = 1; n <= 4; ++n) {
    counted.instance = n;
    EXPECT_EQ(ExpandTitleVariables("Feed {dog|cat|mouse}", counted.Context()), expected[n - 1])
        << "occurrence " << n;
  }
  // An instance number below 1 still picks a word rather than reading before the list.
  counted.instance = 0;
  EXPECT_EQ(ExpandTitleVariables("{a|b|c}", counted.Context()), "c");
  // Empty words are words too.
  counted.instance = 2;
  EXPECT_EQ(ExpandTitleVariables("[{x||z}]", counted.Context()), "[]");
}

struct CountCase {
  const char* title;
  int instance;
  const char* expected;
};

class TitleCount : public ::testing::TestWithParam<CountCase> {};

TEST_P(TitleCount, CountsFromTheGivenNumber) {
  Counted counted;
  counted.instance = GetParam().instance;
  EXPECT_EQ(ExpandTitleVariables(GetParam().title, counted.Context()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    UpAndDown, TitleCount,
    ::testing::Values(CountCase{"Lap {count up 5}", 1, "Lap 5"},
                      CountCase{"Lap {count up 5}", 4, "Lap 8"},
                      CountCase{"{count down 3} to go", 1, "3 to go"},
                      CountCase{"{count down 3} to go", 5, "-1 to go"},
                      CountCase{"{Count Up   10}", 3, "12"}, CountCase{"{COUNT DOWN -2}", 2, "-3"},
                      CountCase{"{count up 2147483647}", 2, "2147483648"},
                      // Without a starting number there is nothing to count from.
                      CountCase{"Lap {count up}", 3, "Lap {count up}"},
                      CountCase{"Lap {count up x}", 3, "Lap {count up x}"},
                      CountCase{"{count up 99999999999}", 1, "{count up 99999999999}"}));

struct OriginCase {
  const char* title;
  std::string expected;
};

class TitleOrigin : public ::testing::TestWithParam<OriginCase> {};

TEST_P(TitleOrigin, DescribesTheOccurrenceDate) {
  Counted counted;
  EXPECT_EQ(ExpandTitleVariables(GetParam().title, counted.Context()), GetParam().expected);
  EXPECT_EQ(counted.instanceCalls + counted.nextCalls, 0) << "origin values need no counting";
}

const DateText kEnglish{};

INSTANTIATE_TEST_SUITE_P(
    Dates, TitleOrigin,
    ::testing::Values(
        OriginCase{"Due {origin date}", "Due " + FormatDate(kTue8Dec2026, kEnglish)},
        OriginCase{"Due {origin date 7}", "Due " + FormatDate(kTue8Dec2026 + 7, kEnglish)},
        OriginCase{"Due {origin date -7}", "Due " + FormatDate(kTue8Dec2026 - 7, kEnglish)},
        OriginCase{"Due {origin date 40000}", "Due Out Of Range"},
        OriginCase{"Due {origin date -14845}", "Due Out Of Range"},  // day 2299
        OriginCase{"Due {origin date 99999999999999999999}", "Due Out Of Range"},
        OriginCase{"{origin dayofweek}", "Tuesday"},
        OriginCase{"{origin dayofweek 1}", "Wednesday"},
        OriginCase{"{origin dayofweek 40000}", "OutRange"}, OriginCase{"{origin day}", "Tuesday"},
        OriginCase{"{origin monthyear}", "December 2026"}, OriginCase{"{origin month}", "December"},
        OriginCase{"{origin month 1}", "January"}, OriginCase{"{origin month -12}", "December"},
        OriginCase{"{origin month -25}", "November"},
        OriginCase{"{ORIGIN Date 1}", FormatDate(kTue8Dec2026 + 1, kEnglish)},
        OriginCase{"#{uniquenumber}", "#number:42"},
        // The offset must be a number when there is one.
        OriginCase{"{origin date soon}", "{origin date soon}"}));

TEST(TitleVariables, MonthYearIsCutToTwentySixCharacters) {
  Counted counted;
  TitleVariableContext c = counted.Context();
  c.text.names.months[11] = "Décembre-très-très-long-nom";  // 27 characters, 30 bytes
  const std::string out = ExpandTitleVariables("{origin monthyear}", c);
  EXPECT_EQ(out, "Décembre-très-très-long-no");
}

TEST(TitleVariables, LastDoneAndNextInstanceOnlyWhereShown) {
  Counted counted;
  counted.next = kTue8Dec2026 + 3;
  TitleVariableContext c = counted.Context();
  c.lastDone = kTue8Dec2026 - 2;
  EXPECT_EQ(ExpandTitleVariables("Done {last done}", c),
            "Done " + FormatDate(kTue8Dec2026 - 2, kEnglish));
  EXPECT_EQ(ExpandTitleVariables("Next {Next Instance}", c),
            "Next " + FormatDate(kTue8Dec2026 + 3, kEnglish));
  EXPECT_EQ(counted.nextCalls, 1);

  c.forDrone = true;
  EXPECT_EQ(ExpandTitleVariables("Done {last done}", c), "Done {last done}");
  EXPECT_EQ(ExpandTitleVariables("Next {next instance}", c), "Next {next instance}");
  EXPECT_EQ(counted.nextCalls, 1);
  // Other variables are still frozen into a drone's title.
  EXPECT_EQ(ExpandTitleVariables("Lap {count up 1}", c), "Lap 1");
}

TEST(TitleVariables, OnlyTheFirstBracketsCount) {
  Counted counted;
  counted.instance = 2;
  const TitleVariableContext c = counted.Context();
  EXPECT_EQ(ExpandTitleVariables("{count up 1} and {count up 1}", c), "2 and {count up 1}");
  // A "}" before the first "{" does not close anything.
  EXPECT_EQ(ExpandTitleVariables("a} {count up 1}", c), "a} 2");
  // The first "}" after the "{" closes it, even inside what looks like a nested variable.
  EXPECT_EQ(ExpandTitleVariables("{count up 1 {x} y}", c), "2 y}");
  EXPECT_EQ(ExpandTitleVariables("open {count up 1", c), "open {count up 1");
  EXPECT_EQ(ExpandTitleVariables("No variable", c), "No variable");
  // An unknown keyword leaves the title alone, brackets and all.
  EXPECT_EQ(ExpandTitleVariables("Call {Bob}", c), "Call {Bob}");
  // The keyword must open the bracket's text.
  EXPECT_EQ(ExpandTitleVariables("{my count up 1}", c), "{my count up 1}");
}

TEST(TitleVariables, ExpansionOffEmptiesEveryVariableWithoutCountingAnything) {
  Counted counted;
  TitleVariableContext c = counted.Context();
  c.expansionOff = true;
  EXPECT_EQ(ExpandTitleVariables("Feed {dog|cat}!", c), "Feed !");
  EXPECT_EQ(ExpandTitleVariables("Lap {count up 5}", c), "Lap ");
  EXPECT_EQ(ExpandTitleVariables("Next {next instance}", c), "Next ");
  EXPECT_EQ(ExpandTitleVariables("{origin date 40000}", c), "");
  EXPECT_EQ(ExpandTitleVariables("Call {Bob}", c), "Call {Bob}");
  EXPECT_EQ(counted.instanceCalls + counted.nextCalls, 0);
}

TEST(TitleVariables, MissingCountersKeepTheVariable) {
  TitleVariableContext c;
  c.origin = kTue8Dec2026;
  EXPECT_EQ(ExpandTitleVariables("{a|b}", c), "{a|b}");
  EXPECT_EQ(ExpandTitleVariables("{count up 1}", c), "{count up 1}");
  EXPECT_EQ(ExpandTitleVariables("{next instance}", c), "{next instance}");
}

}  // namespace
}  // namespace ploven
