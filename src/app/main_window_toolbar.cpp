// The toolbar of the most used commands and the status bar with today's load.

#include <QAction>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QStatusBar>
#include <QToolBar>

#include "app/main_window.h"
#include "app/menu_builder.h"
#include "app/tools_messages.h"
#include "platform/settings_keys.h"
#include "present/status_line.h"

namespace ploven {

namespace t = tools_text;

namespace {

// A command of the toolbar: the icon the desktop's theme names for it, and the glyph of the
// icon drawn when the theme has none.
struct Tool {
  Command command;
  Command lightTwin;  // the same command in the Light Mode menus, or kNone
  const char* themeIcon;
  const char* glyph;
  bool separatorAfter = false;
};

constexpr Tool kTools[] = {
    {Command::kNewItem, Command::kNewItemLight, "document-new", "+"},
    {Command::kModifyItem, Command::kNone, "document-properties", "\u270E"},
    {Command::kDeleteItem, Command::kNone, "edit-delete", "\u2715"},
    {Command::kDone, Command::kNone, "dialog-ok-apply", "\u2713", true},
    {Command::kToday, Command::kNone, "go-home", "\u2302"},
    {Command::kPreviousDay, Command::kNone, "go-previous", "\u25C0"},
    {Command::kNextDay, Command::kNone, "go-next", "\u25B6", true},
    {Command::kDayView, Command::kNone, "view-calendar-day", "1"},
    {Command::kMonthView, Command::kNone, "view-calendar-month", "31"},
    {Command::kPriorityView, Command::kNone, "view-sort-descending", "A", true},
    {Command::kBalanceDay, Command::kNone, "view-refresh", "\u21BB"},
    {Command::kBalanceAllDays, Command::kNone, "view-calendar-workweek", "\u21C4", true},
    {Command::kFind, Command::kNone, "edit-find", "?"},
    {Command::kPrintMyPrintouts, Command::kNone, "document-print", "\u25A4"},
};

// The icon shipped with the program for a theme without one: the glyph on a rounded tile.
QIcon FallbackIcon(const char* glyph) {
  QPixmap tile(48, 48);
  tile.fill(Qt::transparent);
  QPainter p(&tile);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(40, 60, 110), 2));
  p.setBrush(QColor(225, 233, 250));
  p.drawRoundedRect(QRectF(3, 3, 42, 42), 8, 8);
  QFont f("DejaVu Sans", 20, QFont::Bold);
  if (QString::fromUtf8(glyph).size() > 1) f.setPointSize(15);
  p.setFont(f);
  p.setPen(QColor(20, 30, 70));
  p.drawText(QRect(0, 0, 48, 48), Qt::AlignCenter, QString::fromUtf8(glyph));
  return QIcon(tile);
}

QString ToolTip(QAction* item) {
  QString text = item->text();
  text.remove('&');
  text.replace(QStringLiteral("..."), QString());
  const QString key = item->shortcut().toString(QKeySequence::NativeText);
  return key.isEmpty() ? text : QStringLiteral("%1 (%2)").arg(text, key);
}

}  // namespace

void MainWindow::BuildToolbar() {
  m_toolbar = addToolBar(t::kToolbarTitle);
  m_toolbar->setObjectName("MainToolbar");
  m_toolbar->setIconSize(QSize(22, 22));
  // The View menu's Toolbar item is the one switch; the toolbar's own context menu is not.
  m_toolbar->toggleViewAction()->setVisible(false);
  setContextMenuPolicy(Qt::NoContextMenu);
  for (const Tool& tool : kTools) {
    QAction* a = m_toolbar->addAction(QIcon::fromTheme(tool.themeIcon, FallbackIcon(tool.glyph)),
                                      QString());
    a->setObjectName(QStringLiteral("tool%1").arg(CommandNumber(tool.command)));
    connect(a, &QAction::triggered, this, [this, tool] {
      Dispatch(m_menus->Action(tool.command) == nullptr && tool.lightTwin != Command::kNone
                   ? tool.lightTwin
                   : tool.command);
    });
    m_tools.push_back(a);
    if (tool.separatorAfter) m_toolbar->addSeparator();
  }
  m_statusLoad = new QLabel(this);
  m_statusLoad->setObjectName("TodayLoad");
  statusBar()->addPermanentWidget(m_statusLoad);
  FollowToolbarSetting();
  UpdateStatusBar();
}

void MainWindow::UpdateToolbar() {
  if (m_toolbar == nullptr) return;
  // A tool stands for a command of the mode's menus and says what its menu item says.
  for (size_t i = 0; i < m_tools.size(); ++i) {
    const Tool& tool = kTools[i];
    QAction* item = m_menus->Action(tool.command);
    if (item == nullptr && tool.lightTwin != Command::kNone) item = m_menus->Action(tool.lightTwin);
    m_tools[i]->setVisible(item != nullptr);
    if (item == nullptr) continue;
    m_tools[i]->setText(item->text().remove('&').remove(QStringLiteral("...")));
    m_tools[i]->setToolTip(ToolTip(item));
    m_tools[i]->setEnabled(item->isEnabled());
  }
  m_menus->SetChecked(Command::kToolbar, m_toolbar->isVisibleTo(this));
}

void MainWindow::FollowToolbarSetting() {
  m_toolbar->setVisible(m_session.programSettings().toolbarOn != 0);
  UpdateToolbar();
}

void MainWindow::ToggleToolbar() {
  ProgramSettings& p = m_session.programSettings();
  p.toolbarOn = p.toolbarOn != 0 ? 0 : 1;
  p.WriteInt(m_session.settings(), key::kToolbarOn);
  FollowToolbarSetting();
}

void MainWindow::UpdateStatusBar() {
  if (m_statusLoad == nullptr || !m_session.open()) return;
  const DayLoadFigures f = TodayLoad(m_session.engine(), m_session.clock().Today());
  m_statusLoad->setText(QString::fromStdString(TodayStatusText(f, m_env->dateText())));
}

}  // namespace ploven
