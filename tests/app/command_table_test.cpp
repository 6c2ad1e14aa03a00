#include "app/command_table.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace ploven {
namespace {

// Calls visit for every node with its popup path ("File/Print/Print Day View").
void Walk(const std::vector<MenuNode>& nodes, const std::string& path,
          const std::function<void(const MenuNode&, const std::string&)>& visit) {
  for (const MenuNode& node : nodes) {
    visit(node, path);
    if (node.IsPopup()) {
      std::string sub = (path.empty() ? "" : path + "/") + StripMnemonic(node.title);
      Walk(node.children, sub, visit);
    }
  }
}

const MenuNode* Find(MenuMode mode, Command command) {
  const MenuNode* found = nullptr;
  Walk(MainMenu(mode), "", [&](const MenuNode& node, const std::string&) {
    if (!found && !node.IsPopup() && node.command == command) found = &node;
  });
  return found;
}

std::set<Command> Commands(MenuMode mode) {
  std::set<Command> commands;
  Walk(MainMenu(mode), "", [&](const MenuNode& node, const std::string&) {
    if (!node.IsPopup()) commands.insert(node.command);
  });
  return commands;
}

std::set<std::string> PopupPaths(MenuMode mode) {
  std::set<std::string> paths;
  Walk(MainMenu(mode), "", [&](const MenuNode& node, const std::string& path) {
    if (node.IsPopup()) paths.insert((path.empty() ? "" : path + "/") + StripMnemonic(node.title));
  });
  return paths;
}

struct ItemCase {
  MenuMode mode;
  Command command;
  const char* label;
  const char* keys;
};

class MenuItemTest : public ::testing::TestWithParam<ItemCase> {};

TEST_P(MenuItemTest, HasItsLabelAndKey) {
  const ItemCase& c = GetParam();
  const MenuNode* node = Find(c.mode, c.command);
  ASSERT_NE(node, nullptr) << CommandNumber(c.command);
  EXPECT_EQ(CommandLabel(c.command), c.label);
  EXPECT_EQ(node->keys, c.keys);
  if (*c.keys) {
    EXPECT_EQ(CommandForKeys(c.mode, c.keys), c.command);
  }
}

constexpr MenuMode kPro = MenuMode::kPro;
constexpr MenuMode kLight = MenuMode::kLight;
using C = Command;

INSTANTIATE_TEST_SUITE_P(
    SpotChecks, MenuItemTest,
    ::testing::Values(
        ItemCase{kPro, C::kSave, "Save", ""}, ItemCase{kLight, C::kSaveLight, "Save", ""},
        ItemCase{kPro, C::kSendToTray, "Send Ploven to System Tray", "Ctrl+Shift+S"},
        ItemCase{kLight, C::kSendToTrayLight, "Send Ploven to System Tray", "Ctrl+Shift+S"},
        ItemCase{kPro, C::kNewItem, "New Item", "Ins"},
        ItemCase{kLight, C::kNewItemLight, "New Item", "Ins"},
        ItemCase{kPro, C::kPrintMyPrintouts, "Print My Printouts", "Ctrl+P"},

        ItemCase{kPro, C::kModifyItem, "Modify Item", "Return"},
        ItemCase{kPro, C::kModifyMemoAsSetDate, "Modify Memo as if Set Date Item", "Alt+Return"},
        ItemCase{kPro, C::kAddDateTimeToTitle, "Add Date & Time to Item Title", "Ctrl+Shift+T"},
        ItemCase{kPro, C::kDeleteItem, "Delete Item", "Del"},
        ItemCase{kPro, C::kInterrupt, "Interrupt", "Pause"},
        ItemCase{kLight, C::kDone, "Done!", "Space"},
        ItemCase{kPro, C::kDoneFillGap, "Done & Fill Gap", "Ctrl+Shift+Space"},
        ItemCase{kPro, C::kFocusNow, "Focus Now", "Backspace"},
        ItemCase{kLight, C::kCalendarDocked, "Docked (rather than floating)", ""},
        ItemCase{kPro, C::kNewAnniversaryMemo, "New Anniversary Memo Item", "Ctrl+Alt+Shift+Ins"},
        ItemCase{kPro, C::kDuplicate, "Duplicate Selected Item", "\""},
        ItemCase{kPro, C::kScrollUp, "Scroll Up", "Ctrl+PgUp"},
        ItemCase{kLight, C::kPreviousDay, "Previous Day", "-"},
        ItemCase{kLight, C::kNextDay, "Next Day", "+"},
        ItemCase{kPro, C::kLightenLoadByPriority, "by priority", "Alt+Shift+Down"},

        ItemCase{kPro, C::kIncreaseLoad, "Increase Load", "Alt+Shift+Up"},
        ItemCase{kLight, C::kDialTheirTime, "Dial / Their Time & Location", "Shift+A"},
        ItemCase{kPro, C::kDayTurnoverScore, "Viewed Day Turnover Score (by project)", "Ctrl+Y"},

        ItemCase{kLight, C::kOtherSettings, "Other Settings", "Alt+O"},

        ItemCase{kLight, C::kAbout, "About Ploven", "Ctrl+Shift+N"},
        ItemCase{kPro, C::kNext7Days, "Next 7 Days", ""},
        ItemCase{kPro, C::kEarliestUndoneDay, "Earliest Day with Undone Items", "End"}));

TEST(CommandTable, TopLevelPopupsOfEachMode) {
  std::vector<std::string> pro, light;
  for (const MenuNode& node : MainMenu(kPro)) pro.push_back(StripMnemonic(node.title));
  for (const MenuNode& node : MainMenu(kLight)) light.push_back(StripMnemonic(node.title));
  EXPECT_EQ(pro, (std::vector<std::string>{"File", "Edit", "View", "Insert", "Gapfillers",
                                           "Navigate", "Balance", "Tools", "Reports", "Multiusers",
                                           "Settings", "Help"}));
  EXPECT_EQ(light, (std::vector<std::string>{"File", "Edit", "View", "Insert", "Navigate",
                                             "Balance", "Tools", "Settings", "Help"}));
}

TEST(CommandTable, SubPopupsOfEachMode) {
  const std::set<std::string> lightPopups = {
      "File/Print",
      "File/Print/Print Day View",
      "File/Print/Print Appointment Calendar",
      "File/Print/Print Notes",
      "File/Transfer To Other PC",
      "File/Export",
      "File/Export/Appointments to your calendar",
      "File/Export/Tasks to your calendar",
      "File/Export/Day View",
      "View/Multiple Day View Tiling",
      "View/Calendar Window",
      "Balance/Move Item",
      "Settings/Fonts Settings",
      "Settings/Fonts Settings/Screen Fonts",
      "Settings/Fonts Settings/Printer Fonts"};
  const std::set<std::string> proOnly = {"Gapfillers",
                                         "Multiusers",
                                         "Reports",
                                         "Reports/Statistics",
                                         "File/Print/Print Priority View",
                                         "Edit/Properties",
                                         "Edit/Advanced Timekeeping",
                                         "View/Multiple Day View",
                                         "Balance/Lighten Load"};
  std::set<std::string> light = PopupPaths(kLight);
  std::set<std::string> pro = PopupPaths(kPro);
  for (const std::string& path : lightPopups) {
    EXPECT_TRUE(light.contains(path)) << path;
    EXPECT_TRUE(pro.contains(path)) << path;
  }
  for (const std::string& path : proOnly) {
    EXPECT_TRUE(pro.contains(path)) << path;
    EXPECT_FALSE(light.contains(path)) << path;
  }
}

TEST(CommandTable, LightCommandsAreProCommandsExceptItsOwnThree) {
  std::set<Command> pro = Commands(kPro);
  std::set<Command> lightOnly;
  for (Command command : Commands(kLight)) {
    if (!pro.contains(command)) lightOnly.insert(command);
  }
  EXPECT_EQ(lightOnly, (std::set<Command>{C::kNewItemLight, C::kSaveLight, C::kSendToTrayLight}));
  std::set<Command> light = Commands(kLight);
  for (Command proOnly : {C::kSave, C::kNewItem, C::kSendToTray, C::kGapfillers, C::kMultiusers,
                          C::kPriorityView, C::kEarliestUndoneDay, C::kDuplicate})
    EXPECT_FALSE(light.contains(proOnly)) << CommandNumber(proOnly);
}

// The rules every mode's menu keeps.
class EachModeTest : public ::testing::TestWithParam<MenuMode> {};

TEST_P(EachModeTest, NoCommandTwiceAndNoPopupEmptyOrStartingWithASeparator) {
  std::map<Command, int> seen;
  Walk(MainMenu(GetParam()), "", [&](const MenuNode& node, const std::string&) {
    if (!node.IsPopup()) {
      ++seen[node.command];
      return;
    }
    EXPECT_FALSE(node.children.empty()) << node.title;
    EXPECT_FALSE(!node.children.empty() && node.children.front().separatorBefore) << node.title;
  });
  for (auto [command, count] : seen) EXPECT_EQ(count, 1) << CommandNumber(command);
}

TEST_P(EachModeTest, MnemonicsAreUniqueWithinEachPopup) {
  Walk(MainMenu(GetParam()), "", [](const MenuNode& node, const std::string&) {
    if (!node.IsPopup()) return;
    std::set<char> used;
    for (const MenuNode& child : node.children) {
      if (child.title.empty()) continue;
      const std::string& t = child.title;
      size_t at = 0;
      while ((at = t.find('&', at)) != std::string::npos && t[at + 1] == '&') at += 2;
      EXPECT_NE(at, std::string::npos) << child.title << " has no mnemonic";
      if (at == std::string::npos) continue;
      char c = static_cast<char>(std::tolower(static_cast<unsigned char>(t[at + 1])));
      EXPECT_TRUE(used.insert(c).second) << child.title << " in " << node.title;
    }
  });
}

TEST_P(EachModeTest, EveryMenuKeyRunsItsItem) {
  const MenuMode mode = GetParam();
  Walk(MainMenu(mode), "", [&](const MenuNode& node, const std::string&) {
    if (!node.keys.empty()) {
      EXPECT_EQ(CommandForKeys(mode, node.keys), node.command) << node.keys;
    }
  });
}

INSTANTIATE_TEST_SUITE_P(Modes, EachModeTest, ::testing::Values(kPro, kLight),
                         [](const ::testing::TestParamInfo<MenuMode>& mode) {
                           return std::string(mode.param == kPro ? "Pro" : "Light");
                         });

TEST(CommandTable, OnlyF4IsBoundTwiceAndSequencedWins) {
  for (MenuMode mode : {kPro, kLight}) {
    std::map<std::string, int> count;
    for (const KeyBinding& binding : Accelerators(mode)) ++count[binding.keys];
    std::set<std::string> twice;
    for (auto& [keys, n] : count) {
      if (n > 1) twice.insert(keys);
    }
    EXPECT_EQ(twice, mode == kPro ? std::set<std::string>{"F4"} : std::set<std::string>{});
  }
  EXPECT_EQ(CommandForKeys(kPro, "F4"), C::kSequenced);
  EXPECT_EQ(CommandForKeys(kLight, "F4"), C::kNone);
}

struct KeyCase {
  MenuMode mode;
  const char* keys;
  Command command;  // kNone: the key does nothing in the mode
};

class KeyOnlyBindingTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyOnlyBindingTest, RunsItsCommand) {
  EXPECT_EQ(CommandForKeys(GetParam().mode, GetParam().keys), GetParam().command)
      << GetParam().keys << " runs "
      << CommandNumber(CommandForKeys(GetParam().mode, GetParam().keys));
}

INSTANTIATE_TEST_SUITE_P(
    Tables, KeyOnlyBindingTest,
    ::testing::Values(
        KeyCase{kPro, "PgUp", C::kPageUp}, KeyCase{kLight, "PgDown", C::kPageDown},
        KeyCase{kPro, "Ctrl+Tab", C::kSwitchWindowFocus},
        KeyCase{kLight, "Tab", C::kSwitchWindowFocus}, KeyCase{kPro, "Tab", C::kNone},
        KeyCase{kLight, "Ctrl+U", C::kMultipleDayViewKey},
        KeyCase{kLight, "End", C::kEarliestUndoneDay},
        KeyCase{kLight, "Ctrl+Shift+A", C::kRequestWriteAccess},
        KeyCase{kLight, "\"", C::kDuplicate}, KeyCase{kPro, "Shift+Del", C::kCut},
        KeyCase{kLight, "Shift+Z", C::kOtherSettings}, KeyCase{kLight, "Num++", C::kNextDay},
        KeyCase{kPro, "Num+-", C::kPreviousDay}, KeyCase{kPro, "Alt+Up", C::kKeyAltUp},
        KeyCase{kLight, "Alt+Up", C::kNone}, KeyCase{kPro, "$", C::kKeyDollar},
        KeyCase{kLight, "$", C::kNone}, KeyCase{kPro, "Ctrl+Alt+G", C::kKeyCtrlAltG},
        KeyCase{kPro, "Ctrl+Shift+J", C::kRestoreFromTray},
        KeyCase{kPro, "Ctrl+Shift+Del", C::kKeyCtrlShiftDelete},
        KeyCase{kPro, "Ctrl+Alt+Shift+Del", C::kKeyCtrlAltShiftDelete},
        KeyCase{kPro, "Ctrl+Shift+F2", C::kKeyCtrlShiftF2},
        KeyCase{kPro, "Ctrl+Alt+Ins", C::kNewItem}, KeyCase{kLight, "Ctrl+Alt+Ins", C::kNone},
        KeyCase{kPro, "Ctrl+Alt+Down", C::kLightenLoadByPriority},
        KeyCase{kPro, "Enter", C::kModifyItem}, KeyCase{kPro, "Ctrl+Q", C::kNone},
        KeyCase{kPro, "", C::kNone},
        // Modifiers in any order and case find the same binding.
        KeyCase{kPro, "shift+ctrl+s", C::kSendToTray},
        KeyCase{kPro, "Shift+Alt+Down", C::kLightenLoadByPriority},
        KeyCase{kPro, "Control+x", C::kCut}, KeyCase{kLight, "shift+alt+ctrl+ins", C::kNone},
        KeyCase{kPro, "Shift+Alt+Ctrl+Ins", C::kNewAnniversaryMemo}));

TEST(CommandTable, NormalizeKeysKeepsPlusKeysAndUnknownNames) {
  EXPECT_EQ(NormalizeKeys("+"), "+");
  EXPECT_EQ(NormalizeKeys("ctrl++"), "Ctrl++");
  EXPECT_EQ(NormalizeKeys("num+shift++"), "Shift+Num++");
  EXPECT_EQ(NormalizeKeys("Meta+Ctrl+A"), "Meta+Ctrl+A");
  EXPECT_EQ(NormalizeKeys("Hyper+X"), "Hyper+X");
}

TEST(CommandTable, TrayMenuAndLabelsOfCommandsNoMenuShows) {
  std::vector<Command> tray;
  for (const MenuNode& node : TrayMenu()) tray.push_back(node.command);
  EXPECT_EQ(tray,
            (std::vector<Command>{C::kRestoreFromTray, C::kTrayNewItem, C::kTrayCloseSchedule}));
  EXPECT_EQ(CommandLabel(C::kRestoreFromTray), "Restore Ploven");
  EXPECT_EQ(CommandLabel(C::kTrayCloseSchedule), "Close This Ploven Schedule");
  EXPECT_EQ(CommandLabel(C::kKeyF4), "");
  EXPECT_EQ(CommandLabel(C::kGapfillers), "");
  EXPECT_EQ(CommandLabel(C::kNone), "");
  EXPECT_EQ(CommandLabel(static_cast<Command>(-5)), "");
}

}  // namespace
}  // namespace ploven
