#include <gtest/gtest.h>

#include "file/item_line.h"
#include "mock/test_env.h"
#include "platform/format.h"
#include "store/schedule.h"

namespace ploven::test {
namespace {

class ItemLineTest : public ::testing::Test {
 protected:
  ParseContext Context() const {
    ParseContext c;
    c.today = c.viewed = TestEnv::kToday;
    c.now = TestEnv::kNine;
    return c;
  }
  ItemLineResult Parse(std::string_view line) { return ParseItemLine(line, text, Context()); }

  TestEnv env;
  Schedule s{env.msg, env.clock};
  DateText text;
};

TEST_F(ItemLineTest, CopyOfAnItemReadsBackThroughPaste) {
  Act a;
  a.flags = AF_FIXED;
  a.startTime = 14 * 60 + 31;
  a.duration = 90;
  const ActHandle fixed = s.NewItem(TestEnv::kToday, a, "Dentist");
  const std::string line = FormatClipboardLine(s, fixed, text);
  EXPECT_EQ(line.substr(0, 13), Sprintf("%6s %5s ", "2:30pm", "1:30"));
  EXPECT_EQ(ClipboardTitle(line), "Dentist");
  const auto back = Parse(line);
  ASSERT_TRUE(back.line) << back.message;
  EXPECT_EQ(back.line->start, a.startTime);
  EXPECT_EQ(back.line->duration, 90);
  EXPECT_EQ(back.line->title, "Dentist");

  Act memo;
  memo.flags = AF_HOPE;
  const auto memoLine = Parse(FormatClipboardLine(s, s.NewItem(TestEnv::kToday, memo, "Call"), text));
  ASSERT_TRUE(memoLine.line);
  EXPECT_TRUE(memoLine.line->memo);
  EXPECT_FALSE(memoLine.line->start);
}

TEST_F(ItemLineTest, LongTitlesAreCutInThePrivateLineOnly) {
  Act a;
  a.duration = 30;
  const std::string title(400, 'x');
  const ActHandle h = s.NewItem(TestEnv::kToday, a, title);
  const std::string line = FormatClipboardLine(s, h, text);
  EXPECT_EQ(ClipboardTitle(line).size(), kClipboardTitleLimit);
}

TEST_F(ItemLineTest, ImportLinesCarryADate) {
  const auto r = Parse("12/10/26\t9:00a\t0:45\tTeam meeting\r\n");
  ASSERT_TRUE(r.line) << r.message;
  EXPECT_EQ(r.line->date, TestEnv::kToday + 2);
  EXPECT_EQ(r.line->start, 9 * 60 + 1);
  EXPECT_EQ(r.line->duration, 45);
  EXPECT_EQ(r.line->title, "Team meeting");

  const auto floating = Parse("\tfloat\t\tRead report");
  ASSERT_TRUE(floating.line);
  EXPECT_FALSE(floating.line->date);
  EXPECT_FALSE(floating.line->start);
  EXPECT_FALSE(floating.line->duration);
}

TEST_F(ItemLineTest, PlainTextIsATitleAndBadLinesSayWhy) {
  const auto plain = Parse("  Buy milk  ");
  ASSERT_TRUE(plain.line);
  EXPECT_EQ(plain.line->title, "Buy milk");
  EXPECT_FALSE(plain.line->start);

  EXPECT_TRUE(Parse(std::string(kItemLineLimit, 'a')).line);
  EXPECT_NE(Parse(std::string(kItemLineLimit + 1, 'a')).message.find("Too many characters"),
            std::string::npos);
  for (const char* bad : {"", "   ", "31/31/26\t9:00\t0:30\tx", "\t25:99\t0:30\tx",
                          "\tfloat\tlong\tx", "a\tb"}) {
    const auto r = Parse(bad);
    EXPECT_FALSE(r.line) << bad;
    EXPECT_FALSE(r.message.empty()) << bad;
  }
}

}  // namespace
}  // namespace ploven::test
