#include "dialogs/about_box.h"

#include <QDesktopServices>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/dialog_messages.h"
#include "dialogs/message_box_dialog.h"
#include "platform/format.h"
#include "platform/platform_messages.h"

// Resources of a static library are registered by hand.
static void InitAboutResources() { Q_INIT_RESOURCE(ploven); }

namespace ploven {

std::string AboutPluginLine(const AboutFacts& facts) {
  std::string line = msg::kPluginLine;
  if (facts.pluginInstalled) {
    line += msg::kPluginFileDate;
    line += facts.pluginFileDate;
  } else {
    line += msg::kPluginNotInstalled;
  }
  line += facts.pluginRunning ? msg::kPluginRunning : msg::kPluginNotRunning;
  return line;
}

std::string AboutLocationLines(const AboutFacts& facts) {
  return BoxText(Sprintf(msg::kAboutLocation, facts.programLocation.c_str(),
                         facts.programFileDate.c_str(), facts.scheduleFile.c_str()))
      .toStdString();
}

AboutBox::AboutBox(const AboutFacts& facts, QWidget* owner) : QDialog(owner), m_facts(facts) {
  InitAboutResources();
  setWindowTitle(dialog_text::kAboutCaption);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint |
                 Qt::WindowCloseButtonHint);
  m_openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(24, 22, 24, 16);
  outer->setSpacing(14);

  auto* top = new QHBoxLayout();
  top->setSpacing(18);
  auto* icon = new QLabel(this);
  icon->setPixmap(QPixmap(dialog_text::kSplashIcon));
  icon->setFixedSize(64, 64);
  top->addWidget(icon, 0, Qt::AlignTop);

  auto* lines = new QVBoxLayout();
  lines->setSpacing(4);
  auto* product = new QLabel(msg::kProductName, this);
  QFont big = product->font();
  big.setPointSizeF(big.pointSizeF() * 1.8);
  big.setBold(true);
  product->setFont(big);
  lines->addWidget(product);
  auto* version = new QLabel(Sprintf(dialog_text::kAboutVersion, PLOVEN_VERSION).c_str(), this);
  lines->addWidget(version);
  lines->addSpacing(8);
  for (const std::string& text : {AboutPluginLine(m_facts), AboutLocationLines(m_facts)}) {
    auto* label = new QLabel(QString::fromStdString(text), this);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    label->setMinimumWidth(420);
    label->setMaximumWidth(620);
    lines->addWidget(label);
  }
  top->addLayout(lines, 1);
  outer->addLayout(top);
  outer->addSpacing(6);

  auto* row = new QHBoxLayout();
  row->setSpacing(6);
  row->addStretch(1);
  const std::pair<const char*, Button> buttons[] = {
      {dialog_text::kAboutClose, Button::kClose},
      {dialog_text::kAboutHelp, Button::kHelp},
      {dialog_text::kAboutViewErrorLog, Button::kViewErrorLog},
      {dialog_text::kAboutCleanup, Button::kCleanup},
      {dialog_text::kAboutMore, Button::kMore},
  };
  for (const auto& [caption, which] : buttons) {
    auto* b = new QPushButton(caption, this);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, w = which] { OnButton(w); });
    row->addWidget(b);
    m_buttons[static_cast<int>(which)] = b;
  }
  m_buttons[static_cast<int>(Button::kClose)]->setDefault(true);
  outer->addLayout(row);
  outer->setSizeConstraint(QLayout::SetFixedSize);
}

QPushButton* AboutBox::button(Button which) const { return m_buttons[static_cast<int>(which)]; }

void AboutBox::OnButton(Button which) {
  switch (which) {
    case Button::kClose:
      accept();
      break;
    case Button::kHelp:
      if (m_help) m_help(msg::kAboutTopic);
      break;
    case Button::kViewErrorLog:
      if (m_openUrl && !m_facts.errorLogPath.empty())
        m_openUrl(QUrl::fromLocalFile(QString::fromStdString(m_facts.errorLogPath)));
      break;
    case Button::kCleanup:
      if (m_cleanup) m_cleanup();
      break;
    case Button::kMore:
      if (m_more) m_more();
      break;
  }
}

}  // namespace ploven
