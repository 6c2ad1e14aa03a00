#include "views/list_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>

#include "engine/priorities.h"
#include "present/list_messages.h"
#include "store/schedule.h"

namespace ploven {

namespace {

constexpr int kMarginTop = 4;
constexpr int kBarLeft = 4;
constexpr int kBarWidth = 8;
constexpr int kTextLeft = 18;
constexpr int kNotePartWidth = 22;
constexpr int kValueColumnWidth = 84;

QColor ToColor(const Rgb& c) { return QColor(c.red, c.green, c.blue); }

// A folded page at the right of a line whose item has a note.
void DrawNoteMarker(QPainter& p, const QRect& part, const QColor& ink) {
  const int h = std::min(part.height() - 4, 12);
  const int w = h * 3 / 4;
  const QRect page(part.center().x() - w / 2, part.center().y() - h / 2, w, h);
  const int fold = w / 3;
  QPolygon outline;
  outline << page.topLeft() << QPoint(page.right() - fold, page.top())
          << QPoint(page.right(), page.top() + fold) << page.bottomRight() << page.bottomLeft();
  p.setPen(QPen(ink, 1));
  p.setBrush(QColor(255, 250, 205));
  p.drawPolygon(outline);
  p.drawLine(QPoint(page.right() - fold, page.top()),
             QPoint(page.right() - fold, page.top() + fold));
  p.drawLine(QPoint(page.right() - fold, page.top() + fold),
             QPoint(page.right(), page.top() + fold));
}

}  // namespace

ListView::ListView(ViewEnvironment& env, QWidget* parent) : QWidget(parent), m_env(env) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  m_scroll = new QScrollBar(Qt::Vertical, this);
  connect(m_scroll, &QScrollBar::valueChanged, this, [this](int v) {
    m_first = v;
    update();
  });
  Refresh();
}

void ListView::SetKind(ListKind kind) {
  if (kind == m_kind) return;
  m_kind = kind;
  m_selected = -1;
  m_first = 0;
  Refresh();
}

void ListView::Refresh() {
  const ActHandle keep = SelectedItem();
  m_entries.clear();
  for (ActHandle h : ListEntries(m_env.schedule(), m_kind))
    if (!m_env.Hidden(h)) m_entries.push_back(h);
  m_selected = -1;
  if (keep != kNoAct) {
    const auto it = std::find(m_entries.begin(), m_entries.end(), keep);
    if (it != m_entries.end()) m_selected = static_cast<int>(it - m_entries.begin());
  }
  m_first = std::clamp(m_first, 0, std::max(0, entryCount() - 1));
  UpdateScrollBar();
  update();
  if (SelectedItem() != keep) emit selectionChanged();
}

ActHandle ListView::SelectedItem() const {
  if (m_selected < 0 || m_selected >= entryCount()) return kNoAct;
  return m_entries[static_cast<size_t>(m_selected)];
}

bool ListView::SelectItem(ActHandle h) {
  const auto it = std::find(m_entries.begin(), m_entries.end(), h);
  if (h == kNoAct || it == m_entries.end()) return false;
  SetSelected(static_cast<int>(it - m_entries.begin()));
  return true;
}

void ListView::SelectPrevious() {
  if (m_entries.empty()) return;
  // A selection scrolled out of sight starts again from the first line shown.
  if (m_selected < m_first || m_selected >= m_first + linesThatFit()) {
    SetSelected(m_first);
    return;
  }
  SetSelected(std::max(0, m_selected - 1));
}

void ListView::SelectNext() {
  if (m_entries.empty()) return;
  if (m_selected < 0 || m_selected < m_first || m_selected >= m_first + linesThatFit()) {
    SetSelected(std::min(m_first, entryCount() - 1));
    return;
  }
  SetSelected(std::min(entryCount() - 1, m_selected + 1));
}

void ListView::SetViewAuthorized(bool authorized) {
  m_authorized = authorized;
  update();
}

void ListView::SetSelected(int index) {
  index = std::clamp(index, -1, entryCount() - 1);
  if (index >= 0) EnsureVisible(index);
  if (index == m_selected) return;
  m_selected = index;
  update();
  emit selectionChanged();
}

void ListView::EnsureVisible(int index) {
  const int fit = std::max(1, linesThatFit());
  if (index < m_first)
    ScrollTo(index);
  else if (index >= m_first + fit)
    ScrollTo(index - fit + 1);
}

void ListView::ScrollTo(int first) {
  first = std::clamp(first, 0, std::max(0, entryCount() - 1));
  if (first == m_first) return;
  m_first = first;
  UpdateScrollBar();
  update();
}

QFont ListView::LineFont() const {
  // The columns of the lines line up only in a fixed-pitch face.
  QFont f("DejaVu Sans Mono");
  f.setStyleHint(QFont::Monospace);
  f.setPointSizeF(m_env.style.textFont.pointSizeF() > 0 ? m_env.style.textFont.pointSizeF() : 10);
  return f;
}

int ListView::lineHeight() const { return QFontMetrics(LineFont()).lineSpacing() + 4; }

QRect ListView::TextArea() const {
  const int bar = m_scroll->sizeHint().width();  // always shown at the right
  return QRect(0, kMarginTop, std::max(0, width() - bar), std::max(0, height() - kMarginTop));
}

int ListView::linesThatFit() const { return TextArea().height() / lineHeight(); }

QRect ListView::LineRect(int row) const {
  const QRect area = TextArea();
  return QRect(area.left(), area.top() + row * lineHeight(), area.width(), lineHeight());
}

int ListView::EntryAt(QPoint pos) const {
  const QRect area = TextArea();
  if (!area.contains(pos)) return -1;
  const int index = m_first + (pos.y() - area.top()) / lineHeight();
  return index < entryCount() ? index : -1;
}

bool ListView::InNotePart(QPoint pos) const {
  return pos.x() >= TextArea().right() - kNotePartWidth;
}

bool ListView::InProjectBar(QPoint pos) const {
  return !LightMode() && pos.x() >= kBarLeft - 2 && pos.x() <= kBarLeft + kBarWidth + 2;
}

void ListView::UpdateScrollBar() {
  const int fit = std::max(1, linesThatFit());
  const int top = std::max(0, entryCount() - fit);
  m_scroll->blockSignals(true);
  m_scroll->setRange(0, std::max(top, m_first));
  m_scroll->setPageStep(fit);
  m_scroll->setValue(m_first);
  m_scroll->blockSignals(false);
}

void ListView::resizeEvent(QResizeEvent*) {
  const int w = m_scroll->sizeHint().width();
  m_scroll->setGeometry(width() - w, 0, w, height());
  UpdateScrollBar();
}

void ListView::ReportTooManyLines() {
  m_env.schedule().messages().ErrorMessage(list_messages::kTooManyLines);
}

void ListView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const ViewStyle& st = m_env.style;
  p.fillRect(rect(), st.background);

  const QFont plain = LineFont();
  QFont doneFont = plain;
  doneFont.setStrikeOut(true);
  QFont underFont = plain;
  underFont.setUnderline(true);
  const QFontMetrics fm(plain);
  const QRect area = TextArea();
  const int lh = lineHeight();
  // Rules between lines: the text colour faded far into the background.
  const QColor rule =
      QColor::fromRgbF(static_cast<float>(st.background.redF() * 0.88 + st.text.redF() * 0.12),
                       static_cast<float>(st.background.greenF() * 0.88 + st.text.greenF() * 0.12),
                       static_cast<float>(st.background.blueF() * 0.88 + st.text.blueF() * 0.12));
  const bool valueColumn = m_kind == ListKind::kPriority && m_env.options.valueOfTime;
  const int textRight = area.right() - kNotePartWidth - (valueColumn ? kValueColumnWidth : 0);

  ListLineOptions options;
  options.showProjectName = m_env.options.showProjectName;
  options.valueOfTime = m_env.options.valueOfTime;

  int drawn = 0;
  bool tooMany = false;
  for (int index = m_first; index < entryCount(); ++index) {
    const QRect row = LineRect(drawn);
    if (row.top() >= area.bottom()) break;
    if (drawn == kMaxListLines) {
      tooMany = true;
      break;
    }
    ++drawn;
    const bool selected = index == m_selected;
    p.fillRect(row, selected ? st.selection : st.background);
    p.setPen(QPen(rule, 1));
    p.drawLine(row.left() + kTextLeft, row.bottom(), row.right(), row.bottom());
    const QRect textRect(kTextLeft, row.top(), std::max(0, textRight - kTextLeft), lh);
    p.setFont(plain);
    p.setPen(st.text);
    if (!m_authorized) {
      p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, list_messages::kPrivateSchedule);
      continue;
    }
    const ActHandle h = m_entries[static_cast<size_t>(index)];
    if (!m_env.schedule().IsActValid(h)) {
      // Deleted since the last refresh: the list is read again once painting is over.
      if (!m_refreshQueued) {
        m_refreshQueued = true;
        QTimer::singleShot(0, this, [this] {
          m_refreshQueued = false;
          Refresh();
        });
      }
      continue;
    }
    const ListLine line = MakeListLine(m_env.schedule(), m_kind, h, m_env.dateText(), options);
    const QString text = QString::fromStdString(line.text);
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    if (line.done || line.underscored) {
      // The part after the plain columns again, in the done or the underscore font.
      const QString head = QString::fromStdString(line.text.substr(0, line.overlayFrom));
      const QString tail = QString::fromStdString(line.text.substr(line.overlayFrom));
      const int x = kTextLeft + fm.horizontalAdvance(head);
      const QRect tailRect(x, row.top(), std::max(0, textRight - x), lh);
      p.fillRect(tailRect, selected ? st.selection : st.background);
      p.setFont(line.done ? doneFont : underFont);
      p.setPen(line.done ? st.done : st.text);
      p.drawText(tailRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, tail);
    }
    if (line.hasProject && !LightMode()) {
      const QRect bar(kBarLeft, row.top() + 3, kBarWidth, lh - 6);
      const QColor hue = ColorFromRef(line.projectColor);
      p.setPen(QPen(hue.darker(140), 1));
      p.setBrush(hue.lighter(160));
      p.drawRoundedRect(QRectF(bar).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
      p.setBrush(QBrush(hue, Qt::BDiagPattern));
      p.drawRoundedRect(QRectF(bar).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
      p.setBrush(Qt::NoBrush);
    }
    if (valueColumn && !line.value.empty()) {
      const QRect cell(textRight + 4, row.top() + 2, kValueColumnWidth - 8, lh - 4);
      p.fillRect(cell, ToColor(ValueBarColor(line.returnPerHour,
                                             m_env.schedule().priorityIndex().hourlyRate())));
      p.setFont(plain);
      p.setPen(st.text);
      p.drawText(cell.adjusted(3, 0, -3, 0), Qt::AlignRight | Qt::AlignVCenter,
                 QString::fromStdString(line.value));
    }
    if (m_hasNote && m_hasNote(h)) {
      const QRect part(area.right() - kNotePartWidth, row.top(), kNotePartWidth, lh);
      DrawNoteMarker(p, part, st.text);
    }
  }
  if (!tooMany) {
    m_tooManyReported = false;
  } else if (!m_tooManyReported) {
    // The message box runs its own event loop, so it waits until painting is over.
    m_tooManyReported = true;
    QTimer::singleShot(0, this, &ListView::ReportTooManyLines);
  }
}

void ListView::keyPressEvent(QKeyEvent* event) {
  const int fit = std::max(1, linesThatFit());
  switch (event->key()) {
    case Qt::Key_Up:
      SelectPrevious();
      break;
    case Qt::Key_Down:
      SelectNext();
      break;
    case Qt::Key_Home:
      SetSelected(entryCount() > 0 ? 0 : -1);
      break;
    case Qt::Key_End:
      SetSelected(entryCount() - 1);
      break;
    case Qt::Key_PageUp:
      ScrollTo(m_first - fit);
      if (entryCount() > 0) SetSelected(std::max(0, (m_selected < 0 ? 0 : m_selected) - fit));
      break;
    case Qt::Key_PageDown:
      ScrollTo(std::min(m_first + fit, std::max(0, entryCount() - fit)));
      if (entryCount() > 0) SetSelected(std::min(entryCount() - 1, std::max(0, m_selected) + fit));
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (SelectedItem() != kNoAct) {
        if (m_kind == ListKind::kProjects)
          emit projectActivated(SelectedItem());
        else
          emit itemActivated(SelectedItem());
      }
      break;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  event->accept();
}

void ListView::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  if (!m_authorized) return;
  const QPoint pos = event->position().toPoint();
  const int index = EntryAt(pos);
  if (event->button() == Qt::LeftButton) {
    if (index < 0) return;
    SetSelected(index);
    const ActHandle h = m_entries[static_cast<size_t>(index)];
    if (InProjectBar(pos) && m_env.schedule().IsActValid(h)) {
      const ActHandle project =
          FindProjectByID(m_env.schedule(), m_env.schedule().ReadAct(h).projectID);
      if (project != kNoAct) emit projectActivated(project);
    }
  } else if (event->button() == Qt::RightButton) {
    if (index >= 0) {
      SetSelected(index);
      emit contextMenuRequested(m_entries[static_cast<size_t>(index)],
                                event->globalPosition().toPoint());
    }
  }
}

void ListView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!m_authorized || event->button() != Qt::LeftButton) return;
  const QPoint pos = event->position().toPoint();
  const int index = EntryAt(pos);
  if (index < 0) {
    if (TextArea().contains(pos)) emit newItemRequested();
    return;
  }
  SetSelected(index);
  const ActHandle h = m_entries[static_cast<size_t>(index)];
  if (!m_env.schedule().IsActValid(h)) return;
  if (m_kind == ListKind::kProjects)
    emit projectActivated(h);
  else if (InNotePart(pos))
    emit noteRequested(h);
  else
    emit itemActivated(h);
}

void ListView::wheelEvent(QWheelEvent* event) {
  const int steps = event->angleDelta().y() / 120;
  if (steps != 0) ScrollTo(m_first - steps * 3);
  event->accept();
}

}  // namespace ploven
