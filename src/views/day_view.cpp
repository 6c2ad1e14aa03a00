#include "views/day_view.h"

#include <optional>

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>

#include "present/present_messages.h"
#include "recur/moon.h"
#include "store/date_format.h"
#include "store/projects.h"

namespace ploven {

namespace {

constexpr int kTopMargin = 4;
constexpr int kSideMargin = 6;
constexpr int kMarkerWidth = 12;
constexpr int kBarWidth = 6;
constexpr int kRowPadding = 6;
constexpr int kMoonSize = 14;

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The moon as a disc lit from the side by its phase angle (0 new, 180 full).
void PaintMoon(QPainter& p, const QRectF& box, int angle, const QColor& dark) {
  const double r = box.width() / 2;
  const QPointF c = box.center();
  QPainterPath disc;
  disc.addEllipse(c, r, r);
  p.setPen(QPen(dark, 1));
  p.setBrush(QColor(70, 70, 90));
  p.drawPath(disc);
  const double a = angle * std::numbers::pi / 180;
  const double terminator = std::abs(std::cos(a)) * r;
  const bool waxing = angle < 180;
  QPainterPath half;
  half.moveTo(c.x(), c.y() - r);
  half.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 90, waxing ? -180 : 180);
  half.closeSubpath();
  QPainterPath ellipse;
  ellipse.addEllipse(c, terminator, r);
  const bool gibbous = (angle > 90 && angle < 270);
  const QPainterPath lit = gibbous ? half.united(ellipse) : half.subtracted(ellipse);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(250, 246, 210));
  p.drawPath(lit.intersected(disc));
}

}  // namespace

DayView::DayView(ViewEnvironment& env, QWidget* parent) : QWidget(parent), m_env(env) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  m_scroll = new QScrollBar(Qt::Vertical, this);
  m_scroll->setSingleStep(1);
  connect(m_scroll, &QScrollBar::valueChanged, this, [this](int value) {
    if (m_settingScroll) return;
    ScrollLines(value - m_top);
  });
}

DayView::~DayView() = default;

DaySource DayView::Source() const {
  return DaySource{m_env.engine, &m_env.recurrences, m_env.options, m_env.hiddenByFilter,
                   m_env.hasNote};
}

Terminal* DayView::Day() const {
  return m_date == 0 ? nullptr : m_env.schedule().ExistingTerminal(m_date);
}

bool DayView::SetDate(DayNumber date) {
  if (date < kFirstUserDay || date > kLastUserDay) {
    m_env.schedule().messages().ErrorMessage(present_messages::kDateOutOfRange);
    return false;
  }
  if (date != m_date) {
    m_date = date;
    m_top = 0;
    m_table.clear();
  }
  Refresh();
  update();
  return true;
}

void DayView::SetActive(bool active) {
  if (active == m_active) return;
  m_active = active;
  update(0, 0, width(), m_headingHeight);
}

void DayView::Refresh() {
  const std::string heading = m_heading, stats = m_stats;
  const bool holiday = m_workHoliday;
  Rebuild();
  Layout(true);
  if (heading != m_heading || stats != m_stats || holiday != m_workHoliday) {
    const QRect top(0, 0, width(), m_headingHeight);
    m_invalidated.push_back(top);
    update(top);
  }
}

// Reads the day: its rows, its heading and its statistics line.
void DayView::Rebuild() {
  m_rows.clear();
  m_items.clear();
  m_heading.clear();
  m_stats.clear();
  m_workHoliday = false;
  if (m_date == 0) return;
  Schedule& s = m_env.schedule();
  // Opening a day brings in its recurring occurrences.
  s.GetTerminal(m_date);
  m_heading = FormatDateLong(m_date, m_env.dateText());
  m_workHoliday = m_env.engine.HoldsWorkHoliday(m_date);
  const DaySource source = Source();
  m_stats = StatisticsLine(source, m_date);
  m_rows = BuildDayRows(source, m_date);
  for (size_t i = 0; i < m_rows.size(); ++i)
    if (m_rows[i].kind == DayRowKind::kItem) m_items.push_back(static_cast<int>(i));
  m_top = std::clamp(m_top, 0, std::max(0, itemCount() - 1));
}

int DayView::ContentWidth() const {
  return width() - (m_scroll->isHidden() ? 0 : m_scroll->width());
}

int DayView::RowHeight(const DayRow& row) const {
  const int line = QFontMetrics(m_env.style.textFont).height();
  if (row.kind == DayRowKind::kItem) return line + kRowPadding;
  return TimespaceHeight(row.minutes, line, height() - m_headingHeight, m_env.options.timespace);
}

void DayView::Layout(bool invalidateChanges) {
  const QFontMetrics text(m_env.style.textFont);
  const QFontMetrics heading(m_env.style.headingFont);
  const int oldHeading = m_headingHeight;
  m_headingHeight = text.height() / 2 + heading.height() + kTopMargin;
  if (!m_stats.empty()) m_headingHeight += text.height();
  m_headingHeight += kTopMargin;

  // The scroll bar shows once the rows no longer fit (or the list is scrolled).
  int needed = m_headingHeight;
  for (const DayRow& row : m_rows) needed += RowHeight(row);
  const bool scrollable = itemCount() > 1 && (m_top > 0 || needed > height());
  m_scroll->setVisible(scrollable);
  if (scrollable) {
    const int w = m_scroll->sizeHint().width();
    m_scroll->setGeometry(width() - w, m_headingHeight, w, std::max(0, height() - m_headingHeight));
  }

  std::vector<TableRow> table;
  const TaskNode* current = SelectedTask();
  int y = m_headingHeight;
  const int right = ContentWidth();
  for (size_t i = 0; i < m_rows.size() && y < height(); ++i) {
    const DayRow& row = m_rows[i];
    if (row.itemIndex < m_top) continue;
    if (static_cast<int>(table.size()) == kMaxRows) break;
    const int h = RowHeight(row);
    TableRow entry;
    entry.row = static_cast<int>(i);
    entry.rect = QRect(0, y, right, h);
    entry.selected = row.kind == DayRowKind::kItem && row.task == current && current != nullptr;
    entry.content = row;
    table.push_back(std::move(entry));
    y += h;
  }

  m_invalidated.clear();
  if (invalidateChanges) {
    if (oldHeading != m_headingHeight) {
      m_invalidated.push_back(rect());
    } else {
      const size_t n = std::max(table.size(), m_table.size());
      for (size_t i = 0; i < n; ++i) {
        const TableRow* now = i < table.size() ? &table[i] : nullptr;
        const TableRow* before = i < m_table.size() ? &m_table[i] : nullptr;
        if (now != nullptr && before != nullptr && *now == *before) continue;
        QRect r = now != nullptr ? now->rect : before->rect;
        if (now != nullptr && before != nullptr) r = r.united(before->rect);
        m_invalidated.push_back(r);
      }
      // The space below the last row when the table got shorter.
      const int oldBottom = m_table.empty() ? m_headingHeight : m_table.back().rect.bottom() + 1;
      const int newBottom = table.empty() ? m_headingHeight : table.back().rect.bottom() + 1;
      if (oldBottom > newBottom)
        m_invalidated.push_back(QRect(0, newBottom, right, oldBottom - newBottom));
    }
    for (const QRect& r : m_invalidated) update(r);
  }
  m_table = std::move(table);

  m_settingScroll = true;
  m_scroll->setRange(0, std::max(0, itemCount() - 1));
  m_scroll->setPageStep(std::max(1, static_cast<int>(m_table.size()) / 2));
  m_scroll->setValue(m_top);
  m_settingScroll = false;
}

// ---- Selection ----------------------------------------------------------------------------

TaskNode* DayView::SelectedTask() const {
  const Terminal* day = Day();
  return day == nullptr ? nullptr : day->current;
}

int DayView::SelectedItem() const {
  const TaskNode* current = SelectedTask();
  if (current == nullptr) return -1;
  for (int i = 0; i < itemCount(); ++i)
    if (m_rows[static_cast<size_t>(m_items[static_cast<size_t>(i)])].task == current) return i;
  return -1;
}

bool DayView::ItemFullyVisible(int item) const {
  for (const TableRow& r : m_table)
    if (r.content.kind == DayRowKind::kItem && r.content.itemIndex == item)
      return r.rect.bottom() < height();
  return false;
}

// Scrolls node by node until the item stands wholly in the window.
void DayView::ShowItem(int item) {
  if (item < m_top) {
    m_top = item;
    Layout(true);
  }
  while (!ItemFullyVisible(item) && m_top < item) {
    ++m_top;
    Layout(true);
  }
}

void DayView::SelectItem(int item) {
  Terminal* day = Day();
  if (day == nullptr || item < 0 || item >= itemCount()) return;
  day->current = m_rows[static_cast<size_t>(m_items[static_cast<size_t>(item)])].task;
  ShowItem(item);
  Layout(true);
  emit selectionChanged();
}

void DayView::SelectTask(TaskNode* task) {
  for (int i = 0; i < itemCount(); ++i)
    if (m_rows[static_cast<size_t>(m_items[static_cast<size_t>(i)])].task == task) {
      SelectItem(i);
      return;
    }
}

void DayView::SelectPrevious() {
  if (itemCount() == 0) return;
  const int selected = SelectedItem();
  if (selected < 0 || selected < m_top || !ItemFullyVisible(selected)) {
    SelectItem(m_top);
    return;
  }
  if (selected > 0) SelectItem(selected - 1);
}

void DayView::SelectNext() {
  if (itemCount() == 0) return;
  const int selected = SelectedItem();
  if (selected < 0) {
    SelectItem(m_top);
    return;
  }
  if (selected + 1 < itemCount()) SelectItem(selected + 1);
}

void DayView::ScrollLines(int lines) {
  const int top = std::clamp(m_top + lines, 0, std::max(0, itemCount() - 1));
  if (top == m_top) return;
  m_top = top;
  Layout(true);
}

void DayView::TopOfList() {
  m_top = 0;
  Layout(true);
  SelectItem(0);
}

void DayView::BottomOfList() { SelectItem(itemCount() - 1); }

bool DayView::TypeAhead(char letter) {
  const int n = itemCount();
  if (n == 0) return false;
  const bool pastDay = m_date < m_env.schedule().Today();
  const int from = SelectedItem();
  for (int step = 1; step <= n; ++step) {
    const int i = ((from < 0 ? -1 : from) + step + n) % n;
    const DayRow& row = m_rows[static_cast<size_t>(m_items[static_cast<size_t>(i)])];
    if (row.done && !pastDay) continue;
    if (!row.title.empty() &&
        std::tolower(static_cast<unsigned char>(row.title.front())) == letter) {
      SelectItem(i);
      return true;
    }
  }
  return false;
}

// ---- Mouse and keys -----------------------------------------------------------------------

int DayView::HitTest(QPoint point) const {
  const size_t tested = std::min<size_t>(m_table.size(), kMaxRows - 1);
  for (size_t i = 0; i < tested; ++i) {
    const QRect& r = m_table[i].rect;
    if (r.top() <= point.y() && point.y() <= r.bottom() && r.left() <= point.x())
      return static_cast<int>(i);
  }
  return -1;
}

TaskNode* DayView::TaskAt(QPoint point) const {
  const int hit = HitTest(point);
  if (hit < 0) return nullptr;
  const DayRow& row = m_table[static_cast<size_t>(hit)].content;
  return row.kind == DayRowKind::kItem ? row.task : nullptr;
}

QRect DayView::projectBarRect(const QRect& row) const {
  return QRect(kSideMargin + kMarkerWidth, row.top() + 2, kBarWidth, row.height() - 4);
}

QRect DayView::NoteRect(const QRect& row) const {
  const int w = QFontMetrics(m_env.style.textFont).height();
  return QRect(row.right() - w - kSideMargin, row.top(), w + kSideMargin, row.height());
}

void DayView::mousePressEvent(QMouseEvent* event) {
  emit activated();
  setFocus(Qt::MouseFocusReason);
  const QPoint at = event->position().toPoint();
  const int hit = HitTest(at);
  // Copies: selecting a task lays the day out again, which replaces the rows.
  const std::optional<DayRow> row =
      hit < 0 ? std::nullopt : std::optional<DayRow>(m_table[static_cast<size_t>(hit)].content);
  const QRect rowRect = hit < 0 ? QRect() : m_table[static_cast<size_t>(hit)].rect;
  const bool onItem = row.has_value() && row->kind == DayRowKind::kItem;
  if (event->button() == Qt::LeftButton && onItem) {
    if (row->project != kNoAct && projectBarRect(rowRect).adjusted(-2, 0, 2, 0).contains(at)) {
      emit projectBarClicked(row->project);
      return;
    }
    SelectTask(row->task);
    m_dragged = row->task;
  } else if (event->button() == Qt::RightButton && onItem) {
    TaskNode* task = row->task;
    SelectTask(task);
    emit contextMenuRequested(task, event->globalPosition().toPoint());
  }
}

void DayView::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton) || m_dragged == nullptr) return;
  const int hit = HitTest(event->position().toPoint());
  if (hit < 0) return;
  const DayRow& over = m_table[static_cast<size_t>(hit)].content;
  if (over.kind != DayRowKind::kItem || over.task == m_dragged) return;
  int held = -1;
  for (size_t i = 0; i < m_table.size(); ++i)
    if (m_table[i].content.kind == DayRowKind::kItem && m_table[i].content.task == m_dragged)
      held = static_cast<int>(i);
  if (held < 0) {
    m_dragged = nullptr;
    return;
  }
  // One step per row passed; the view is laid out again after each step.
  emit dragStepRequested(hit < held);
}

void DayView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) m_dragged = nullptr;
}

void DayView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  const int hit = HitTest(at);
  if (hit >= 0 && m_table[static_cast<size_t>(hit)].content.kind == DayRowKind::kItem) {
    const TableRow& r = m_table[static_cast<size_t>(hit)];
    if (r.content.hasNote && NoteRect(r.rect).contains(at))
      emit noteRequested(r.content.task);
    else
      emit taskActivated(r.content.task);
    return;
  }
  emit newItemRequested(m_date);
}

void DayView::wheelEvent(QWheelEvent* event) {
  const int notches = event->angleDelta().y() / 120;
  if (notches != 0) ScrollLines(-notches);
  event->accept();
}

void DayView::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
      SelectPrevious();
      return;
    case Qt::Key_Down:
      SelectNext();
      return;
    case Qt::Key_PageUp:
      ScrollLines(-std::max(1, static_cast<int>(m_table.size()) / 2));
      return;
    case Qt::Key_PageDown:
      ScrollLines(std::max(1, static_cast<int>(m_table.size()) / 2));
      return;
    case Qt::Key_Home:
      TopOfList();
      return;
    case Qt::Key_End:
      BottomOfList();
      return;
    default:
      break;
  }
  const QString text = event->text();
  if (text.size() == 1 && event->modifiers() == Qt::NoModifier) {
    const QChar c = text.front();
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
      TypeAhead(c.toLatin1());
      return;
    }
  }
  QWidget::keyPressEvent(event);
}

void DayView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Layout(false);
  update();
}

// ---- Painting -----------------------------------------------------------------------------

void DayView::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.fillRect(rect(), m_env.style.background);
  PaintHeading(p);
  if (Day() == nullptr) return;
  for (const TableRow& row : m_table) {
    if (row.content.kind == DayRowKind::kItem)
      PaintItemRow(p, row);
    else
      PaintFreeRow(p, row);
  }
}

void DayView::PaintHeading(QPainter& p) const {
  const ViewStyle& st = m_env.style;
  const QFontMetrics text(st.textFont);
  const QFontMetrics heading(st.headingFont);
  QColor colour = m_workHoliday ? st.workHoliday : st.text;
  if (!m_active) colour = st.Readable(InactiveHeading(colour));
  const int right = width() - kSideMargin;
  int y = kTopMargin + text.height() / 2;
  p.setFont(st.headingFont);
  p.setPen(colour);
  const QString date =
      heading.elidedText(Q(m_heading), Qt::ElideRight, right - kSideMargin - kMoonSize - 8);
  p.drawText(QRect(kSideMargin, y, right - kSideMargin, heading.height()),
             Qt::AlignLeft | Qt::AlignVCenter, date);
  if (m_env.options.showMoons && m_date != 0) {
    const int x = kSideMargin + heading.horizontalAdvance(date) + 8;
    const QRectF box(x, y + (heading.height() - kMoonSize) / 2.0, kMoonSize, kMoonSize);
    PaintMoon(p, box, MoonAngle(m_date, m_env.options.moonAM, 0), colour.darker(130));
  }
  y += heading.height();
  if (!m_stats.empty()) {
    QFont small = st.textFont;
    small.setPointSizeF(small.pointSizeF() * 0.9);
    p.setFont(small);
    p.setPen(m_active ? st.text : st.Readable(InactiveHeading(st.text)));
    const QFontMetrics sm(small);
    p.drawText(QRect(kSideMargin, y, right - kSideMargin, text.height()),
               Qt::AlignLeft | Qt::AlignVCenter,
               sm.elidedText(Q(m_stats), Qt::ElideRight, right - kSideMargin));
  }
  QColor rule = st.text;
  rule.setAlpha(90);
  p.setPen(QPen(rule, 1));
  p.drawLine(QPointF(kSideMargin, m_headingHeight - 1.5), QPointF(right, m_headingHeight - 1.5));
}

void DayView::PaintItemRow(QPainter& p, const TableRow& table) const {
  const ViewStyle& st = m_env.style;
  const DayRow& row = table.content;
  const QRect r = table.rect;
  const QFontMetrics fm(st.textFont);

  if (m_env.options.shading) {
    QLinearGradient shade(r.topLeft(), r.bottomLeft());
    shade.setColorAt(0, st.background.lighter(103));
    shade.setColorAt(1, st.background.darker(106));
    p.fillRect(r, shade);
  }
  if (table.selected) {
    p.setPen(QPen(st.selection.darker(125), 1));
    p.setBrush(st.selection);
    p.drawRoundedRect(QRectF(r).adjusted(kSideMargin + kMarkerWidth - 3, 1.5, -2.5, -1.5), 4, 4);
  }

  QColor ink = st.text;
  if (row.done)
    ink = st.done;
  else if (row.start == 0 && !row.memo)
    ink = st.unscheduled;
  else if (row.fluid)
    ink = st.fluid;

  if (row.marker) {
    QFont bold = st.textFont;
    bold.setBold(true);
    p.setFont(bold);
    p.setPen(st.warning);
    p.drawText(QRect(kSideMargin, r.top(), kMarkerWidth, r.height()), Qt::AlignCenter, ">");
  }
  if (row.projectID != 0 && row.projectColor != kNoProjectColor) {
    const QColor c = ColorFromRef(row.projectColor);
    const QRect bar = projectBarRect(r);
    p.fillRect(bar, c.lighter(140));
    p.fillRect(bar, QBrush(c.darker(120), Qt::BDiagPattern));
    p.setPen(QPen(c.darker(140), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(bar).adjusted(0.5, 0.5, -0.5, -0.5));
  }

  int x = kSideMargin + kMarkerWidth + kBarWidth + 6;
  const int right = NoteRect(r).left() - 4;
  p.setFont(st.textFont);
  const QString times = Q(row.startText + row.endText).trimmed();
  const QString timeColumn = m_env.options.showEndTimes ? "12:00p- 12:00p" : "12:00p";
  const int timeWidth = m_env.options.showTaskTimes ? fm.horizontalAdvance(timeColumn) : 0;
  if (timeWidth > 0) {
    if (row.fluid) p.setFont(st.fluidBeginFont);
    p.setPen(row.conflict ? st.warning : ink);
    p.drawText(QRect(x, r.top(), timeWidth, r.height()), Qt::AlignRight | Qt::AlignVCenter, times);
    x += timeWidth + 10;
  }

  auto draw = [&](const QString& s, const QColor& colour, const QFont& font) {
    if (s.isEmpty() || x >= right) return;
    const QFontMetrics m(font);
    const QString shown = m.elidedText(s, Qt::ElideRight, right - x);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QRect(x, r.top(), right - x, r.height()), Qt::AlignLeft | Qt::AlignVCenter, shown);
    x += m.horizontalAdvance(shown) + m.horizontalAdvance(' ');
  };
  QFont small = st.textFont;
  small.setPointSizeF(small.pointSizeF() * 0.85);
  const QColor soft = st.Soft(ink);

  if (!row.priorityText.empty()) {
    const QFontMetrics m(small);
    const QString tag = Q(row.priorityText);
    const QRectF box(x, r.center().y() - m.height() / 2.0, m.horizontalAdvance(tag) + 8,
                     m.height());
    p.setPen(Qt::NoPen);
    p.setBrush(st.TagFill());
    p.drawRoundedRect(box, 3, 3);
    p.setFont(small);
    p.setPen(st.fluid);
    p.drawText(box, Qt::AlignCenter, tag);
    x += static_cast<int>(box.width()) + 6;
  }
  draw(Q(row.projectText).trimmed(), soft, small);
  QFont titleFont = st.textFont;
  titleFont.setStrikeOut(row.strike);
  titleFont.setItalic(row.memo);
  QString title = Q(row.title);
  if (row.clone || row.drone) title += QString::fromUtf8(" \u21bb");
  draw(title, ink, titleFont);
  draw(Q(row.durationText), soft, small);
  draw(Q(row.lateText), st.warning, small);

  if (row.hasNote) {
    p.setFont(st.textFont);
    p.setPen(soft);
    p.drawText(NoteRect(r), Qt::AlignCenter, QString::fromUtf8("\u270e"));
  }
  QColor line = st.text;
  line.setAlpha(28);
  p.setPen(QPen(line, 1));
  p.drawLine(QPointF(kSideMargin, r.bottom() + 0.5),
             QPointF(r.right() - kSideMargin, r.bottom() + 0.5));
}

void DayView::PaintFreeRow(QPainter& p, const TableRow& table) const {
  const ViewStyle& st = m_env.style;
  const DayRow& row = table.content;
  const QRect r = table.rect;
  QColor fill = row.past ? st.pastTime : st.freeTime;
  if (row.nonWorkday && !row.past) fill = st.background;
  p.fillRect(r.adjusted(kSideMargin + kMarkerWidth, 1, -kSideMargin, -1), fill);

  const QFontMetrics fm(st.textFont);
  const int lineTop = r.top() + (std::min(r.height(), fm.height() + kRowPadding) - fm.height()) / 2;
  const QRect line(0, lineTop, r.width(), fm.height());
  if (row.marker) {
    QFont bold = st.textFont;
    bold.setBold(true);
    p.setFont(bold);
    p.setPen(st.warning);
    p.drawText(QRect(kSideMargin, line.top(), kMarkerWidth, line.height()), Qt::AlignCenter, ">");
  }
  QFont italic = st.textFont;
  italic.setItalic(true);
  p.setFont(italic);
  QColor ink = st.text;
  ink = st.Soft(ink, row.past ? 110 : 160);
  p.setPen(ink);
  int x = kSideMargin + kMarkerWidth + kBarWidth + 6;
  const QString timeColumn = m_env.options.showEndTimes ? "12:00p- 12:00p" : "12:00p";
  if (m_env.options.showTaskTimes) {
    const int w = fm.horizontalAdvance(timeColumn);
    p.drawText(QRect(x, line.top(), w, line.height()), Qt::AlignRight | Qt::AlignVCenter,
               Q(row.startText + row.endText).trimmed());
    x += w + 10;
  }
  const QString text = Q(row.title + row.costText);
  p.drawText(QRect(x, line.top(), r.width() - x - kSideMargin, line.height()),
             Qt::AlignLeft | Qt::AlignVCenter,
             fm.elidedText(text, Qt::ElideRight, r.width() - x - kSideMargin));
}

}  // namespace ploven
