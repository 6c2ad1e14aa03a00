#include "cli/json_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "json_reader.h"

namespace ploven::test {
namespace {

using cli::JsonString;
using cli::JsonValue;

struct EscapeCase {
  const char* name;
  std::string text;
  std::string json;  // what the writer gives
  std::string back;  // what a reader makes of it
};

class JsonEscapeTest : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(JsonEscapeTest, WritesValidJsonThatReadsBack) {
  const EscapeCase& c = GetParam();
  const std::string json = JsonString(c.text);
  EXPECT_EQ(json, c.json);
  const auto parsed = Json::Parse(json);
  ASSERT_TRUE(parsed.has_value()) << json;
  EXPECT_EQ(parsed->type, Json::Type::kString);
  EXPECT_EQ(parsed->text, c.back);
}

const std::string kReplacement = "\xEF\xBF\xBD";

INSTANTIATE_TEST_SUITE_P(
    Texts, JsonEscapeTest,
    ::testing::Values(
        EscapeCase{"Plain", "Write report", "\"Write report\"", "Write report"},
        EscapeCase{"Empty", "", "\"\"", ""},
        EscapeCase{"Quotes", "say \"hi\"", R"("say \"hi\"")", "say \"hi\""},
        EscapeCase{"Backslashes", "C:\\tmp\\", R"("C:\\tmp\\")", "C:\\tmp\\"},
        EscapeCase{"Slash", "a/b", "\"a/b\"", "a/b"},
        EscapeCase{"NamedControls", "a\nb\rc\td\be\ff", R"("a\nb\rc\td\be\ff")",
                   "a\nb\rc\td\be\ff"},
        EscapeCase{"OtherControls", std::string("\x01\x1f\x7f", 3), R"("\u0001\u001f\u007f")",
                   std::string("\x01\x1f\x7f", 3)},
        EscapeCase{"Nul", std::string("a\0b", 3), R"("a\u0000b")", std::string("a\0b", 3)},
        EscapeCase{"TwoByteUtf8", "caf\xC3\xA9", "\"caf\xC3\xA9\"", "caf\xC3\xA9"},
        EscapeCase{"ThreeByteUtf8",
                   "\xE2\x82\xAC"
                   "5",
                   "\"\xE2\x82\xAC"
                   "5\"",
                   "\xE2\x82\xAC"
                   "5"},
        EscapeCase{"FourByteUtf8", "\xF0\x9F\x8E\x82", "\"\xF0\x9F\x8E\x82\"", "\xF0\x9F\x8E\x82"},
        EscapeCase{"LoneLatin1Byte", "caf\xE9", R"("caf\ufffd")", "caf" + kReplacement},
        EscapeCase{"CutSequence", "\xE2\x82", R"("\ufffd\ufffd")", kReplacement + kReplacement},
        EscapeCase{"Overlong", "\xC0\xAF", R"("\ufffd\ufffd")", kReplacement + kReplacement},
        EscapeCase{"Surrogate", "\xED\xA0\x80", R"("\ufffd\ufffd\ufffd")",
                   kReplacement + kReplacement + kReplacement},
        EscapeCase{"BeyondUnicode", "\xF4\x90\x80\x80x", R"("\ufffd\ufffd\ufffd\ufffdx")",
                   kReplacement + kReplacement + kReplacement + kReplacement + "x"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(JsonValueTest, ObjectsKeepTheirKeyOrderAndTakeEveryKind) {
  JsonValue v = JsonValue::Object();
  v.Set("id", 12)
      .Set("title", "A \"b\"")
      .Set("none", JsonValue())
      .Set("on", true)
      .Set("off", false)
      .Set("ret", 2.5)
      .Set("neg", -7L)
      .Set("list", JsonValue::List{JsonValue("x"), JsonValue(1), JsonValue::Object()});
  EXPECT_EQ(v.Text(), R"({"id":12,"title":"A \"b\"","none":null,"on":true,"off":false,"ret":2.5,)"
                      R"("neg":-7,"list":["x",1,{}]})");
  const auto parsed = Json::Parse(v.Text());
  ASSERT_TRUE(parsed.has_value());
  EXPECT_EQ((*parsed)["title"].text, "A \"b\"");
  EXPECT_DOUBLE_EQ((*parsed)["ret"].number, 2.5);
  EXPECT_EQ((*parsed)["list"].list.size(), 3u);
}

TEST(JsonValueTest, ASecondSetReplacesTheValueInItsPlace) {
  JsonValue v = JsonValue::Object();
  v.Set("a", 1).Set("b", 2).Set("a", "one");
  EXPECT_EQ(v.Text(), R"({"a":"one","b":2})");
}

TEST(JsonValueTest, NumbersThatJsonCannotHoldAreNull) {
  JsonValue v = JsonValue::Object();
  v.Set("nan", std::numeric_limits<double>::quiet_NaN())
      .Set("inf", std::numeric_limits<double>::infinity())
      .Set("big", 4294967295UL)
      .Set("float", static_cast<double>(0.1f));
  const std::string text = v.Text();
  EXPECT_EQ(text, R"({"nan":null,"inf":null,"big":4294967295,"float":0.100000001})");
  EXPECT_TRUE(Json::Parse(text).has_value());
}

TEST(JsonReaderTest, RefusesWhatIsNotJson) {
  for (const char* bad :
       {"\"a\nb\"", "\"\\x\"", "{\"a\":1,}", "[1 2]", "\"caf\xE9\"", "1 2", "\"\\ud800\"", "{a:1}"})
    EXPECT_FALSE(Json::Parse(bad).has_value()) << bad;
}

}  // namespace
}  // namespace ploven::test
