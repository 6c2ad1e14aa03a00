#include "app/menu_builder.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>

namespace ploven {

MenuBuilder::MenuBuilder(QMainWindow* window) : QObject(window), m_window(window) {}

// The command that replaces the menus (the mode switch) runs inside the triggered signal of one
// of the old actions, so the old actions and their bar must outlive it: they are put out of use
// at once and deleted when control is back in the event loop.
void MenuBuilder::Clear() {
  for (auto& [command, actions] : m_actions) {
    for (QAction* action : actions) {
      action->setShortcut(QKeySequence());
      action->setEnabled(false);
    }
  }
  if (m_keyActions) {
    for (QAction* action : m_keyActions->findChildren<QAction*>()) m_window->removeAction(action);
    m_keyActions->deleteLater();
  }
  m_keyActions = nullptr;
  m_actions.clear();
  m_groups.clear();
  m_placeholders.clear();
  m_boundKeys.clear();
}

void MenuBuilder::Install(MenuMode mode) {
  Clear();
  m_mode = mode;

  QPointer<QMenuBar> old = m_menuBar;
  m_menuBar = new QMenuBar(m_window);
  m_keyActions = new QObject(this);
  for (const MenuNode& popup : MainMenu(mode)) {
    QMenu* menu = m_menuBar->addMenu(QString::fromStdString(popup.title));
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { emit popupAboutToShow(menu); });
    AddItems(menu, popup.children);
  }
  // The window hides the old bar and deletes it later (see Clear).
  m_window->setMenuBar(m_menuBar);
  // The window would show the bar only once events run, and a hidden bar's keys do nothing.
  m_menuBar->show();
  if (old) old->deleteLater();

  AddKeyOnlyBindings();

  // Every exclusive group starts with its first item ticked; the mode group shows the mode.
  for (auto& [group, actions] : m_groups) {
    if (!actions->actions().isEmpty()) actions->actions().front()->setChecked(true);
  }
  SetChecked(mode == MenuMode::kLight ? Command::kLightMode : Command::kProMode, true);
}

void MenuBuilder::AddItems(QMenu* menu, const std::vector<MenuNode>& nodes) {
  for (const MenuNode& node : nodes) {
    if (node.separatorBefore) menu->addSeparator();
    if (node.IsPopup()) {
      QMenu* sub = menu->addMenu(QString::fromStdString(node.title));
      connect(sub, &QMenu::aboutToShow, this, [this, sub] { emit popupAboutToShow(sub); });
      AddItems(sub, node.children);
    } else if (IsPlaceholderCommand(node.command)) {
      m_placeholders[node.command] = menu;
    } else {
      menu->addAction(MakeAction(menu, node));
    }
  }
}

QAction* MenuBuilder::MakeAction(QObject* parent, const MenuNode& node) {
  auto* action = new QAction(QString::fromStdString(node.title), parent);
  const Command command = node.command;
  action->setData(CommandNumber(command));
  const QString keys = QString::fromStdString(node.keys);
  // The first item given a key keeps it; a later one shows no key rather than an ambiguous one.
  if (!keys.isEmpty() &&
      std::find(m_boundKeys.begin(), m_boundKeys.end(), keys) == m_boundKeys.end()) {
    action->setShortcut(QKeySequence::fromString(keys, QKeySequence::PortableText));
    action->setShortcutContext(Qt::WindowShortcut);
    m_boundKeys.push_back(keys);
  }
  if (node.checkable || node.exclusiveGroup != 0) action->setCheckable(true);
  if (node.exclusiveGroup != 0) {
    QActionGroup*& group = m_groups[node.exclusiveGroup];
    if (!group) group = new QActionGroup(m_menuBar);
    group->addAction(action);
  }
  connect(action, &QAction::triggered, this, [this, command] { emit commandTriggered(command); });
  m_actions[command].push_back(action);
  return action;
}

void MenuBuilder::AddKeyOnlyBindings() {
  for (const KeyBinding& binding : Accelerators(m_mode)) {
    const QString keys = QString::fromStdString(binding.keys);
    // Keys shown in the menu are bound already, and the first binding of a key wins.
    if (std::find(m_boundKeys.begin(), m_boundKeys.end(), keys) != m_boundKeys.end()) continue;
    auto* action = new QAction(m_keyActions);
    const Command command = binding.command;
    action->setData(CommandNumber(command));
    action->setShortcut(QKeySequence::fromString(keys, QKeySequence::PortableText));
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, command] { emit commandTriggered(command); });
    m_window->addAction(action);
    m_boundKeys.push_back(keys);
    m_actions[command].push_back(action);
  }
}

QAction* MenuBuilder::Action(Command command) const {
  auto it = m_actions.find(command);
  return it == m_actions.end() || it->second.empty() ? nullptr : it->second.front();
}

void MenuBuilder::SetChecked(Command command, bool on) {
  auto it = m_actions.find(command);
  if (it == m_actions.end()) return;
  for (QAction* action : it->second) {
    if (!action->isCheckable()) continue;
    // An exclusive group always keeps one tick: it moves only by ticking another item.
    if (!on && action->actionGroup() && action->actionGroup()->isExclusive()) continue;
    action->setChecked(on);
  }
}

void MenuBuilder::SetEnabled(Command command, bool on) {
  auto it = m_actions.find(command);
  if (it == m_actions.end()) return;
  for (QAction* action : it->second) action->setEnabled(on);
}

QMenu* MenuBuilder::BuildTrayMenu(QWidget* parent) {
  auto* menu = new QMenu(parent);
  for (const MenuNode& node : TrayMenu()) {
    if (node.separatorBefore) menu->addSeparator();
    QAction* action = menu->addAction(QString::fromStdString(node.title));
    const Command command = node.command;
    action->setData(CommandNumber(command));
    connect(action, &QAction::triggered, this, [this, command] { emit commandTriggered(command); });
  }
  return menu;
}

QMenu* MenuBuilder::Popup(Command placeholder) const {
  auto it = m_placeholders.find(placeholder);
  return it == m_placeholders.end() ? nullptr : it->second;
}

}  // namespace ploven
