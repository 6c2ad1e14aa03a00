#include "dialogs/message_box_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/format.h"
#include "platform/platform_messages.h"

namespace ploven {

namespace {

constexpr int kIconSize = 32;
constexpr int kNarrowestText = 260;
constexpr int kWidestText = 520;
constexpr int kButtonWidth = 96;           // a button's least width
constexpr int kCountdownButtonWidth = 80;  // narrower, so more fit beside a long caption
constexpr int kButtonGap = 6;
// A text taller than this share of the screen scrolls instead of growing the box.
constexpr double kTallestTextShare = 0.6;

QStyle::StandardPixmap PixmapOf(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::kExclamation:
      return QStyle::SP_MessageBoxWarning;
    case BoxIcon::kInformation:
      return QStyle::SP_MessageBoxInformation;
    case BoxIcon::kError:
      return QStyle::SP_MessageBoxCritical;
    case BoxIcon::kQuestion:
      return QStyle::SP_MessageBoxQuestion;
    case BoxIcon::kNone:
      break;
  }
  return QStyle::SP_CustomBase;
}

QScreen* ScreenFor(const QWidget* owner) {
  if (owner != nullptr && owner->screen() != nullptr) return owner->screen();
  return QGuiApplication::primaryScreen();
}

// The answer when the box went away without a decision (its owner closed it, say): the close
// code, or the default button, so that a caller that shows the box again while it gets no
// answer cannot loop forever.
int FallbackCode(const BoxRequest& box) {
  if (box.closeCode != 0) return box.closeCode;
  if (box.buttons.empty()) return kIdOk;
  const size_t index = static_cast<size_t>(std::max(box.defaultIndex, 0));
  return box.buttons[index < box.buttons.size() ? index : 0].code;
}

}  // namespace

QString CaptionWithoutMnemonic(const QString& caption) {
  QString out;
  out.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += caption[i];
  }
  return out;
}

QString BoxText(const std::string& text) {
  QString out = QString::fromStdString(text);
  out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  out.replace('\r', '\n');
  // Texts often end in blank lines that would only pad the box.
  while (out.endsWith('\n')) out.chop(1);
  return out;
}

MessageBoxDialog::MessageBoxDialog(const BoxRequest& box, QWidget* owner, int tickMilliseconds)
    : QDialog(owner), m_box(box), m_tickMilliseconds(std::max(tickMilliseconds, 1)) {
  if (m_box.buttons.empty()) m_box.buttons = {{msg::kOk, kIdOk}};
  if (m_box.defaultIndex < 0 || m_box.defaultIndex >= static_cast<int>(m_box.buttons.size()))
    m_box.defaultIndex = 0;
  m_answer.code = FallbackCode(m_box);

  Qt::WindowFlags flags = Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint;
  // A box that Escape cannot end has no close box either.
  if (m_box.closeCode != 0) flags |= Qt::WindowCloseButtonHint;
  if (m_box.topmost) flags |= Qt::WindowStaysOnTopHint;
  setWindowFlags(flags);
  setWindowTitle(QString::fromStdString(m_box.caption));
  setWindowModality(m_box.modality == BoxModality::kOwned && owner != nullptr
                        ? Qt::WindowModal
                        : Qt::ApplicationModal);
  setSizeGripEnabled(false);

  BuildLayout();

  m_countdown = new QTimer(this);
  m_countdown->setInterval(m_tickMilliseconds);
  connect(m_countdown, &QTimer::timeout, this, &MessageBoxDialog::Tick);

  if (m_box.disabledSeconds > 0) {
    m_disabled = true;
    for (QPushButton* b : m_buttons) b->setEnabled(false);
  }

  // Any click or key anywhere in the box stops the countdown.
  installEventFilter(this);
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

void MessageBoxDialog::BuildLayout() {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);

  // The message sits on the base colour, the buttons on the window colour below it.
  auto* body = new QWidget(this);
  body->setAutoFillBackground(true);
  QPalette bodyPalette = body->palette();
  bodyPalette.setColor(QPalette::Window, bodyPalette.color(QPalette::Base));
  body->setPalette(bodyPalette);
  auto* bodyLayout = new QHBoxLayout(body);
  bodyLayout->setContentsMargins(20, 20, 24, 18);
  bodyLayout->setSpacing(16);

  const QStyle::StandardPixmap pixmap = PixmapOf(m_box.icon);
  if (pixmap != QStyle::SP_CustomBase) {
    auto* icon = new QLabel(body);
    icon->setPixmap(style()->standardIcon(pixmap, nullptr, this).pixmap(kIconSize, kIconSize));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    icon->setFixedWidth(kIconSize + 4);
    bodyLayout->addWidget(icon, 0, Qt::AlignTop);
  }

  const QString text = BoxText(m_box.text);
  m_textLabel = new QLabel(text, body);
  m_textLabel->setTextFormat(Qt::PlainText);
  m_textLabel->setWordWrap(true);
  m_textLabel->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  m_textLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  // As wide as the longest line needs, within bounds, so short texts make small boxes.
  const QFontMetrics metrics(m_textLabel->font());
  int longest = 0;
  for (const QString& line : text.split('\n'))
    longest = std::max(longest, metrics.horizontalAdvance(line));
  const int width = std::clamp(longest + 8, kNarrowestText, kWidestText);
  m_textLabel->setFixedWidth(width);
  const int height = m_textLabel->heightForWidth(width);
  const QScreen* screen = ScreenFor(parentWidget());
  const int tallest =
      screen != nullptr ? static_cast<int>(screen->availableGeometry().height() * kTallestTextShare)
                        : 600;

  auto* textColumn = new QVBoxLayout();
  textColumn->setSpacing(14);
  if (height > tallest) {
    auto* scroll = new QScrollArea(body);
    scroll->setWidget(m_textLabel);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFixedSize(width + scroll->verticalScrollBar()->sizeHint().width() + 4, tallest);
    scroll->viewport()->setAutoFillBackground(false);
    m_textLabel->setAutoFillBackground(false);
    textColumn->addWidget(scroll);
  } else {
    textColumn->addWidget(m_textLabel);
  }
  if (!m_box.checkBoxText.empty()) {
    m_checkBox = new QCheckBox(QString::fromStdString(m_box.checkBoxText), body);
    textColumn->addWidget(m_checkBox);
  }
  textColumn->addStretch(1);
  bodyLayout->addLayout(textColumn, 1);
  outer->addWidget(body, 1);

  auto* buttonRow = new QHBoxLayout();
  buttonRow->setContentsMargins(16, 12, 16, 12);
  buttonRow->setSpacing(kButtonGap);
  buttonRow->addStretch(1);
  const int buttonWidth = m_box.countdownSeconds > 0 ? kCountdownButtonWidth : kButtonWidth;
  for (size_t i = 0; i < m_box.buttons.size(); ++i) {
    auto* b = new QPushButton(QString::fromStdString(m_box.buttons[i].caption), this);
    b->setMinimumWidth(buttonWidth);
    b->setAutoDefault(true);
    if (static_cast<int>(i) == m_box.defaultIndex) b->setDefault(true);
    const int index = static_cast<int>(i);
    connect(b, &QPushButton::clicked, this, [this, index] { Press(index); });
    buttonRow->addWidget(b);
    m_buttons.push_back(b);
  }
  buttonRow->addStretch(1);
  outer->addLayout(buttonRow);
  outer->setSizeConstraint(QLayout::SetFixedSize);
}

QPushButton* MessageBoxDialog::button(int index) const {
  if (index < 0 || index >= buttonCount()) return nullptr;
  return m_buttons[static_cast<size_t>(index)];
}

QString MessageBoxDialog::text() const { return m_textLabel->text(); }

bool MessageBoxDialog::countdownRunning() const { return m_countdown->isActive(); }

QString MessageBoxDialog::DefaultCaptionPlain() const {
  return CaptionWithoutMnemonic(
      QString::fromStdString(m_box.buttons[static_cast<size_t>(m_box.defaultIndex)].caption));
}

BoxAnswer MessageBoxDialog::Run() {
  exec();
  return m_answer;
}

void MessageBoxDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (m_placed) return;
  m_placed = true;
  PlaceOnScreen();
  if (m_box.foreground || m_box.modality == BoxModality::kSystemModal) {
    raise();
    activateWindow();
  }
  QPushButton* defaultButton = m_buttons[static_cast<size_t>(m_box.defaultIndex)];
  if (!m_disabled) defaultButton->setFocus();
  if (m_box.disabledSeconds > 0)
    QTimer::singleShot(m_box.disabledSeconds * m_tickMilliseconds, this,
                       &MessageBoxDialog::EnableButtons);
  if (m_box.countdownSeconds > 0) {
    m_secondsLeft = m_box.countdownSeconds;
    defaultButton->setText(
        Sprintf(msg::kCountdownCaption, DefaultCaptionPlain().toStdString().c_str(), m_secondsLeft)
            .c_str());
    m_countdown->start();
  }
}

void MessageBoxDialog::PlaceOnScreen() {
  adjustSize();
  const QScreen* screen = ScreenFor(parentWidget());
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  QRect frame = frameGeometry();
  if (m_box.x != 0 || m_box.y != 0) {
    frame.moveTopLeft(QPoint(m_box.x, m_box.y));
  } else {
    const QWidget* owner = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
    const QRect around = owner != nullptr && owner->isVisible() ? owner->frameGeometry() : area;
    frame.moveCenter(around.center());
  }
  // Kept wholly on the screen, its title bar first when it is taller than the screen.
  if (frame.right() > area.right()) frame.moveRight(area.right());
  if (frame.bottom() > area.bottom()) frame.moveBottom(area.bottom());
  if (frame.left() < area.left()) frame.moveLeft(area.left());
  if (frame.top() < area.top()) frame.moveTop(area.top());
  move(frame.topLeft());
}

void MessageBoxDialog::Tick() {
  if (m_finished) return;
  --m_secondsLeft;
  if (m_secondsLeft <= 0) {
    StopCountdown();
    Finish(m_box.buttons[static_cast<size_t>(m_box.defaultIndex)].code, true);
    return;
  }
  m_buttons[static_cast<size_t>(m_box.defaultIndex)]->setText(
      Sprintf(msg::kCountdownCaption, DefaultCaptionPlain().toStdString().c_str(), m_secondsLeft)
          .c_str());
}

void MessageBoxDialog::StopCountdown() {
  if (!m_countdown->isActive()) return;
  m_countdown->stop();
  m_secondsLeft = 0;
  m_buttons[static_cast<size_t>(m_box.defaultIndex)]->setText(
      QString::fromStdString(m_box.buttons[static_cast<size_t>(m_box.defaultIndex)].caption));
}

void MessageBoxDialog::EnableButtons() {
  m_disabled = false;
  for (QPushButton* b : m_buttons) b->setEnabled(true);
  if (isVisible()) m_buttons[static_cast<size_t>(m_box.defaultIndex)]->setFocus();
}

void MessageBoxDialog::Press(int index) {
  if (m_disabled || index < 0 || index >= buttonCount()) return;
  StopCountdown();
  Finish(m_box.buttons[static_cast<size_t>(index)].code, false);
}

void MessageBoxDialog::Finish(int code, bool timedOut) {
  if (m_finished) return;
  m_finished = true;
  m_answer.code = code;
  m_answer.timedOut = timedOut;
  m_answer.checked = m_checkBox != nullptr && m_checkBox->isChecked();
  done(code);
}

void MessageBoxDialog::reject() {
  // Escape: the close code, or nothing while the buttons wait or when there is none.
  if (m_disabled || m_box.closeCode == 0) return;
  StopCountdown();
  Finish(m_box.closeCode, false);
}

void MessageBoxDialog::closeEvent(QCloseEvent* event) {
  if (m_finished) {
    event->accept();
    return;
  }
  if (m_disabled || m_box.closeCode == 0) {
    event->ignore();
    return;
  }
  StopCountdown();
  Finish(m_box.closeCode, false);
  event->accept();
}

void MessageBoxDialog::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    CopyText();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool MessageBoxDialog::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      StopCountdown();
      break;
    case QEvent::KeyPress: {
      StopCountdown();
      // The whole message is copied even when a button has the focus.
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->matches(QKeySequence::Copy)) {
        CopyText();
        return true;
      }
      break;
    }
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

void MessageBoxDialog::CopyText() const {
  const QString selected = m_textLabel->selectedText();
  QGuiApplication::clipboard()->setText(selected.isEmpty() ? m_textLabel->text() : selected);
}

BoxAnswer ShowPlainSystemBox(const BoxRequest& box, QWidget* owner) {
  QMessageBox mb(owner);
  mb.setIcon(QMessageBox::Critical);
  mb.setWindowTitle(QString::fromStdString(box.caption));
  mb.setText(BoxText(box.text));
  mb.setTextFormat(Qt::PlainText);
  mb.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  mb.setWindowModality(Qt::ApplicationModal);
  std::vector<std::pair<QAbstractButton*, int>> buttons;
  const std::vector<BoxButton> shown =
      box.buttons.empty() ? std::vector<BoxButton>{{msg::kOk, kIdOk}} : box.buttons;
  for (size_t i = 0; i < shown.size(); ++i) {
    QPushButton* b =
        mb.addButton(QString::fromStdString(shown[i].caption), QMessageBox::AcceptRole);
    buttons.emplace_back(b, shown[i].code);
    if (static_cast<int>(i) == box.defaultIndex) mb.setDefaultButton(b);
    if (shown[i].code == box.closeCode) mb.setEscapeButton(b);
  }
  mb.exec();
  BoxAnswer answer;
  answer.code = FallbackCode(box);
  for (const auto& [b, code] : buttons)
    if (mb.clickedButton() == b) answer.code = code;
  return answer;
}

}  // namespace ploven
