#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/commands.h"

// The main window's commands as data: the two menus, the two accelerator tables and the tray
// icon's menu. Titles carry their '&' mnemonics ("&&" is a literal ampersand); keys are Qt's
// portable key text ("Ctrl+Shift+S", "Ins", "Del", "PgUp", "Space", "Return", "Num++").

namespace ploven {

enum class MenuMode { kLight, kPro };

struct MenuNode {
  std::string title;
  Command command = Command::kNone;
  std::string keys;
  std::vector<MenuNode> children;
  bool separatorBefore = false;
  bool checkable = false;  // the item shows a tick (a flag setting, a view switch)
  int exclusiveGroup = 0;  // non-zero: exactly one item of that group is ticked at a time
  bool IsPopup() const { return command == Command::kNone; }
};

struct KeyBinding {
  std::string keys;
  Command command;
};

// The tiling commands of My Multiple Day View, one of them ticked at a time.
inline constexpr std::array<Command, 3> kTilingCommands = {
    Command::kTileVertically, Command::kTileHorizontally, Command::kTileGrid};

// The top-level popups of the mode's menu bar.
const std::vector<MenuNode>& MainMenu(MenuMode mode);

// Every key of the mode in table order: the keys shown in the menu, then the bindings that
// exist only in the table. A key may appear more than once; the first binding wins.
const std::vector<KeyBinding>& Accelerators(MenuMode mode);

// The command the key runs in the mode (first binding wins); kNone when the key is not bound.
// Modifier names may come in any order and case ("shift+ctrl+s" finds "Ctrl+Shift+S").
Command CommandForKeys(MenuMode mode, std::string_view keys);

// The items of the tray icon's menu: Restore, New Item, Close.
const std::vector<MenuNode>& TrayMenu();

// The item's label without mnemonics, trailing "..." and keys; "" for a command no menu has.
std::string CommandLabel(Command command);

// A title with its mnemonic markers removed ("Save &As..." gives "Save As...").
std::string StripMnemonic(std::string_view title);

// The keys with their modifiers in Qt's order (Meta, Ctrl, Alt, Shift, Num), spelled as Qt
// spells them, and a letter key in capitals; other key names are left as given.
std::string NormalizeKeys(std::string_view keys);

// Placeholder items stand for the entries of a popup filled at run time (Gapfillers,
// Multiusers).
bool IsPlaceholderCommand(Command command);

}  // namespace ploven
