#include "printouts/page_breaks.h"

#include <gtest/gtest.h>

namespace ploven::test {
namespace {

// Every row of every block lands on exactly one page, in order, and no page overflows unless
// it holds a single row taller than the page.
void ExpectWholeRows(const std::vector<BlockMeasure>& blocks, const PageLayoutPlan& plan,
                     int pageHeight) {
  int block = 0, row = 0;
  for (const auto& page : plan) {
    int used = 0, rowsOnPage = 0;
    for (const PageSlice& slice : page) {
      used += blocks[slice.block].heading;
      if (slice.block != block) {
        EXPECT_EQ(row, static_cast<int>(blocks[block].rows.size())) << "block " << block;
        block = slice.block;
        row = 0;
      }
      EXPECT_EQ(slice.firstRow, row);
      EXPECT_EQ(slice.continued, row > 0);
      for (int r = slice.firstRow; r < slice.endRow; ++r) used += blocks[slice.block].rows[r];
      rowsOnPage += slice.endRow - slice.firstRow;
      row = slice.endRow;
    }
    if (rowsOnPage > 1) {
      EXPECT_LE(used, pageHeight);
    }
  }
  EXPECT_EQ(block, static_cast<int>(blocks.size()) - 1);
  EXPECT_EQ(row, static_cast<int>(blocks.back().rows.size()));
}

struct PlanCase {
  const char* name;
  std::vector<BlockMeasure> blocks;
  int pageHeight;
  size_t pages;
};

class PlanPagesTest : public ::testing::TestWithParam<PlanCase> {};

TEST_P(PlanPagesTest, RowsAreNeverCut) {
  const PlanCase& c = GetParam();
  const PageLayoutPlan plan = PlanPages(c.blocks, c.pageHeight);
  EXPECT_EQ(plan.size(), c.pages);
  ExpectWholeRows(c.blocks, plan, c.pageHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, PlanPagesTest,
    ::testing::Values(
        // 10 + 9 rows of 10 fill a page of 100 exactly; the tenth row goes on.
        PlanCase{"ExactFit", {{10, std::vector<int>(9, 10), false}}, 100, 1},
        PlanCase{"OneOver", {{10, std::vector<int>(10, 10), false}}, 100, 2},
        // 200 rows of 12 under a heading of 20: 6 rows a page after the repeated heading.
        PlanCase{"LongList", {{20, std::vector<int>(200, 12), false}}, 100, 34},
        // Rows of mixed heights (wrapped titles).
        PlanCase{"Mixed", {{10, {30, 50, 30, 10, 45, 45, 5}, false}}, 100, 3},
        // The second heading would stand alone at the foot of the first page.
        PlanCase{"HeadingKeptWithRow",
                 {{10, {30, 30, 20}, false}, {10, {20}, false}},
                 100,
                 2},
        // Days per page: each block asks for its own page.
        PlanCase{"NewPageBlocks",
                 {{10, {10}, false}, {10, {10}, true}, {10, {}, true}},
                 100,
                 3},
        // A row taller than the page stands alone on its page.
        PlanCase{"TallRow", {{10, {20, 150, 20}, false}}, 100, 3}),
    [](const ::testing::TestParamInfo<PlanCase>& param) { return std::string(param.param.name); });

TEST(PlanPages, AnEmptyPrintoutHasOnePage) {
  EXPECT_EQ(PlanPages({}, 100).size(), 1u);
  EXPECT_EQ(PlanPages({{10, {}, true}}, 100).size(), 1u);
}

TEST(PlanPages, AContinuedBlockRepeatsItsHeading) {
  const PageLayoutPlan plan = PlanPages({{10, {40, 40, 40}, false}}, 100);
  ASSERT_EQ(plan.size(), 2u);
  EXPECT_EQ(plan[0], (std::vector<PageSlice>{{0, 0, 2, false}}));
  EXPECT_EQ(plan[1], (std::vector<PageSlice>{{0, 2, 3, true}}));
}

}  // namespace
}  // namespace ploven::test
