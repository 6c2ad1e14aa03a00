#include "printouts/page_breaks.h"

namespace ploven {

PageLayoutPlan PlanPages(const std::vector<BlockMeasure>& blocks, int pageHeight) {
  PageLayoutPlan pages(1);
  int used = 0;
  const auto newPage = [&] {
    if (!pages.back().empty()) pages.emplace_back();
    used = 0;
  };
  for (int b = 0; b < static_cast<int>(blocks.size()); ++b) {
    const BlockMeasure& block = blocks[b];
    if (block.newPage) newPage();
    const int rowCount = static_cast<int>(block.rows.size());
    // The heading goes with the first row (or alone when the block has none).
    const int firstHeight = block.heading + (rowCount > 0 ? block.rows[0] : 0);
    if (used > 0 && used + firstHeight > pageHeight) newPage();
    PageSlice slice{b, 0, 0, false};
    used += block.heading;
    for (int r = 0; r < rowCount; ++r) {
      const int h = block.rows[r];
      if (used + h > pageHeight && used > block.heading) {
        // The rows so far stay on this page; the block goes on under its heading again.
        if (slice.endRow > slice.firstRow) pages.back().push_back(slice);
        pages.emplace_back();
        used = block.heading;
        slice = PageSlice{b, r, r, true};
      }
      used += h;
      slice.endRow = r + 1;
    }
    pages.back().push_back(slice);
  }
  return pages;
}

}  // namespace ploven
