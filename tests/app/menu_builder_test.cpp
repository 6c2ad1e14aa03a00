#include "app/menu_builder.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <functional>
#include <vector>

namespace ploven {
namespace {

using C = Command;

class MenuBuilderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_window.resize(800, 600);
    m_window.show();
    // Window shortcuts work only in the active window; let the platform's own activation
    // events land first so they cannot undo ours.
    QApplication::processEvents();
    QApplication::setActiveWindow(&m_window);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), &m_window);
    QObject::connect(&m_builder, &MenuBuilder::commandTriggered,
                     [this](Command command) { m_commands.push_back(command); });
  }

  // The commands one key press runs, as the window receives it.
  std::vector<Command> Press(int key, Qt::KeyboardModifiers modifiers, const QString& text = {}) {
    m_commands.clear();
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&m_window, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(&m_window, &release);
    return m_commands;
  }

  std::vector<QAction*> BarItems() const {
    std::vector<QAction*> items;
    std::function<void(QMenu*)> walk = [&](QMenu* menu) {
      for (QAction* action : menu->actions()) {
        if (action->menu()) {
          walk(action->menu());
        } else if (!action->isSeparator()) {
          items.push_back(action);
        }
      }
    };
    for (QAction* top : m_window.menuBar()->actions()) walk(top->menu());
    return items;
  }

  QMainWindow m_window;
  MenuBuilder m_builder{&m_window};
  std::vector<Command> m_commands;
};

struct PressCase {
  MenuMode mode;
  int key;
  Qt::KeyboardModifiers modifiers;
  const char* text;
  Command command;  // kNone: nothing runs
};

class KeyPressTest : public MenuBuilderTest, public ::testing::WithParamInterface<PressCase> {};

TEST_P(KeyPressTest, RunsTheFirstCommandBoundToTheKey) {
  const PressCase& c = GetParam();
  m_builder.Install(c.mode);
  std::vector<Command> ran = Press(c.key, c.modifiers, QString::fromUtf8(c.text));
  EXPECT_EQ(ran, c.command != C::kNone ? std::vector<Command>{c.command} : std::vector<Command>{})
      << QKeySequence(c.key | c.modifiers).toString().toStdString();
}

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kAlt = Qt::AltModifier;
constexpr Qt::KeyboardModifiers kPad = Qt::KeypadModifier;

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyPressTest,
    ::testing::Values(
        PressCase{MenuMode::kPro, Qt::Key_F4, kNone, "", C::kSequenced},
        PressCase{MenuMode::kPro, Qt::Key_S, kCtrl | kShift, "", C::kSendToTray},
        PressCase{MenuMode::kLight, Qt::Key_S, kCtrl | kShift, "", C::kSendToTrayLight},
        PressCase{MenuMode::kPro, Qt::Key_Insert, kNone, "", C::kNewItem},
        PressCase{MenuMode::kLight, Qt::Key_Insert, kNone, "", C::kNewItemLight},
        PressCase{MenuMode::kPro, Qt::Key_Insert, kCtrl | kAlt, "", C::kNewItem},
        PressCase{MenuMode::kPro, Qt::Key_Delete, kShift, "", C::kCut},
        PressCase{MenuMode::kPro, Qt::Key_Return, kNone, "\r", C::kModifyItem},
        PressCase{MenuMode::kPro, Qt::Key_Enter, kPad, "\r", C::kModifyItem},
        PressCase{MenuMode::kLight, Qt::Key_Plus, kPad, "+", C::kNextDay},
        PressCase{MenuMode::kLight, Qt::Key_Minus, kPad, "-", C::kPreviousDay},
        PressCase{MenuMode::kPro, Qt::Key_Plus, kNone, "+", C::kNextDay},
        PressCase{MenuMode::kPro, Qt::Key_Dollar, kNone, "$", C::kKeyDollar},
        PressCase{MenuMode::kPro, Qt::Key_QuoteDbl, kNone, "\"", C::kDuplicate},
        PressCase{MenuMode::kPro, Qt::Key_Space, kNone, " ", C::kDone},
        PressCase{MenuMode::kPro, Qt::Key_Down, kCtrl | kAlt, "", C::kLightenLoadByPriority},
        PressCase{MenuMode::kLight, Qt::Key_Tab, kNone, "\t", C::kSwitchWindowFocus},
        PressCase{MenuMode::kLight, Qt::Key_F4, kNone, "", C::kNone},
        PressCase{MenuMode::kLight, Qt::Key_Up, kAlt, "", C::kNone}));

TEST_F(MenuBuilderTest, EveryKeyOfTheTableIsQtPortableText) {
  for (MenuMode mode : {MenuMode::kPro, MenuMode::kLight}) {
    for (const KeyBinding& binding : Accelerators(mode)) {
      QKeySequence sequence = QKeySequence::fromString(QString::fromStdString(binding.keys),
                                                       QKeySequence::PortableText);
      EXPECT_EQ(sequence.count(), 1) << binding.keys;
      EXPECT_EQ(sequence.toString(QKeySequence::PortableText).toStdString(), binding.keys);
    }
  }
}

TEST_F(MenuBuilderTest, MenuItemsShowTheirKeysAndReportTheirCommands) {
  m_builder.Install(MenuMode::kPro);
  QAction* sequenced = m_builder.Action(C::kSequenced);
  ASSERT_NE(sequenced, nullptr);
  EXPECT_EQ(sequenced->text().remove('&'), "Sequenced");
  EXPECT_EQ(sequenced->shortcut(), QKeySequence(Qt::Key_F4));
  EXPECT_EQ(m_builder.Action(C::kKeyF4), nullptr);  // its only key belongs to Sequenced
  ASSERT_NE(m_builder.Action(C::kKeyAltUp),
            nullptr);  // key-only commands have an action on the window
  EXPECT_TRUE(m_window.actions().contains(m_builder.Action(C::kKeyAltUp)));

  // One action per item of the table; the two run-time placeholders have none.
  int tableItems = 0;
  std::function<void(const std::vector<MenuNode>&)> count = [&](const auto& nodes) {
    for (const MenuNode& node : nodes) {
      if (node.IsPopup()) {
        count(node.children);
      } else if (!IsPlaceholderCommand(node.command)) {
        ++tableItems;
      }
    }
  };
  count(MainMenu(MenuMode::kPro));
  std::vector<QAction*> items = BarItems();
  EXPECT_EQ(static_cast<int>(items.size()), tableItems);
  m_commands.clear();
  for (QAction* action : items) action->trigger();
  std::vector<Command> expected;
  for (QAction* action : items) expected.push_back(static_cast<Command>(action->data().toInt()));
  EXPECT_EQ(m_commands, expected);
}

TEST_F(MenuBuilderTest, ModeSwitchReplacesMenuBarAndKeys) {
  m_builder.Install(MenuMode::kPro);
  QPointer<QMenuBar> proBar = m_window.menuBar();
  EXPECT_EQ(m_window.menuBar()->actions().size(), 12);
  EXPECT_TRUE(m_builder.Action(C::kProMode)->isChecked());

  m_builder.Install(MenuMode::kLight);
  // The old bar goes once control is back in the event loop (its item may be the one running).
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(proBar.isNull());
  EXPECT_EQ(m_builder.mode(), MenuMode::kLight);
  EXPECT_EQ(m_window.menuBar()->actions().size(), 9);
  EXPECT_EQ(m_builder.Action(C::kSave), nullptr);
  EXPECT_EQ(m_builder.Action(C::kKeyAltUp), nullptr);
  ASSERT_NE(m_builder.Action(C::kSaveLight), nullptr);
  EXPECT_TRUE(m_builder.Action(C::kLightMode)->isChecked());
  EXPECT_FALSE(m_builder.Action(C::kProMode)->isChecked());
  EXPECT_EQ(Press(Qt::Key_Up, kAlt), std::vector<Command>{});
  EXPECT_EQ(Press(Qt::Key_Tab, kNone, "\t"), std::vector<Command>{C::kSwitchWindowFocus});

  m_builder.Install(MenuMode::kPro);
  EXPECT_EQ(Press(Qt::Key_Tab, kNone, "\t"), std::vector<Command>{});
  EXPECT_EQ(Press(Qt::Key_Up, kAlt), std::vector<Command>{C::kKeyAltUp});
}

TEST_F(MenuBuilderTest, TilingKeepsExactlyOneTick) {
  m_builder.Install(MenuMode::kPro);
  auto ticks = [this] {
    return std::vector<bool>{m_builder.Action(C::kTileVertically)->isChecked(),
                             m_builder.Action(C::kTileHorizontally)->isChecked(),
                             m_builder.Action(C::kTileGrid)->isChecked()};
  };
  EXPECT_EQ(ticks(), (std::vector<bool>{true, false, false}));
  m_builder.Action(C::kTileHorizontally)->trigger();
  EXPECT_EQ(ticks(), (std::vector<bool>{false, true, false}));
  m_builder.Action(C::kTileHorizontally)
      ->trigger();  // choosing the ticked one again leaves it ticked
  EXPECT_EQ(ticks(), (std::vector<bool>{false, true, false}));
  m_builder.SetChecked(C::kTileGrid, true);
  EXPECT_EQ(ticks(), (std::vector<bool>{false, false, true}));
  m_builder.SetChecked(C::kTileGrid, false);
  EXPECT_EQ(ticks(), (std::vector<bool>{false, false, true}));
}

TEST_F(MenuBuilderTest, CheckedAndEnabledReachEveryActionOfTheCommand) {
  m_builder.Install(MenuMode::kPro);
  m_builder.SetChecked(C::kFocusNow, true);
  EXPECT_TRUE(m_builder.Action(C::kFocusNow)->isChecked());
  m_builder.SetChecked(C::kModifyItem, true);  // no tick on a plain item
  EXPECT_FALSE(m_builder.Action(C::kModifyItem)->isChecked());
  m_builder.SetChecked(C::kSaveLight, true);  // a command the mode lacks is ignored

  m_builder.SetEnabled(C::kCut, false);  // Cut: its menu key and its second key both stop
  EXPECT_EQ(Press(Qt::Key_X, kCtrl), std::vector<Command>{});
  EXPECT_EQ(Press(Qt::Key_Delete, kShift), std::vector<Command>{});
  m_builder.SetEnabled(C::kCut, true);
  EXPECT_EQ(Press(Qt::Key_Delete, kShift), std::vector<Command>{C::kCut});
}

TEST_F(MenuBuilderTest, RunTimePopupsAndTheirAboutToShow) {
  m_builder.Install(MenuMode::kPro);
  QMenu* gapfillers = m_builder.Popup(C::kGapfillers);
  QMenu* users = m_builder.Popup(C::kMultiusers);
  ASSERT_NE(gapfillers, nullptr);
  ASSERT_NE(users, nullptr);
  EXPECT_EQ(gapfillers->title(), "&Gapfillers");
  EXPECT_EQ(users->title(), "&Multiusers");
  EXPECT_EQ(m_builder.Popup(C::kModifyItem), nullptr);

  std::vector<QMenu*> shown;
  QObject::connect(&m_builder, &MenuBuilder::popupAboutToShow,
                   [&](QMenu* menu) { shown.push_back(menu); });
  gapfillers->addAction("filled");
  gapfillers->popup(QPoint(10, 10));
  gapfillers->hide();
  EXPECT_EQ(shown, std::vector<QMenu*>{gapfillers});

  m_builder.Install(MenuMode::kLight);
  EXPECT_EQ(m_builder.Popup(C::kGapfillers), nullptr);
  EXPECT_EQ(m_builder.Popup(C::kMultiusers), nullptr);
}

TEST_F(MenuBuilderTest, TrayMenuReportsItsCommands) {
  QMenu* tray = m_builder.BuildTrayMenu(&m_window);
  std::vector<Command> expected;
  m_commands.clear();
  for (QAction* action : tray->actions()) {
    if (action->isSeparator()) continue;
    expected.push_back(static_cast<Command>(action->data().toInt()));
    action->trigger();
  }
  EXPECT_EQ(expected,
            (std::vector<Command>{C::kRestoreFromTray, C::kTrayNewItem, C::kTrayCloseSchedule}));
  EXPECT_EQ(m_commands, expected);
  EXPECT_EQ(tray->parent(), &m_window);
}

}  // namespace
}  // namespace ploven
