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

const MenuNode* Find(MenuMode mode, int command) {
  const MenuNode* found = nullptr;
  Walk(MainMenu(mode), "", [&](const MenuNode& node, const std::string&) {
    if (!found && !node.IsPopup() && node.command == command) found = &node;
  });
  return found;
}

std::set<int> Commands(MenuMode mode) {
  std::set<int> commands;
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
  int command;
  const char* label;
  const char* keys;
};

class MenuItemTest : public ::testing::TestWithParam<ItemCase> {};

TEST_P(MenuItemTest, HasItsLabelAndKey) {
  const ItemCase& c = GetParam();
  const MenuNode* node = Find(c.mode, c.command);
  ASSERT_NE(node, nullptr) << c.command;
  EXPECT_EQ(CommandLabel(c.command), c.label);
  EXPECT_EQ(node->keys, c.keys);
  if (*c.keys) {
    EXPECT_EQ(CommandForKeys(c.mode, c.keys), c.command);
  }
}

constexpr MenuMode kPro = MenuMode::kPro;
constexpr MenuMode kLight = MenuMode::kLight;

INSTANTIATE_TEST_SUITE_P(
    SpotChecks, MenuItemTest,
    ::testing::Values(
        ItemCase{kPro, 1, "Save", ""}, ItemCase{kLight, 723, "Save", ""},
        ItemCase{kPro, 1367, "Send Ploven to System Tray", "Ctrl+Shift+S"},
        ItemCase{kLight, 1366, "Send Ploven to System Tray", "Ctrl+Shift+S"},
        ItemCase{kPro, 978, "New Item", "Ins"}, ItemCase{kLight, 648, "New Item", "Ins"},
        ItemCase{kPro, 1258, "Print My Printouts", "Ctrl+P"},

        ItemCase{kPro, 19, "Modify Item", "Return"},
        ItemCase{kPro, 665, "Modify Memo as if Set Date Item", "Alt+Return"},
        ItemCase{kPro, 342, "Add Date & Time to Item Title", "Ctrl+Shift+T"},
        ItemCase{kPro, 921, "Delete Item", "Del"}, ItemCase{kPro, 400, "Interrupt", "Pause"},
        ItemCase{kLight, 955, "Done!", "Space"},
        ItemCase{kPro, 683, "Done & Fill Gap", "Ctrl+Shift+Space"},
        ItemCase{kPro, 606, "Focus Now", "Backspace"},
        ItemCase{kLight, 603, "Docked (rather than floating)", ""},
        ItemCase{kPro, 654, "New Anniversary Memo Item", "Ctrl+Alt+Shift+Ins"},
        ItemCase{kPro, 95, "Duplicate Selected Item", "\""},
        ItemCase{kPro, 293, "Scroll Up", "Ctrl+PgUp"}, ItemCase{kLight, 918, "Previous Day", "-"},
        ItemCase{kLight, 917, "Next Day", "+"},
        ItemCase{kPro, 397, "by priority", "Alt+Shift+Down"},

        ItemCase{kPro, 398, "Increase Load", "Alt+Shift+Up"},
        ItemCase{kLight, 952, "Dial / Their Time & Location", "Shift+A"},
        ItemCase{kPro, 497, "Viewed Day Turnover Score (by project)", "Ctrl+Y"},

        ItemCase{kLight, 634, "Other Settings", "Alt+O"},

        ItemCase{kLight, 26, "About Ploven", "Ctrl+Shift+N"}, ItemCase{kPro, 48, "Next 7 Days", ""},
        ItemCase{kPro, 40, "Earliest Day with Undone Items", "End"}));

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
      "File/Export/Appointments to Outlook or Google Calendar",
      "File/Export/Tasks to Outlook",
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
  std::set<int> pro = Commands(kPro);
  std::set<int> lightOnly;
  for (int command : Commands(kLight)) {
    if (!pro.contains(command)) lightOnly.insert(command);
  }
  EXPECT_EQ(lightOnly, (std::set<int>{648, 723, 1366}));
  std::set<int> light = Commands(kLight);
  for (int proOnly : {1, 978, 1367, 401, 999, 936, 40, 95}) EXPECT_FALSE(light.contains(proOnly));
}

TEST(CommandTable, NoCommandTwiceInAMenuAndNoPopupStartsWithASeparator) {
  for (MenuMode mode : {kPro, kLight}) {
    std::map<int, int> seen;
    Walk(MainMenu(mode), "", [&](const MenuNode& node, const std::string&) {
      if (!node.IsPopup()) ++seen[node.command];
      if (node.IsPopup()) {
        ASSERT_FALSE(node.children.empty()) << node.title;
        EXPECT_FALSE(node.children.front().separatorBefore) << node.title;
      }
    });
    for (auto [command, count] : seen) EXPECT_EQ(count, 1) << command;
  }
}

TEST(CommandTable, MnemonicsAreUniqueWithinEachPopup) {
  for (MenuMode mode : {kPro, kLight}) {
    Walk(MainMenu(mode), "", [](const MenuNode& node, const std::string&) {
      if (!node.IsPopup()) return;
      std::set<char> used;
      for (const MenuNode& child : node.children) {
        if (child.title.empty()) continue;
        std::string t = child.title;
        size_t at = 0;
        while ((at = t.find('&', at)) != std::string::npos && t[at + 1] == '&') at += 2;
        ASSERT_NE(at, std::string::npos) << child.title << " has no mnemonic";
        char c = static_cast<char>(std::tolower(static_cast<unsigned char>(t[at + 1])));
        EXPECT_TRUE(used.insert(c).second) << child.title << " in " << node.title;
      }
    });
  }
}

TEST(CommandTable, EveryMenuKeyRunsItsItem) {
  for (MenuMode mode : {kPro, kLight}) {
    Walk(MainMenu(mode), "", [&](const MenuNode& node, const std::string&) {
      if (!node.keys.empty()) {
        EXPECT_EQ(CommandForKeys(mode, node.keys), node.command) << node.keys;
      }
    });
  }
}

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
  EXPECT_EQ(CommandForKeys(kPro, "F4"), 635);
  EXPECT_EQ(CommandForKeys(kLight, "F4"), 0);
}

struct KeyCase {
  MenuMode mode;
  const char* keys;
  int command;  // 0: the key does nothing in the mode
};

class KeyOnlyBindingTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyOnlyBindingTest, RunsItsCommand) {
  EXPECT_EQ(CommandForKeys(GetParam().mode, GetParam().keys), GetParam().command)
      << GetParam().keys;
}

INSTANTIATE_TEST_SUITE_P(
    Tables, KeyOnlyBindingTest,
    ::testing::Values(
        KeyCase{kPro, "PgUp", 27}, KeyCase{kLight, "PgDown", 28}, KeyCase{kPro, "Ctrl+Tab", 72},
        KeyCase{kLight, "Tab", 72}, KeyCase{kPro, "Tab", 0}, KeyCase{kLight, "Ctrl+U", 32},
        KeyCase{kLight, "End", 40}, KeyCase{kLight, "Ctrl+Shift+A", 702}, KeyCase{kLight, "\"", 95},
        KeyCase{kPro, "Shift+Del", 92}, KeyCase{kLight, "Shift+Z", 634},
        KeyCase{kLight, "Num++", 917}, KeyCase{kPro, "Num+-", 918}, KeyCase{kPro, "Alt+Up", 376},
        KeyCase{kLight, "Alt+Up", 0}, KeyCase{kPro, "$", 688}, KeyCase{kLight, "$", 0},
        KeyCase{kPro, "Ctrl+Alt+G", 458}, KeyCase{kPro, "Ctrl+Shift+J", 742},
        KeyCase{kPro, "Ctrl+Shift+Del", 721}, KeyCase{kPro, "Ctrl+Alt+Shift+Del", 674},
        KeyCase{kPro, "Ctrl+Shift+F2", 638}, KeyCase{kPro, "Ctrl+Alt+Ins", 978},
        KeyCase{kLight, "Ctrl+Alt+Ins", 0}, KeyCase{kPro, "Ctrl+Alt+Down", 397},
        KeyCase{kPro, "Enter", 19}, KeyCase{kPro, "Ctrl+Q", 0}, KeyCase{kPro, "", 0},
        // Modifiers in any order and case find the same binding.
        KeyCase{kPro, "shift+ctrl+s", 1367}, KeyCase{kPro, "Shift+Alt+Down", 397},
        KeyCase{kPro, "Control+x", 92}, KeyCase{kLight, "shift+alt+ctrl+ins", 0},
        KeyCase{kPro, "Shift+Alt+Ctrl+Ins", 654}));

TEST(CommandTable, NormalizeKeysKeepsPlusKeysAndUnknownNames) {
  EXPECT_EQ(NormalizeKeys("+"), "+");
  EXPECT_EQ(NormalizeKeys("ctrl++"), "Ctrl++");
  EXPECT_EQ(NormalizeKeys("num+shift++"), "Shift+Num++");
  EXPECT_EQ(NormalizeKeys("Meta+Ctrl+A"), "Meta+Ctrl+A");
  EXPECT_EQ(NormalizeKeys("Hyper+X"), "Hyper+X");
}

TEST(CommandTable, TrayMenuAndLabelsOfCommandsNoMenuShows) {
  std::vector<int> tray;
  for (const MenuNode& node : TrayMenu()) tray.push_back(node.command);
  EXPECT_EQ(tray, (std::vector<int>{742, 751, 746}));
  EXPECT_EQ(CommandLabel(742), "Restore Ploven");
  EXPECT_EQ(CommandLabel(746), "Close This Ploven Schedule");
  EXPECT_EQ(CommandLabel(664), "");
  EXPECT_EQ(CommandLabel(401), "");
  EXPECT_EQ(CommandLabel(0), "");
  EXPECT_EQ(CommandLabel(-5), "");
}

}  // namespace
}  // namespace ploven
