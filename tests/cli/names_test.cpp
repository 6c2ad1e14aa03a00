#include <gtest/gtest.h>

#include <set>
#include <string>

#include "cli/flag_names.h"
#include "cli/recur_rule.h"
#include "store/act_flags.h"

namespace ploven::test {
namespace {

class RecurRuleTextTest : public ::testing::TestWithParam<const char*> {};

// What plovenctl prints of a rule reads back to the same record.
TEST_P(RecurRuleTextTest, RulesReadBackAsTheyArePrinted) {
  Beta read;
  ASSERT_TRUE(cli::ReadRecurRule(GetParam(), read).ok) << GetParam();
  EXPECT_EQ(cli::WriteRecurRule(read), GetParam());
  Beta again;
  ASSERT_TRUE(cli::ReadRecurRule(cli::WriteRecurRule(read), again).ok);
  EXPECT_EQ(again.freq, read.freq);
  EXPECT_EQ(again.interval, read.interval);
  EXPECT_EQ(again.dayBits, read.dayBits);
  EXPECT_EQ(again.dateBits, read.dateBits);
}

INSTANTIATE_TEST_SUITE_P(Rules, RecurRuleTextTest,
                         ::testing::Values("daily", "daily/3", "weekly:Mo,We", "weekly:Su,Sa/2",
                                           "monthly:1,20,last", "monthly:last/3", "monthly:30",
                                           "monthly-week:1Tu,lastFr", "monthly-week:2Mo,4Su/2",
                                           "monthly-445:1Tu,5Fr", "yearly", "yearly/5"));

TEST(FlagNamesTest, EveryNamedBitHasOneNameAndReadsBack) {
  std::set<uint32_t> bits;
  std::set<std::string> names;
  for (const cli::FlagName& f : cli::ItemFlagNames()) {
    EXPECT_EQ(f.bit & (f.bit - 1), 0u) << f.name << " is not one bit";
    EXPECT_TRUE(bits.insert(f.bit).second) << f.name;
    EXPECT_TRUE(names.insert(f.name).second) << f.name;
    EXPECT_EQ(cli::FlagBitOf(f.name), f.bit);
  }
  // The bits the item dialog and the engine use all have names.
  for (uint32_t bit :
       {AF_SPLIT, AF_FLEXIBLE, AF_STARTED, AF_HOPE, AF_DONE, AF_FIXED, AF_BETA, AF_DRONE,
        AF_UNDERSCORED, AF_ALARM, AF_ALARM_AT_BEGIN, AF_ALARM_AT_END, AF_ALSO_DIAL, AF_SEQUENCED,
        AF_HIDE, AF_REMINDER_DAYS, AF_WORK_HOURS, AF_AFTER_HOURS})
    EXPECT_TRUE(bits.contains(bit)) << std::hex << bit;
}

TEST(FlagNamesTest, UnnamedBitsShowAsNumbers) {
  EXPECT_EQ(cli::FlagNamesOf(AF_FLEXIBLE | AF_SPLIT | 0x100000u),
            (std::vector<std::string>{"split", "flexible", "0x100000"}));
  EXPECT_TRUE(cli::FlagNamesOf(0).empty());
}

TEST(FlagNamesTest, KindsReadBack) {
  for (const char* kind : {"item", "appointment", "multiday", "memo", "birthday", "anniversary",
                           "work-holiday", "plain"})
    EXPECT_EQ(cli::KindName(*cli::KindOf(kind)), kind);
  EXPECT_EQ(cli::KindName(ACT_APPOINTMENT_ALT), "appointment");
  EXPECT_EQ(cli::KindName(0x1234), "0x1234");
  EXPECT_FALSE(cli::KindOf("meeting").has_value());
}

}  // namespace
}  // namespace ploven::test
