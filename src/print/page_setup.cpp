#include "print/page_setup.h"

#include <QMarginsF>
#include <QPageSize>
#include <array>
#include <algorithm>
#include <cmath>

namespace ploven {

namespace {

struct NamedPaper {
  const char* name;
  QPageSize::PageSizeId id;
};
constexpr std::array<NamedPaper, 4> kPapers = {{{"A4", QPageSize::A4},
                                                {"Letter", QPageSize::Letter},
                                                {"Legal", QPageSize::Legal},
                                                {"A5", QPageSize::A5}}};

}  // namespace

QPageLayout PageLayoutOf(const PaperSettings& paper) {
  QPageSize::PageSizeId id = QPageSize::A4;
  for (const NamedPaper& p : kPapers)
    if (paper.paper == p.name) id = p.id;
  return QPageLayout(QPageSize(id),
                     paper.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                     QMarginsF(paper.marginLeft, paper.marginTop, paper.marginRight,
                               paper.marginBottom),
                     QPageLayout::Millimeter);
}

void StorePageLayout(const QPageLayout& layout, PaperSettings& paper) {
  const QPageSize::PageSizeId id = layout.pageSize().id();
  for (const NamedPaper& p : kPapers)
    if (id == p.id) paper.paper = p.name;
  paper.landscape = layout.orientation() == QPageLayout::Landscape;
  const QMarginsF m = layout.margins(QPageLayout::Millimeter);
  const auto mm = [](double v) {
    return std::clamp(static_cast<int>(std::lround(v)), 0, PrintoutSettings::kMaxMargin);
  };
  paper.marginLeft = mm(m.left());
  paper.marginTop = mm(m.top());
  paper.marginRight = mm(m.right());
  paper.marginBottom = mm(m.bottom());
}

}  // namespace ploven
