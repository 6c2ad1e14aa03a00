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
                     [this](int command) { m_commands.push_back(command); });
  }

  // The commands one key press runs, as the window receives it.
  std::vector<int> Press(int key, Qt::KeyboardModifiers modifiers, const QString& text = {}) {
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
  std::vector<int> m_commands;
};

struct PressCase {
  MenuMode mode;
  int key;
  Qt::KeyboardModifiers modifiers;
  const char* text;
  int command;  // 0: nothing runs
};

class KeyPressTest : public MenuBuilderTest, public ::testing::WithParamInterface<PressCase> {};

TEST_P(KeyPressTest, RunsTheFirstCommandBoundToTheKey) {
  const PressCase& c = GetParam();
  m_builder.Install(c.mode);
  std::vector<int> ran = Press(c.key, c.modifiers, QString::fromUtf8(c.text));
  EXPECT_EQ(ran, c.command ? std::vector<int>{c.command} : std::vector<int>{})
      << QKeySequence(c.key | c.modifiers).toString().toStdString();
}

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kAlt = Qt::AltModifier;
constexpr Qt::KeyboardModifiers kPad = Qt::KeypadModifier;

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyPressTest,
    ::testing::Values(PressCase{MenuMode::kPro, Qt::Key_F4, kNone, "", 635},
                      PressCase{MenuMode::kPro, Qt::Key_S, kCtrl | kShift, "", 1367},
                      PressCase{MenuMode::kLight, Qt::Key_S, kCtrl | kShift, "", 1366},
                      PressCase{MenuMode::kPro, Qt::Key_Insert, kNone, "", 978},
                      PressCase{MenuMode::kLight, Qt::Key_Insert, kNone, "", 648},
                      PressCase{MenuMode::kPro, Qt::Key_Insert, kCtrl | kAlt, "", 978},
                      PressCase{MenuMode::kPro, Qt::Key_Delete, kShift, "", 92},
                      PressCase{MenuMode::kPro, Qt::Key_Return, kNone, "\r", 19},
                      PressCase{MenuMode::kPro, Qt::Key_Enter, kPad, "\r", 19},
                      PressCase{MenuMode::kLight, Qt::Key_Plus, kPad, "+", 917},
                      PressCase{MenuMode::kLight, Qt::Key_Minus, kPad, "-", 918},
                      PressCase{MenuMode::kPro, Qt::Key_Plus, kNone, "+", 917},
                      PressCase{MenuMode::kPro, Qt::Key_Dollar, kNone, "$", 688},
                      PressCase{MenuMode::kPro, Qt::Key_QuoteDbl, kNone, "\"", 95},
                      PressCase{MenuMode::kPro, Qt::Key_Space, kNone, " ", 955},
                      PressCase{MenuMode::kPro, Qt::Key_Down, kCtrl | kAlt, "", 397},
                      PressCase{MenuMode::kLight, Qt::Key_Tab, kNone, "\t", 72},
                      PressCase{MenuMode::kLight, Qt::Key_F4, kNone, "", 0},
                      PressCase{MenuMode::kLight, Qt::Key_Up, kAlt, "", 0}));

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
  QAction* sequenced = m_builder.Action(635);
  ASSERT_NE(sequenced, nullptr);
  EXPECT_EQ(sequenced->text().remove('&'), "Sequenced");
  EXPECT_EQ(sequenced->shortcut(), QKeySequence(Qt::Key_F4));
  EXPECT_EQ(m_builder.Action(664), nullptr);  // its only key belongs to Sequenced
  ASSERT_NE(m_builder.Action(376), nullptr);  // key-only commands have an action on the window
  EXPECT_TRUE(m_window.actions().contains(m_builder.Action(376)));

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
  std::vector<int> expected;
  for (QAction* action : items) expected.push_back(action->data().toInt());
  EXPECT_EQ(m_commands, expected);
}

TEST_F(MenuBuilderTest, ModeSwitchReplacesMenuBarAndKeys) {
  m_builder.Install(MenuMode::kPro);
  QPointer<QMenuBar> proBar = m_window.menuBar();
  EXPECT_EQ(m_window.menuBar()->actions().size(), 12);
  EXPECT_TRUE(m_builder.Action(717)->isChecked());

  m_builder.Install(MenuMode::kLight);
  // The old bar goes once control is back in the event loop (its item may be the one running).
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(proBar.isNull());
  EXPECT_EQ(m_builder.mode(), MenuMode::kLight);
  EXPECT_EQ(m_window.menuBar()->actions().size(), 9);
  EXPECT_EQ(m_builder.Action(1), nullptr);
  EXPECT_EQ(m_builder.Action(376), nullptr);
  ASSERT_NE(m_builder.Action(723), nullptr);
  EXPECT_TRUE(m_builder.Action(716)->isChecked());
  EXPECT_FALSE(m_builder.Action(717)->isChecked());
  EXPECT_EQ(Press(Qt::Key_Up, kAlt), std::vector<int>{});
  EXPECT_EQ(Press(Qt::Key_Tab, kNone, "\t"), std::vector<int>{72});

  m_builder.Install(MenuMode::kPro);
  EXPECT_EQ(Press(Qt::Key_Tab, kNone, "\t"), std::vector<int>{});
  EXPECT_EQ(Press(Qt::Key_Up, kAlt), std::vector<int>{376});
}

TEST_F(MenuBuilderTest, TilingKeepsExactlyOneTick) {
  m_builder.Install(MenuMode::kPro);
  auto ticks = [this] {
    return std::vector<bool>{m_builder.Action(85)->isChecked(), m_builder.Action(86)->isChecked(),
                             m_builder.Action(87)->isChecked()};
  };
  EXPECT_EQ(ticks(), (std::vector<bool>{true, false, false}));
  m_builder.Action(86)->trigger();
  EXPECT_EQ(ticks(), (std::vector<bool>{false, true, false}));
  m_builder.Action(86)->trigger();  // choosing the ticked one again leaves it ticked
  EXPECT_EQ(ticks(), (std::vector<bool>{false, true, false}));
  m_builder.SetChecked(87, true);
  EXPECT_EQ(ticks(), (std::vector<bool>{false, false, true}));
  m_builder.SetChecked(87, false);
  EXPECT_EQ(ticks(), (std::vector<bool>{false, false, true}));
}

TEST_F(MenuBuilderTest, CheckedAndEnabledReachEveryActionOfTheCommand) {
  m_builder.Install(MenuMode::kPro);
  m_builder.SetChecked(606, true);
  EXPECT_TRUE(m_builder.Action(606)->isChecked());
  m_builder.SetChecked(19, true);  // no tick on a plain item
  EXPECT_FALSE(m_builder.Action(19)->isChecked());
  m_builder.SetChecked(12345, true);  // unknown numbers are ignored

  m_builder.SetEnabled(92, false);  // Cut: its menu key and its second key both stop
  EXPECT_EQ(Press(Qt::Key_X, kCtrl), std::vector<int>{});
  EXPECT_EQ(Press(Qt::Key_Delete, kShift), std::vector<int>{});
  m_builder.SetEnabled(92, true);
  EXPECT_EQ(Press(Qt::Key_Delete, kShift), std::vector<int>{92});
}

TEST_F(MenuBuilderTest, RunTimePopupsAndTheirAboutToShow) {
  m_builder.Install(MenuMode::kPro);
  QMenu* gapfillers = m_builder.Popup(401);
  QMenu* users = m_builder.Popup(999);
  ASSERT_NE(gapfillers, nullptr);
  ASSERT_NE(users, nullptr);
  EXPECT_EQ(gapfillers->title(), "&Gapfillers");
  EXPECT_EQ(users->title(), "&Multiusers");
  EXPECT_EQ(m_builder.Popup(19), nullptr);

  std::vector<QMenu*> shown;
  QObject::connect(&m_builder, &MenuBuilder::popupAboutToShow,
                   [&](QMenu* menu) { shown.push_back(menu); });
  gapfillers->addAction("filled");
  gapfillers->popup(QPoint(10, 10));
  gapfillers->hide();
  EXPECT_EQ(shown, std::vector<QMenu*>{gapfillers});

  m_builder.Install(MenuMode::kLight);
  EXPECT_EQ(m_builder.Popup(401), nullptr);
  EXPECT_EQ(m_builder.Popup(999), nullptr);
}

TEST_F(MenuBuilderTest, TrayMenuReportsItsCommands) {
  QMenu* tray = m_builder.BuildTrayMenu(&m_window);
  std::vector<int> expected;
  m_commands.clear();
  for (QAction* action : tray->actions()) {
    if (action->isSeparator()) continue;
    expected.push_back(action->data().toInt());
    action->trigger();
  }
  EXPECT_EQ(expected, (std::vector<int>{742, 751, 746}));
  EXPECT_EQ(m_commands, expected);
  EXPECT_EQ(tray->parent(), &m_window);
}

}  // namespace
}  // namespace ploven
