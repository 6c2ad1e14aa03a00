#pragma once

#include <vector>

namespace ploven {

// The measured height of a block: its heading and each of its rows, in device units.
struct BlockMeasure {
  int heading = 0;
  std::vector<int> rows;
  bool newPage = false;  // the block starts on a new page
};

// A run of one block's rows on a page. `continued` repeats the heading with a mark that the
// block began on an earlier page.
struct PageSlice {
  int block = 0;
  int firstRow = 0;
  int endRow = 0;  // one past the last row
  bool continued = false;
  bool operator==(const PageSlice&) const = default;
};
using PageLayoutPlan = std::vector<std::vector<PageSlice>>;

// Lays blocks onto pages of `pageHeight`: a row is never cut by a page break, a heading never
// stands at the foot of a page without its first row, and a block that goes on repeats its
// heading on the next page. A row taller than a whole page gets a page of its own. An empty
// printout still has one page.
PageLayoutPlan PlanPages(const std::vector<BlockMeasure>& blocks, int pageHeight);

}  // namespace ploven
