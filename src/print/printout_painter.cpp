#include "print/printout_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <climits>

#include "platform/format.h"
#include "printouts/page_breaks.h"
#include "printouts/printout_messages.h"

namespace ploven {

namespace t = printout_text;

namespace {

// Shares of the width a column may take at most; the title gets the rest.
constexpr double kWhenShare = 0.24;
constexpr double kDurationShare = 0.12;
constexpr double kPriorityShare = 0.08;
constexpr double kProjectShare = 0.2;
// Grey levels of the page furniture.
const QColor kRuleColor(0x40, 0x40, 0x40);
const QColor kRowRuleColor(0xcc, 0xcc, 0xcc);
const QColor kDoneColor(0x60, 0x60, 0x60);
const QColor kOutsideColor(0xee, 0xee, 0xee);
constexpr double kCalendarLinesPerItem = 3;

QString Q(const std::string& text) { return QString::fromStdString(text); }

// One printout on the pages of one device.
class DocumentPainter {
 public:
  DocumentPainter(QPainter& painter, const PrintoutDocument& doc, const PrintFonts& fonts,
                  const QRectF& area)
      : m_p(painter), m_doc(doc), m_fonts(fonts), m_area(area),
        m_head(fonts.headings, painter.device()), m_text(fonts.text, painter.device()),
        m_cal(fonts.calendar, painter.device()) {
    m_line = m_text.height();
    m_pad = m_line * 0.35;
    m_gap = m_text.horizontalAdvance(QStringLiteral("MM"));
    const double headerHeight = m_head.height() + m_text.height() + m_line * 0.9;
    const double footerHeight = m_text.height() * 1.8;
    m_body = QRectF(area.left(), area.top() + headerHeight, area.width(),
                    area.height() - headerHeight - footerHeight);
    if (m_doc.IsCalendar()) {
      m_pageCount = static_cast<int>(m_doc.calendarPages.size());
    } else {
      MeasureColumns();
      std::vector<BlockMeasure> measures;
      for (const PrintBlock& block : m_doc.blocks) measures.push_back(Measure(block));
      m_plan = PlanPages(measures, static_cast<int>(m_body.height()));
      m_pageCount = static_cast<int>(m_plan.size());
    }
    if (m_doc.firstPageOnly) m_pageCount = std::min(m_pageCount, 1);
    m_pageCount = std::max(m_pageCount, 1);
  }

  int pageCount() const { return m_pageCount; }

  void DrawPage(int page) {
    DrawFrame(page);
    if (m_doc.IsCalendar()) {
      if (page < static_cast<int>(m_doc.calendarPages.size()))
        DrawCalendarPage(m_doc.calendarPages[page]);
      return;
    }
    double y = m_body.top();
    for (const PageSlice& slice : m_plan[page]) y = DrawSlice(slice, y);
  }

 private:
  // ---- The heading and the page number ----

  void DrawFrame(int page) {
    const QRectF& a = m_area;
    m_p.setPen(Qt::black);
    m_p.setFont(m_fonts.headings);
    const QRectF top(a.left(), a.top(), a.width(), m_head.height());
    m_p.drawText(top, Qt::AlignLeft | Qt::AlignVCenter, Q(m_doc.what));
    m_p.drawText(top, Qt::AlignRight | Qt::AlignVCenter, Q(m_doc.dates));
    m_p.setFont(m_fonts.text);
    const QRectF second(a.left(), top.bottom(), a.width(), m_text.height());
    m_p.drawText(second, Qt::AlignLeft | Qt::AlignVCenter, Q(m_doc.userName));
    m_p.drawText(second, Qt::AlignRight | Qt::AlignVCenter,
                 m_text.elidedText(Q(m_doc.filterText), Qt::ElideRight, a.width() / 2));
    const double rule = second.bottom() + m_line * 0.3;
    m_p.setPen(QPen(kRuleColor, m_line * 0.06));
    m_p.drawLine(QPointF(a.left(), rule), QPointF(a.right(), rule));

    const double foot = a.bottom() - m_text.height();
    m_p.setPen(QPen(kRowRuleColor, m_line * 0.04));
    m_p.drawLine(QPointF(a.left(), foot - m_line * 0.3), QPointF(a.right(), foot - m_line * 0.3));
    m_p.setPen(Qt::black);
    const std::string number = m_doc.firstPageOnly ? Sprintf(t::kPage, page + 1)
                                                   : Sprintf(t::kPageOf, page + 1, m_pageCount);
    m_p.drawText(QRectF(a.left(), foot, a.width(), m_text.height()), Qt::AlignCenter, Q(number));
  }

  // ---- Lists ----

  double Width(const std::string& text) const { return m_text.horizontalAdvance(Q(text)); }

  double Widest(std::string PrintRow::*column, double share) const {
    double widest = 0;
    for (const PrintBlock& block : m_doc.blocks)
      for (const PrintRow& row : block.rows)
        if (!row.note) widest = std::max(widest, Width(row.*column));
    return std::min(widest, m_body.width() * share);
  }

  void MeasureColumns() {
    m_markW = m_text.horizontalAdvance(Q(t::kDoneMark)) + m_gap / 2;
    m_whenW = Widest(&PrintRow::when, kWhenShare);
    m_durationW = Widest(&PrintRow::duration, kDurationShare);
    m_priorityW = Widest(&PrintRow::priority, kPriorityShare);
    m_projectW = Widest(&PrintRow::project, kProjectShare);
    double used = m_markW;
    for (double w : {m_whenW, m_durationW, m_priorityW, m_projectW})
      if (w > 0) used += w + m_gap;
    m_titleW = std::max(m_body.width() - used, m_body.width() * 0.3);
  }

  double TextHeight(const QString& text, double width) const {
    if (text.isEmpty()) return m_line;
    return m_text
        .boundingRect(QRectF(0, 0, width, INT_MAX / 4), Qt::TextWordWrap, text)
        .height();
  }

  double RowHeight(const PrintRow& row) const {
    const double width = row.note ? m_body.width() : m_titleW;
    return std::max(m_line, TextHeight(Q(row.title), width)) + m_pad;
  }

  double HeadingHeight(const PrintBlock& block) const {
    return block.heading.empty() ? 0 : m_head.height() * 1.4;
  }

  BlockMeasure Measure(const PrintBlock& block) const {
    BlockMeasure m;
    m.heading = static_cast<int>(HeadingHeight(block));
    m.newPage = block.newPage;
    for (const PrintRow& row : block.rows) m.rows.push_back(static_cast<int>(RowHeight(row)));
    // The "no items" line stands in for the rows of an empty block.
    if (block.rows.empty()) m.rows.push_back(static_cast<int>(m_line + m_pad));
    return m;
  }

  double DrawSlice(const PageSlice& slice, double y) {
    const PrintBlock& block = m_doc.blocks[slice.block];
    const double left = m_body.left();
    if (!block.heading.empty()) {
      m_p.setPen(Qt::black);
      m_p.setFont(m_fonts.headings);
      const std::string heading =
          slice.continued ? Sprintf(t::kContinued, block.heading.c_str()) : block.heading;
      const QRectF r(left, y, m_body.width(), m_head.height() * 1.2);
      m_p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, Q(heading));
      m_p.setPen(QPen(kRuleColor, m_line * 0.04));
      m_p.drawLine(QPointF(left, r.bottom()), QPointF(m_body.right(), r.bottom()));
      y += HeadingHeight(block);
    }
    if (block.rows.empty()) {
      QFont italic = m_fonts.text;
      italic.setItalic(true);
      m_p.setFont(italic);
      m_p.setPen(kDoneColor);
      m_p.drawText(QRectF(left + m_markW, y, m_body.width() - m_markW, m_line),
                   Qt::AlignLeft | Qt::AlignVCenter, Q(block.emptyText));
      return y + m_line + m_pad;
    }
    for (int r = slice.firstRow; r < slice.endRow; ++r) y = DrawRow(block.rows[r], y);
    return y;
  }

  double DrawRow(const PrintRow& row, double y) {
    const double height = RowHeight(row);
    const double top = y + m_pad / 2;
    double x = m_body.left();
    QFont font = m_fonts.text;
    m_p.setFont(font);
    m_p.setPen(row.done ? kDoneColor : QColor(Qt::black));
    if (row.note) {
      m_p.drawText(QRectF(x, top, m_body.width(), height), Qt::TextWordWrap | Qt::AlignTop,
                   Q(row.title));
      return y + height;
    }
    if (row.done) m_p.drawText(QRectF(x, top, m_markW, m_line), Qt::AlignLeft, Q(t::kDoneMark));
    x += m_markW;
    const auto cell = [&](const std::string& text, double width, Qt::Alignment align) {
      if (width <= 0) return;
      m_p.drawText(QRectF(x, top, width, m_line), align | Qt::AlignTop,
                   m_text.elidedText(Q(text), Qt::ElideRight, width));
      x += width + m_gap;
    };
    cell(row.when, m_whenW, Qt::AlignRight);
    cell(row.duration, m_durationW, Qt::AlignRight);
    cell(row.priority, m_priorityW, Qt::AlignLeft);
    font.setStrikeOut(row.done);
    m_p.setFont(font);
    m_p.drawText(QRectF(x, top, m_titleW, height), Qt::TextWordWrap | Qt::AlignTop | Qt::AlignLeft,
                 Q(row.title));
    x += m_titleW + m_gap;
    m_p.setFont(m_fonts.text);
    if (m_projectW > 0)
      m_p.drawText(QRectF(x, top, m_projectW, m_line), Qt::AlignLeft | Qt::AlignTop,
                   m_text.elidedText(Q(row.project), Qt::ElideRight, m_projectW));
    m_p.setPen(QPen(kRowRuleColor, m_line * 0.03));
    m_p.drawLine(QPointF(m_body.left(), y + height), QPointF(m_body.right(), y + height));
    return y + height;
  }

  // ---- Appointment calendars ----

  void DrawCalendarPage(const std::vector<CalendarGrid>& grids) {
    if (grids.empty()) return;
    const double gap = m_line;
    const double each = (m_body.height() - gap * (grids.size() - 1)) / grids.size();
    double y = m_body.top();
    for (const CalendarGrid& grid : grids) {
      DrawGrid(grid, QRectF(m_body.left(), y, m_body.width(), each));
      y += each + gap;
    }
  }

  void DrawGrid(const CalendarGrid& grid, const QRectF& r) {
    const double captionH = m_head.height() * 1.3;
    const double weekdayH = m_cal.height() * 1.5;
    m_p.setPen(Qt::black);
    m_p.setFont(m_fonts.headings);
    m_p.drawText(QRectF(r.left(), r.top(), r.width(), captionH), Qt::AlignCenter, Q(grid.caption));
    const double cellW = r.width() / 7;
    QFont bold = m_fonts.calendar;
    bold.setBold(true);
    m_p.setFont(bold);
    for (int i = 0; i < 7; ++i)
      m_p.drawText(QRectF(r.left() + i * cellW, r.top() + captionH, cellW, weekdayH),
                   Qt::AlignCenter, Q(grid.weekdays[i]));
    if (grid.weeks.empty()) return;
    const double top = r.top() + captionH + weekdayH;
    const double cellH = (r.bottom() - top) / grid.weeks.size();
    for (size_t w = 0; w < grid.weeks.size(); ++w)
      for (int i = 0; i < 7; ++i)
        DrawCell(grid.weeks[w][i], QRectF(r.left() + i * cellW, top + w * cellH, cellW, cellH));
  }

  void DrawCell(const CalendarCell& cell, const QRectF& r) {
    if (!cell.inRange) m_p.fillRect(r, kOutsideColor);
    m_p.setPen(QPen(cell.today ? QColor(Qt::black) : kRuleColor,
                    m_line * (cell.today ? 0.12 : 0.04)));
    m_p.drawRect(r);
    const double pad = m_cal.height() * 0.25;
    const double lineH = m_cal.height();
    QFont bold = m_fonts.calendar;
    bold.setBold(true);
    m_p.setFont(bold);
    m_p.setPen(cell.inRange ? QColor(Qt::black) : kDoneColor);
    m_p.drawText(QRectF(r.left() + pad, r.top() + pad, r.width() - 2 * pad, lineH),
                 Qt::AlignLeft | Qt::AlignVCenter, Q(cell.label));
    const double width = r.width() - 2 * pad;
    const double bottom = r.bottom() - pad;
    const int count = static_cast<int>(cell.lines.size());
    double y = r.top() + pad + lineH;
    int shown = 0;
    for (; shown < count; ++shown) {
      const CalendarLine& line = cell.lines[shown];
      std::string text = line.time.empty() ? line.title : line.time + " " + line.title;
      if (line.done) text = std::string(t::kDoneMark) + " " + text;
      // A title wraps over at most three lines; the last line of a full cell says how many
      // more there are.
      double height = std::min(
          lineH * kCalendarLinesPerItem,
          m_cal.boundingRect(QRectF(0, 0, width, INT_MAX / 4), Qt::TextWordWrap, Q(text))
              .height());
      const bool last = shown + 1 == count;
      const double room = bottom - (last ? 0 : lineH) - y;
      // Where the wrapped title does not fit, one shortened line may.
      if (height > room) height = lineH;
      if (height > room + 0.5) break;
      const bool wraps = height > lineH;
      QFont font = m_fonts.calendar;
      font.setStrikeOut(line.done);
      m_p.setFont(font);
      m_p.setPen(line.done ? kDoneColor : QColor(Qt::black));
      m_p.save();
      m_p.setClipRect(QRectF(r.left() + pad, y, width, height));
      int flags = Qt::AlignLeft | Qt::AlignTop;
      if (wraps) flags |= Qt::TextWordWrap;
      m_p.drawText(QRectF(r.left() + pad, y, width, height), flags,
                   wraps ? Q(text) : m_cal.elidedText(Q(text), Qt::ElideRight, width));
      m_p.restore();
      y += height;
    }
    if (shown < count && y + lineH <= bottom + 1) {
      QFont italic = m_fonts.calendar;
      italic.setItalic(true);
      m_p.setFont(italic);
      m_p.setPen(kDoneColor);
      m_p.drawText(QRectF(r.left() + pad, y, width, lineH), Qt::AlignLeft | Qt::AlignVCenter,
                   Q(Sprintf(t::kMore, count - shown)));
    }
  }

  QPainter& m_p;
  const PrintoutDocument& m_doc;
  const PrintFonts& m_fonts;
  QRectF m_area;
  QRectF m_body;
  QFontMetricsF m_head, m_text, m_cal;
  double m_line = 0, m_pad = 0, m_gap = 0;
  double m_markW = 0, m_whenW = 0, m_durationW = 0, m_priorityW = 0, m_titleW = 0,
         m_projectW = 0;
  PageLayoutPlan m_plan;
  int m_pageCount = 1;
};

}  // namespace

int PaintPrintouts(const std::vector<PrintoutDocument>& documents, const PrintFonts& fonts,
                   QPagedPaintDevice& device) {
  QPainter painter;
  if (!painter.begin(&device)) return 0;
  const QRectF area(0, 0, device.width(), device.height());
  int pages = 0;
  for (const PrintoutDocument& doc : documents) {
    DocumentPainter document(painter, doc, fonts, area);
    for (int page = 0; page < document.pageCount(); ++page) {
      if (pages > 0 && !device.newPage()) return pages;
      document.DrawPage(page);
      ++pages;
    }
  }
  painter.end();
  return pages;
}

}  // namespace ploven
