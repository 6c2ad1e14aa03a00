#pragma once

#include <QObject>
#include <QPointer>
#include <map>
#include <vector>

#include "app/command_table.h"

class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;
class QMenuBar;
class QWidget;

namespace ploven {

// Puts the command table of a mode on a main window: the menu bar and every key of the mode.
// Every menu item and key reports its command through commandTriggered.
class MenuBuilder : public QObject {
  Q_OBJECT

 public:
  explicit MenuBuilder(QMainWindow* window);

  // Builds the menu bar and the keys of the mode, replacing those of the previous mode.
  void Install(MenuMode mode);
  MenuMode mode() const { return m_mode; }

  // The menu item of the command, else its key-only action; nullptr when the mode has neither.
  QAction* Action(Command command) const;
  // Both act on every action of the command (menu item and extra keys); commands the mode does
  // not have are ignored, and SetChecked ignores items that show no tick.
  void SetChecked(Command command, bool on);
  void SetEnabled(Command command, bool on);

  // The tray icon's menu, owned by parent; its items report through commandTriggered too.
  QMenu* BuildTrayMenu(QWidget* parent);
  // The popup that holds a run-time placeholder (Gapfillers, Multiusers); nullptr when the
  // mode's menu has no such popup. The owner fills it on popupAboutToShow.
  QMenu* Popup(Command placeholder) const;

 signals:
  void commandTriggered(Command command);
  // Sent before any popup of the menu bar opens, so its ticks and greyed items can be set.
  void popupAboutToShow(QMenu* popup);

 private:
  void AddItems(QMenu* menu, const std::vector<MenuNode>& nodes);
  QAction* MakeAction(QObject* parent, const MenuNode& node);
  void AddKeyOnlyBindings();
  void Clear();

  QMainWindow* m_window;
  MenuMode m_mode = MenuMode::kPro;
  QPointer<QMenuBar> m_menuBar;
  QPointer<QObject> m_keyActions;  // parent of the key-only actions of the window
  std::map<Command, std::vector<QAction*>> m_actions;  // menu item first, then key-only actions
  std::map<int, QActionGroup*> m_groups;               // by exclusive group
  std::map<Command, QMenu*> m_placeholders;
  std::vector<QString> m_boundKeys;  // portable texts already given to an action
};

}  // namespace ploven
