#include "store/schedule_fixture.h"

namespace ploven::test {
namespace {

namespace t = store_text;

class ChainTest : public ::testing::Test {
 protected:
  TestEnv env;
  ChainLink head, a, b, c;

  void Build() {
    Link(env.msg, &head, &a);
    Link(env.msg, &a, &b);
    Append(env.msg, &head, &c);
  }

  template <typename F>
  void ExpectFatal(F&& f, const std::string& text) {
    EXPECT_THROW(f(), InternalErrorRaised);
    EXPECT_TRUE(env.Logged(text)) << text;
  }
};

TEST_F(ChainTest, LinkAppendUnlinkAndSwapKeepBothDirections) {
  Build();
  EXPECT_EQ(CountLinks(head.next), 3u);
  EXPECT_EQ(LastLink(&head), &c);
  EXPECT_EQ(GetChainHead(env.msg, &c), &head);
  EXPECT_TRUE(IsInChain(head.next, &b));
  SwapTasks(env.msg, &a, &b);
  EXPECT_EQ(head.next, &b);
  EXPECT_EQ(b.next, &a);
  EXPECT_EQ(a.next, &c);
  EXPECT_EQ(c.prev, &a);
  CheckChain(env.msg, &head);
  Unlink(env.msg, &a);
  EXPECT_EQ(b.next, &c);
  EXPECT_EQ(c.prev, &b);
  EXPECT_FALSE(IsInChain(head.next, &a));
  CheckChain(env.msg, &head);
}

TEST_F(ChainTest, MisuseIsFatal) {
  Build();
  ExpectFatal([&] { Unlink(env.msg, &head); }, t::kUnlinkHead);
  ExpectFatal([&] { Unlink(env.msg, nullptr); }, t::kUnlinkNull);
  ExpectFatal([&] { Link(env.msg, nullptr, &a); }, t::kLinkNullPredecessor);
  ExpectFatal([&] { SwapTasks(env.msg, &a, &c); }, t::kSwapNotAdjacent);
  ExpectFatal([&] { SwapTasks(env.msg, &head, &a); }, t::kSwapTask1Head);
}

TEST_F(ChainTest, BrokenBackLinksAreFatal) {
  Build();
  b.prev = nullptr;
  ExpectFatal([&] { CheckChain(env.msg, &head); }, t::kChainIntegrity);
  b.prev = &head;  // skips a on the way back
  ExpectFatal([&] { CheckChain(env.msg, &head); }, t::kChainIntegrity);
}

}  // namespace
}  // namespace ploven::test
