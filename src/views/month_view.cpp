#include "views/month_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

#include "engine/balance_day.h"
#include "recur/recurrences.h"
#include "store/calendar.h"
#include "store/date_format.h"
#include "store/schedule.h"
#include "store/week_number.h"

namespace ploven {

namespace {

constexpr int kMargin = 8;
constexpr int kCellPad = 4;
constexpr const char* kMoreItems = "+%1 more";

QColor Mix(const QColor& a, const QColor& b, double t) {
  return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                          static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                          static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

bool InUserRange(int date) { return date >= kFirstUserDay && date <= kLastUserDay; }

QString Text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

MonthView::MonthView(ViewEnvironment& env, QWidget* parent)
    : QWidget(parent), m_env(env), m_viewed(env.schedule().Today()) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  if (!InUserRange(m_viewed)) m_viewed = kFirstUserDay;
}

bool MonthView::SetViewedDate(DayNumber date) {
  if (!InUserRange(date)) return false;
  if (date != m_viewed) {
    m_viewed = date;
    update();
  }
  return true;
}

void MonthView::SetDarkenBusierDays(bool on) {
  m_darken = on;
  update();
}

void MonthView::SetCalendarWeeks(int weeks) {
  m_weeks = std::clamp(weeks, 1, 12);
  update();
}

void MonthView::SetFourFourFive(bool on) {
  m_fourFourFive = on;
  update();
}

std::pair<int, int> MonthView::SpanOf(int date) const {
  if (m_fourFourFive) {
    const WeekRules rules{m_env.options.firstWeekRule, m_env.options.weekStartsMonday,
                          m_env.options.yearFirstWeekAdjust};
    const Period445 period = PeriodBounds445(date, rules);
    if (period.first != 0) return {period.first, period.last};
  }
  const int first = MakeDay(MonthOf(date), 1, YearOf(date));
  return {first, first + DaysInMonth(MonthOf(date), YearOf(date)) - 1};
}

DayNumber MonthView::FirstShownDate() const {
  const int first = SpanOf(m_viewed).first;
  const int back = m_env.options.weekStartsMonday ? WeekdayMondayFirst(first) : Weekday(first);
  return static_cast<DayNumber>(first - back);
}

int MonthView::HeadingHeight() const { return QFontMetrics(m_env.style.monthFont).height() + 10; }

int MonthView::WeekColumnWidth() const {
  if (!m_env.options.weekOfYear) return 0;
  return QFontMetrics(m_env.style.monthFont).horizontalAdvance("53") + 14;
}

QRect MonthView::TitleRect() const {
  QFont f = m_env.style.headingFont;
  f.setPointSizeF(f.pointSizeF() * 1.25);
  return QRect(kMargin, kMargin, width() - 2 * kMargin, QFontMetrics(f).height() + 10);
}

QRect MonthView::PreviousArrowRect() const {
  const QRect t = TitleRect();
  return QRect(t.left(), t.top(), t.height(), t.height());
}

QRect MonthView::NextArrowRect() const {
  const QRect t = TitleRect();
  return QRect(t.right() - t.height() + 1, t.top(), t.height(), t.height());
}

QRect MonthView::GridRect() const {
  const int top = TitleRect().bottom() + 1 + HeadingHeight();
  const int left = kMargin + WeekColumnWidth();
  return QRect(left, top, std::max(7, width() - left - kMargin),
               std::max(m_weeks, height() - top - kMargin));
}

QRect MonthView::CellRect(DayNumber date) const {
  const int index = date - FirstShownDate();
  if (index < 0 || index >= 7 * m_weeks) return {};
  const QRect g = GridRect();
  const int col = index % 7, row = index / 7;
  const int x0 = g.left() + g.width() * col / 7, x1 = g.left() + g.width() * (col + 1) / 7;
  const int y0 = g.top() + g.height() * row / m_weeks;
  const int y1 = g.top() + g.height() * (row + 1) / m_weeks;
  return QRect(x0, y0, x1 - x0, y1 - y0);
}

DayNumber MonthView::DateAt(QPoint pos) const {
  const QRect g = GridRect();
  if (!g.contains(pos)) return kNoDate;
  const int col = std::min(6, (pos.x() - g.left()) * 7 / g.width());
  const int row = std::min(m_weeks - 1, (pos.y() - g.top()) * m_weeks / g.height());
  const int date = FirstShownDate() + row * 7 + col;
  return InUserRange(date) ? static_cast<DayNumber>(date) : kNoDate;
}

std::vector<MonthView::DayLine> MonthView::DayLines(DayNumber date) {
  std::vector<DayLine> lines;
  if (!InUserRange(date)) return lines;
  Schedule& s = m_env.schedule();
  // Archived days are only read; open days are made with their occurrences.
  Terminal* day = s.header().IsArchived(date) ? s.ExistingTerminal(date) : s.GetTerminal(date);
  if (day == nullptr) return lines;
  const DateText& dt = m_env.dateText();
  for (TaskNode* t = day->First(); t != nullptr; t = t->Next()) {
    if (m_env.Hidden(t->act)) continue;
    const Act& a = s.ReadAct(t->act, "Month", __LINE__);
    DayLine line;
    const bool memo = (a.typeFlags & ACT_MEMO) != 0 || a.Has(AF_HOPE);
    if (m_env.options.showTaskTimes && !memo && t->StartTime() != kNoTime)
      line.time = Text(FormatTimeShort(t->StartTime(), dt)).trimmed();
    line.title = Text(a.Has(AF_BETA) ? OccurrenceTitle(m_env.recurrences, t->act, date, false)
                                     : s.GetActTitle(t->act));
    line.done = a.Has(AF_DONE);
    lines.push_back(std::move(line));
  }
  return lines;
}

int MonthView::Load(DayNumber date) {
  Terminal* day = m_env.schedule().ExistingTerminal(date);
  return day != nullptr ? DayLoad(m_env.engine, *day) : 0;
}

void MonthView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const ViewStyle& st = m_env.style;
  const DateText& dt = m_env.dateText();
  const QColor window = palette().color(QPalette::Window);
  p.fillRect(rect(), window);

  // Title: month and year between the two arrows.
  QFont titleFont = st.headingFont;
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
  p.setFont(titleFont);
  p.setPen(st.text);
  const QRect title = TitleRect();
  QString titleText =
      Text(MonthName(MonthOf(m_viewed), dt)) + " " + QString::number(YearOf(m_viewed));
  if (m_fourFourFive) {
    const WeekRules fiscal{m_env.options.firstWeekRule, m_env.options.weekStartsMonday,
                           m_env.options.yearFirstWeekAdjust};
    titleText = QString("Period %1 of 4-4-5 year %2")
                    .arg(PeriodOfYear445(m_viewed, fiscal))
                    .arg(FiscalYear445(m_viewed, fiscal));
  }
  p.drawText(title, Qt::AlignCenter, titleText);
  for (const auto& [r, forward] :
       {std::pair{PreviousArrowRect(), false}, std::pair{NextArrowRect(), true}}) {
    const QRect a = r.adjusted(r.width() / 3, r.height() / 3, -r.width() / 3, -r.height() / 3);
    QPainterPath arrow;
    arrow.moveTo(forward ? a.left() : a.right(), a.top());
    arrow.lineTo(forward ? a.right() : a.left(), a.center().y());
    arrow.lineTo(forward ? a.left() : a.right(), a.bottom());
    p.setPen(QPen(st.text, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arrow);
  }

  // Weekday headings.
  const QRect grid = GridRect();
  const QFont font = st.monthFont;
  QFont bold = font;
  bold.setBold(true);
  const QFontMetrics fm(font);
  const QRect headings(grid.left(), title.bottom() + 1, grid.width(), HeadingHeight());
  p.fillRect(headings.adjusted(-WeekColumnWidth(), 0, 0, 0), Mix(window, st.text, 0.12));
  p.setFont(bold);
  const DayNumber first = FirstShownDate();
  for (int col = 0; col < 7; ++col) {
    const QRect cell = CellRect(static_cast<DayNumber>(first + col));
    const QRect h(cell.left(), headings.top(), cell.width(), headings.height());
    const int weekday = Weekday(first + col);
    const QString name = h.width() > fm.horizontalAdvance("Wednesday") + 8
                             ? Text(WeekdayName(weekday, dt))
                             : Text(WeekdayAbbrev3(weekday, dt));
    p.setPen(st.text);
    p.drawText(h, Qt::AlignCenter, name);
  }

  // Days.
  const DayNumber today = m_env.schedule().Today();
  const auto [spanFirst, spanLast] = SpanOf(m_viewed);
  const QColor gridLine = Mix(st.background, st.text, 0.25);
  const QColor otherMonth = Mix(st.background, window, 0.65);
  const int lh = fm.height() + 1;
  const WeekRules rules{m_env.options.firstWeekRule, m_env.options.weekStartsMonday, 0};
  // Occurrence days stay until the grid is drawn.
  PruningHold hold(m_env.schedule());
  for (int index = 0; index < 7 * m_weeks; ++index) {
    const int date = first + index;
    const QRect cell = CellRect(static_cast<DayNumber>(date));
    if (!InUserRange(date)) {
      p.fillRect(cell, window);
      continue;
    }
    const DayNumber d = static_cast<DayNumber>(date);
    const bool inMonth = d >= spanFirst && d <= spanLast;
    // The lines first: they make the day, with any recurring Work Holiday on it.
    std::vector<DayLine> lines = DayLines(d);
    const bool holiday = m_env.engine.HoldsWorkHoliday(d);
    QColor bg = inMonth ? st.background : otherMonth;
    if (holiday) bg = Mix(bg, st.workHoliday, 0.18);
    if (m_darken) bg = Mix(bg, QColor(40, 40, 40), std::min(Load(d), 100) / 100.0 * 0.45);
    if (d == m_viewed) bg = Mix(bg, st.selection, 0.7);
    p.fillRect(cell, bg);
    p.setPen(QPen(gridLine, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(cell.adjusted(0, 0, -1, -1));
    if (d == m_viewed) {
      p.setPen(QPen(st.selection.darker(160), 2));
      p.drawRect(cell.adjusted(1, 1, -2, -2));
    }

    // The date number; today in a filled circle.
    const QString number = QString::number(DayOfMonth(d));
    const int size = fm.height() + 4;
    const QRect badge(cell.left() + kCellPad, cell.top() + kCellPad - 1,
                      std::max(size, fm.horizontalAdvance(number) + 8), size);
    p.setFont(bold);
    if (d == today) {
      p.setPen(Qt::NoPen);
      p.setBrush(st.text);
      p.drawRoundedRect(badge, size / 2.0, size / 2.0);
      p.setBrush(Qt::NoBrush);
      p.setPen(st.background);
    } else {
      p.setPen(holiday ? st.workHoliday.darker(150) : inMonth ? st.text : Mix(st.text, bg, 0.5));
    }
    p.drawText(badge, Qt::AlignCenter, number);

    // Items, as many as fit, then how many more there are.
    p.setFont(font);
    const int top = badge.bottom() + 2;
    const int room = std::max(0, (cell.bottom() - kCellPad - top) / lh);
    const int count = static_cast<int>(lines.size());
    const int shown = count > room ? std::max(0, room - 1) : count;
    const int textLeft = cell.left() + kCellPad;
    const int textWidth = cell.width() - 2 * kCellPad;
    for (int i = 0; i < shown; ++i) {
      const DayLine& line = lines[static_cast<size_t>(i)];
      const QRect r(textLeft, top + i * lh, textWidth, lh);
      QFont f = font;
      f.setStrikeOut(line.done);
      p.setFont(f);
      p.setPen(line.done ? st.done : st.text);
      const QString text = line.time.isEmpty() ? line.title : line.time + " " + line.title;
      p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter,
                 QFontMetrics(f).elidedText(text, Qt::ElideRight, textWidth));
    }
    if (shown < count && room > 0) {
      p.setFont(font);
      p.setPen(Mix(st.text, bg, 0.35));
      p.drawText(QRect(textLeft, top + shown * lh, textWidth, lh), Qt::AlignLeft | Qt::AlignVCenter,
                 QString(kMoreItems).arg(count - shown));
    }
  }

  // Week numbers beside the rows.
  if (m_env.options.weekOfYear) {
    p.setFont(font);
    p.setPen(Mix(st.text, window, 0.4));
    for (int row = 0; row < m_weeks; ++row) {
      const int date = first + row * 7;
      const QRect cell = CellRect(static_cast<DayNumber>(date));
      const QRect r(kMargin, cell.top() + kCellPad, WeekColumnWidth() - 6, fm.height() + 2);
      p.drawText(r, Qt::AlignRight | Qt::AlignVCenter,
                 QString::number(WeekOfYear(std::clamp(date, 1, kLastDay), rules)));
    }
  }
}

void MonthView::MoveMonths(int n) {
  int date = AddMonths(m_viewed, n);
  if (m_fourFourFive) {
    // A period at a time, to the same place in the period where it has one.
    date = m_viewed;
    for (int i = 0; i < std::abs(n); ++i) {
      const int offset = date - SpanOf(date).first;
      const int next = n > 0 ? SpanOf(date).second + 1 : SpanOf(date).first - 1;
      const auto [first, last] = SpanOf(next);
      date = std::min(first + offset, last);
    }
  }
  if (SetViewedDate(static_cast<DayNumber>(std::clamp(date, 0, kLastDay))))
    emit dateSelected(m_viewed);
}

void MonthView::MoveDays(int n) {
  if (SetViewedDate(static_cast<DayNumber>(std::clamp(m_viewed + n, 0, kLastDay))))
    emit dateSelected(m_viewed);
}

void MonthView::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  const QPoint pos = event->position().toPoint();
  if (event->button() == Qt::LeftButton) {
    if (PreviousArrowRect().contains(pos)) return MoveMonths(-1);
    if (NextArrowRect().contains(pos)) return MoveMonths(1);
  }
  const DayNumber date = DateAt(pos);
  if (date == kNoDate) return;
  if (event->button() == Qt::LeftButton) {
    if (date == m_viewed) {
      emit dayViewRequested(date);
      return;
    }
    SetViewedDate(date);
    emit dateSelected(date);
  } else if (event->button() == Qt::RightButton) {
    if (date != m_viewed) {
      SetViewedDate(date);
      emit dateSelected(date);
    }
    emit newItemRequested(date);
  }
}

void MonthView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const DayNumber date = DateAt(event->position().toPoint());
  if (date == kNoDate) return;
  SetViewedDate(date);
  emit dayViewRequested(date);
}

void MonthView::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_PageUp:
      MoveMonths(-1);
      break;
    case Qt::Key_PageDown:
      MoveMonths(1);
      break;
    case Qt::Key_Left:
      MoveDays(-1);
      break;
    case Qt::Key_Right:
      MoveDays(1);
      break;
    case Qt::Key_Up:
      MoveDays(-7);
      break;
    case Qt::Key_Down:
      MoveDays(7);
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      emit dayViewRequested(m_viewed);
      break;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  event->accept();
}

void MonthView::wheelEvent(QWheelEvent* event) {
  const int steps = event->angleDelta().y() / 120;
  if (steps != 0) MoveMonths(-steps);
  event->accept();
}

}  // namespace ploven
