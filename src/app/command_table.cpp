#include "app/command_table.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <utility>

namespace ploven {
namespace {

// Marks of a menu definition.
constexpr unsigned kL = 1;      // also in the Light Mode menu
constexpr unsigned kSep = 2;    // a separator goes before the item
constexpr unsigned kCheck = 4;  // the item shows a tick

// Exclusive groups.
constexpr int kGroupTiling = 1;
constexpr int kGroupDarken = 2;
constexpr int kGroupMode = 3;

// One item of the Pro Mode menu; Light Mode keeps the items marked kL.
struct Def {
  std::string title;
  int command = 0;
  std::string keys;
  unsigned marks = 0;
  int lightCommand = 0;  // the number Light Mode uses for this item instead, 0 when the same
  int group = 0;
  std::vector<Def> children;
};

Def Cmd(std::string title, int command, std::string keys = {}, unsigned marks = 0) {
  Def def;
  def.title = std::move(title);
  def.command = command;
  def.keys = std::move(keys);
  def.marks = marks;
  return def;
}

Def Cmd(std::string title, int command, unsigned marks) {
  return Cmd(std::move(title), command, {}, marks);
}

// An item whose Light Mode twin has a number of its own.
Def Twin(std::string title, int command, int lightCommand, std::string keys, unsigned marks) {
  Def def = Cmd(std::move(title), command, std::move(keys), marks | kL);
  def.lightCommand = lightCommand;
  return def;
}

Def Grouped(Def def, int group) {
  def.group = group;
  def.marks |= kCheck;
  return def;
}

Def Pop(std::string title, std::vector<Def> children, unsigned marks = 0) {
  Def def;
  def.title = std::move(title);
  def.marks = marks;
  def.children = std::move(children);
  return def;
}

// The whole Pro Mode menu, in menu order.
std::vector<Def> ProDefinitions() {
  std::vector<Def> menu;
  menu.push_back(Pop(
      "&File",
      {Cmd("Make This Schedule The One Open at Launch", 719), Twin("&Save", 1, 723, {}, kSep),
       Cmd("Save &As...", 499, kL),
       Pop("&Print",
           {Cmd("Print My Printouts", 1258, "Ctrl+P", kL),
            Pop("Print Day View",
                {Cmd("Today", 4, kL), Cmd("Viewed Day", 222, kL), Cmd("Range of Days...", 3, kL)}),
            Pop("Print Priority View", {Cmd("First Page", 213), Cmd("All Pages", 212)}),
            Cmd("Print Alphabetical View", 390, kL), Cmd("Print Projects List", 610),
            Pop("Print Appointment Calendar",
                {Cmd("This Week on a Page", 361, kL), Cmd("This 4 Weeks on a Page", 362, kL),
                 Cmd("This Month on a Page", 363, kL), Cmd("This Quarter on a Page", 364, kL),
                 Cmd("Range of Days (and format choice)...", 366, kL)}),
            Cmd("Print Underscored Items List (chronological order)", 365),
            Pop("Print Notes",
                {Cmd("Browsed Note", 277, kL), Cmd("All Notes Of Current View", 367, kL)})},
           kSep),
       Cmd("Print Set&up...", 757, kL), Cmd("Pa&ge Setup...", 169, kL), Cmd("Backup", 759, kSep),
       Pop("Transfer To Other PC",
           {Cmd("Check Out", 372, "Ctrl+O", kL), Cmd("Check In", 371, "Ctrl+I", kL)}),
       Cmd("Import Items (from Outlook or Ploven format)", 275, "Ctrl+Shift+I", kL),
       Pop("Export",
           {Pop("Appointments to Outlook or Google Calendar",
                {Cmd("Today", 738, kL), Cmd("Range of Days...", 739, kL)}),
            Pop("Tasks to Outlook", {Cmd("Today", 753, kL), Cmd("Range of Days...", 754, kL)}),
            Pop("Day View", {Cmd("Today", 23, kL), Cmd("Range of Days...", 22, kL)}),
            Cmd("Alphabetical View (all undone items)", 166, kL),
            Cmd("View Export File (export.txt)", 165, kL | kSep)}),
       Cmd("&Close This Schedule", 25, "Alt+F4", kL | kSep),
       Twin("Send Ploven to System &Tray", 1367, 1366, "Ctrl+Shift+S", 0),
       Cmd("E&xit Ploven", 353, kL)}));

  menu.push_back(
      Pop("&Edit",
          {Cmd("&Modify Item...", 19, "Return", kL),
           Cmd("Modi&fy All Recurrences...", 351, "Ctrl+Return", kL),
           Pop("P&roperties",
               {Cmd("Flexible Date", 152, "F2"), Cmd("Appointment", 395, "Alt+F2"),
                Cmd("Scheduled", 73, "Ctrl+F2"), Cmd("Underscore", 659, "F3"),
                Cmd("Private", 347, "Alt+F3"), Cmd("Sequenced", 635, "F4"),
                Cmd("Hide (until startable)", 660, "Ctrl+F4"), Cmd("Label...", 380, "Ctrl+F3"),
                Cmd("Modify Memo as if Set Date Item...", 665, "Alt+Return", kSep)}),
           Cmd("&Note", 1124, "Ctrl+E", kL),
           Cmd("&Add Date && Time to Item Title", 342, "Ctrl+Shift+T"),
           Cmd("&Undelete Item (or Project)", 612, "Ctrl+Shift+Z", kL | kSep),
           Cmd("&Delete Item", 921, "Del", kL), Cmd("De&lete All Recurrences", 81, "Ctrl+Del", kL),
           Cmd("Delete [Sample] && [Less&on] Items", 63, kL),
           Cmd("Delete [Special Da&y] Items", 744, kL), Cmd("&Start/Unstart", 982, "F5", kSep),
           Cmd("&Interrupt...", 400, "Pause"), Cmd("Don&e!", 955, "Space", kL),
           Pop("Ad&vanced Timekeeping", {Cmd("Start With Countdown Timer", 167, "Ctrl+F5"),
                                         Cmd("Start && Fill Gap Since Last Done", 159, "Alt+F5"),
                                         Cmd("Done w/ Current End Time", 206, "Ctrl+Space", kSep),
                                         Cmd("Done w/ Earlier End Time", 680, "Shift+Space"),
                                         Cmd("Done && Fill Gap", 683, "Ctrl+Shift+Space"),
                                         Cmd("Done For Now && Finish Later", 624, "Ctrl+F6"),
                                         Cmd("Record Failed Attempt", 399, "F6", kSep),
                                         Cmd("Cancel Item", 730, "Ctrl+Shift+F6")}),
           Cmd("Cu&t", 92, "Ctrl+X", kL | kSep), Cmd("&Copy", 93, "Ctrl+C", kL),
           Cmd("&Paste", 94, "Ctrl+V", kL)}));

  menu.push_back(Pop(
      "&View",
      {Cmd("&Day View", 931, "Ctrl+S", kL),
       Cmd("My M&ultiple Day View", 935, "Ctrl+W", kL),
       Pop("Multiple Day View",
           {Cmd("Next 2 Days", 43), Cmd("Next 3 Days", 44), Cmd("Next 4 Days", 45),
            Cmd("Next 5 Days", 46), Cmd("Next 6 Days", 47), Cmd("Next 7 Days", 48)}),
       Pop("Multiple Day View Tiling", {Grouped(Cmd("Tile &Vertically", 85, kL), kGroupTiling),
                                        Grouped(Cmd("Tile &Horizontally", 86, kL), kGroupTiling),
                                        Grouped(Cmd("&Grid", 87, kL), kGroupTiling)}),
       Cmd("&Month View", 934, "Ctrl+M", kL | kSep),
       Cmd("&Priority View", 936, "Ctrl+R"),
       Cmd("&Alphabetical View", 933, "Ctrl+A", kL),
       Cmd("Pro&jects List", 501, "Ctrl+J"),
       Cmd("Projects &Tree", 641, "Ctrl+T"),
       Cmd("&Locations", 632, "Ctrl+L"),
       Cmd("Launch &Web Site In Title", 701, "F11", kSep),
       Cmd("&Filters", 646, "Shift+F"),
       Cmd("Focus &Now", 606, "Backspace", kCheck),
       Cmd("Hide Done Items (and projects)", 706, "Ctrl+Shift+D", kCheck),
       Cmd("31-Day Busy Navigator", 392, "Ctrl+H", kL | kSep),
       Pop("&Calendar Window",
           {Cmd("Display Calendar Window", 951, kL), Cmd("Hide Calendar Window", 78, kL),
            Cmd("D&ocked (rather than floating)", 603, kL | kSep | kCheck),
            Grouped(Cmd("Darken Busier Days", 80, kL | kSep), kGroupDarken),
            Grouped(Cmd("Don't Darken Busier Days", 79, kL), kGroupDarken)},
           kL),
       Cmd("4-4-5 Mode (Calendar and Date Picker)", 344, kCheck),
       Cmd("Browse Notes Mode", 1175, "Ctrl+N", kCheck),
       Cmd("Item Title", 352, "Shift+V", kSep | kCheck),
       Cmd("Item Or Project Creation Time", 355, "Shift+C", kCheck),
       Cmd("Split Item Breakdown", 636, "Ctrl+K", kSep)}));

  menu.push_back(Pop(
      "&Insert",
      {Twin("&New Item...", 978, 648, "Ins", 0), Cmd("New &Appointment Item...", 649, "Ctrl+Ins"),
       Cmd("New Multi-day &Event Item...", 651, "Shift+Ins"),
       Cmd("New &Memo Item...", 652, "Alt+Ins"),
       Cmd("New &Birthday Memo Item...", 653, "Ctrl+Shift+Ins"),
       Cmd("New Anni&versary Memo Item...", 654, "Ctrl+Alt+Shift+Ins"),
       Cmd("New &Work Holiday Memo Item", 655, "Alt+Shift+Ins"),
       Cmd("New &Done Item...", 154, "F10", kSep), Cmd("New &Project...", 662),
       Cmd("D&uplicate Selected Item", 95, "\"", kSep)}));

  menu.push_back(Pop("&Gapfillers", {Cmd("", kCommandGapfillers)}));

  menu.push_back(
      Pop("&Navigate",
          {Cmd("&Previous Item", 7, "Up", kL), Cmd("&Next Item", 8, "Down", kL),
           Cmd("Scroll Up", 293, "Ctrl+PgUp"), Cmd("Scroll Down", 294, "Ctrl+PgDown"),
           Cmd("&Top of List", 161, "Ctrl+Home", kL), Cmd("&Bottom of List", 162, "Ctrl+End", kL),
           Cmd("T&oday", 924, "Home", kL | kSep), Cmd("Pre&vious Day", 918, "-", kL),
           Cmd("Ne&xt Day", 917, "+", kL), Cmd("7 Days Back", 913, "F7", kL),
           Cmd("7 Days Forward", 914, "F8", kL), Cmd("&Go To Date...", 52, "F9", kL),
           Cmd("&Earliest Day with Undone Items", 40, "End"),
           Cmd("Previous View &Window", 6, "Left", kL | kSep),
           Cmd("Next View W&indow", 5, "Right", kL), Cmd("&Find...", 1067, "Ctrl+F", kL | kSep),
           Cmd("Fin&d Next", 348, "Ctrl+G", kL), Cmd("Find Previo&us", 349, kL)}));

  menu.push_back(Pop(
      "&Balance",
      {Pop("&Move Item",
           {Cmd("Move Earlier in Day", 11, "Ctrl+Up", kL),
            Cmd("Move Later in Day", 12, "Ctrl+Down", kL),
            Cmd("Move to Previous Day", 10, "Ctrl+Left", kL),
            Cmd("Move to Next Day", 9, "Ctrl+Right", kL),
            Cmd("Move to 7 Days Back", 15, "Ctrl+F7", kL),
            Cmd("Move to 7 Days Forward", 16, "Ctrl+F8", kL),
            Cmd("Postpone One Hour", 685, "Ctrl+D", kSep)},
           kL),
       Cmd("Bring &Forward Past Undones To This Day", 977, "F12", kL),
       Cmd("Balance &Day", 973, "Alt+F11", kSep), Cmd("Balance &All Days", 974, "Alt+F8"),
       Pop("&Lighten Load",
           {Cmd("by priority", 397, "Alt+Shift+Down"), Cmd("by urgency", 737, "Ctrl+Shift+Down")},
           kSep),
       Cmd("&Increase Load", 398, "Alt+Shift+Up"), Cmd("&Raise Priority", 356, kSep),
       Cmd("Lo&wer Priority", 357), Cmd("&Earlier Set Start Time", 157, kSep),
       Cmd("La&ter Set Start Time", 158), Cmd("&Shorter Duration", 155, "Alt+Left", kSep),
       Cmd("Lo&nger Duration", 156, "Alt+Right")}));

  menu.push_back(
      Pop("&Tools",
          {Cmd("&Stopwatch", 983, "Shift+T", kL), Cmd("&Countdown Timer", 687, "Shift+D", kL),
           Cmd("&Update Computer Clock (via Internet)", 711),
           Cmd("&Dial / Their Time && Location", 952, "Shift+A", kL | kSep),
           Cmd("Area Codes &List (N. America)", 698, kL), Cmd("&Address Book", 1568, kL),
           Cmd("Send &Message To Ploven Users", 460, kSep), Cmd("&Read Ploven Messages", 459)}));

  menu.push_back(
      Pop("&Reports",
          {Cmd("&Daily Time By Project Report...", 502), Cmd("&Items Report (by project)...", 722),
           Cmd("&Viewed Month's Done Items Log", 153), Cmd("S&leep Report", 452),
           Pop("&Statistics",
               {Cmd("Viewed Day Turnover Score (by project)", 497, "Ctrl+Y"),
                Cmd("Week/Month Turnover Score", 691),
                Cmd("Weekly Time Spent On Life Projects (past 26 weeks)", 750, kSep),
                Cmd("Daily Time Spent On Tagged Projects (7 days)", 663),
                Cmd("Weekly Time Spent On Tagged Projects (past 26 weeks)", 676),
                Cmd("Tag/Untag Project (to be counted above)", 700, kSep)},
               kSep)}));

  menu.push_back(Pop("&Multiusers", {Cmd("", kCommandMultiusers)}));

  menu.push_back(Pop(
      "&Settings",
      {Grouped(Cmd("&Light Mode", kCommandLightMode, kL), kGroupMode),
       Grouped(Cmd("&Pro Mode", kCommandProMode, kL), kGroupMode),
       Cmd("&New Item Preferences...", 61, kSep), Cmd("&Day Bounds Settings...", 633),
       Cmd("&Work Hours Settings...", 689),
       Pop("&Fonts Settings",
           {Pop("&Screen Fonts",
                {Cmd("Day Views &Headings Font...", 214, kL),
                 Cmd("Day Views &Text (and Set Start Times) Font...", 210, kL),
                 Cmd("Day Views &Fluid Item Begin Times Font...", 211),
                 Cmd("&Month View Text Font...", 494, kL), Cmd("&Note Font...", 745, kL)},
                kL),
            Pop("&Printer Fonts",
                {Cmd("&Headings Font...", 216, kL), Cmd("&Normal Text Font...", 205, kL),
                 Cmd("&Appointment Calendar Text (except wk/pg) and Item Begin Times Font...", 350,
                     kL)},
                kL)},
           kL | kSep),
       Cmd("&Colors Settings...", 457), Cmd("La&bels Settings...", 379),
       Cmd("M&y Multiple Day View Settings...", 76, kL), Cmd("B&alance Settings...", 394, kSep),
       Cmd("Ala&rms Settings...", 393, "Alt+A", kL), Cmd("T&ime Zones Settings...", 644),
       Cmd("W&orld Clocks / Stock Ticker Settings...", 645), Cmd("&Value of Time Settings...", 88),
       Cmd("Printo&uts Settings...", 359, kL), Cmd("Synchroni&zation Settings...", 714, kSep),
       Cmd("User Na&me Setting...", 57, kL), Cmd("Pa&sswords Settings...", 218),
       Cmd("O&ther Settings...", 634, "Alt+O", kL | kSep)}));

  menu.push_back(Pop(
      "&Help", {Cmd("Ploven &Help", 605, "F1", kL), Cmd("&Keyboard Shortcuts", 707, "Shift+F1", kL),
                Cmd("Load Ploven &Tutorial", 217, kL),
                Cmd("Get Technical &Support...", 147, kL | kSep), Cmd("&Forum", 731, kL | kSep),
                Cmd("&Updates", 733, kL), Cmd("&Bulletins", 734, kL), Cmd("S&eminar", 741, kL),
                Cmd("Su&ggestions", 735, kL), Cmd("&Custom-Feature Quotes", 736, kL),
                Cmd("&About Ploven", 26, "Ctrl+Shift+N", kL | kSep)}));
  return menu;
}

// The character a title's mnemonic marks, 0 when it has none ("&&" is a literal '&').
char MnemonicOf(std::string_view title) {
  for (size_t i = 0; i + 1 < title.size(); ++i) {
    if (title[i] != '&') continue;
    if (title[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::tolower(static_cast<unsigned char>(title[i + 1])));
  }
  return 0;
}

// Gives the title a mnemonic not yet used in its popup: the first free initial of a word, else
// the first free letter or digit. A title with no free character keeps none.
void AddMnemonic(std::string& title, std::set<char>& used) {
  auto usable = [&](size_t i) {
    unsigned char c = static_cast<unsigned char>(title[i]);
    return std::isalnum(c) && !used.contains(static_cast<char>(std::tolower(c)));
  };
  std::vector<size_t> candidates;
  for (size_t i = 0; i < title.size(); ++i) {
    bool initial = i == 0 || title[i - 1] == ' ' || title[i - 1] == '(' || title[i - 1] == '/';
    if (initial && title[i] != '&') candidates.push_back(i);
  }
  for (size_t i = 0; i < title.size(); ++i) {
    if (title[i] != '&') candidates.push_back(i);
  }
  for (size_t i : candidates) {
    // A literal ampersand is doubled; neither of its characters can be marked.
    if (title[i] == '&' || !usable(i)) continue;
    used.insert(static_cast<char>(std::tolower(static_cast<unsigned char>(title[i]))));
    title.insert(i, 1, '&');
    return;
  }
}

void AssignMnemonics(std::vector<Def>& items) {
  std::set<char> used;
  for (const Def& def : items) {
    if (char c = MnemonicOf(def.title)) used.insert(c);
  }
  for (Def& def : items) {
    if (def.title.empty()) continue;
    if (!MnemonicOf(def.title)) AddMnemonic(def.title, used);
    AssignMnemonics(def.children);
  }
}

bool InLight(const Def& def) {
  if (def.command != 0) return (def.marks & kL) != 0;
  return std::any_of(def.children.begin(), def.children.end(), InLight);
}

std::vector<MenuNode> ToNodes(const std::vector<Def>& defs, MenuMode mode) {
  std::vector<MenuNode> nodes;
  bool pendingSeparator = false;
  for (const Def& def : defs) {
    pendingSeparator = pendingSeparator || (def.marks & kSep) != 0;
    if (mode == MenuMode::kLight && !InLight(def)) continue;
    MenuNode node;
    node.title = def.title;
    node.command = mode == MenuMode::kLight && def.lightCommand ? def.lightCommand : def.command;
    node.keys = def.keys;
    node.children = ToNodes(def.children, mode);
    // No popup starts with a separator; a dropped item hands its separator on.
    node.separatorBefore = pendingSeparator && !nodes.empty();
    node.checkable = (def.marks & kCheck) != 0;
    node.exclusiveGroup = def.group;
    pendingSeparator = false;
    nodes.push_back(std::move(node));
  }
  return nodes;
}

std::vector<Def> NumberedDefinitions() {
  std::vector<Def> defs = ProDefinitions();
  AssignMnemonics(defs);
  return defs;
}

void CollectKeys(const std::vector<MenuNode>& nodes, std::vector<KeyBinding>& out) {
  for (const MenuNode& node : nodes) {
    if (!node.keys.empty()) out.push_back({node.keys, node.command});
    CollectKeys(node.children, out);
  }
}

// Adds the binding unless the table already binds that key to that command.
void AddBinding(std::vector<KeyBinding>& table, std::string keys, int command) {
  for (const KeyBinding& binding : table) {
    if (binding.keys == keys && binding.command == command) return;
  }
  table.push_back({std::move(keys), command});
}

std::vector<KeyBinding> BuildAccelerators(MenuMode mode) {
  std::vector<KeyBinding> table;
  CollectKeys(MainMenu(mode), table);
  const bool pro = mode == MenuMode::kPro;
  // The numeric keypad's Enter is the same key as Return to the user.
  AddBinding(table, "Enter", 19);
  AddBinding(table, "Ctrl+Enter", 351);
  if (pro) AddBinding(table, "Alt+Enter", 665);
  AddBinding(table, "PgUp", 27);
  AddBinding(table, "PgDown", 28);
  AddBinding(table, "Ctrl+Tab", 72);
  if (!pro) AddBinding(table, "Tab", 72);
  AddBinding(table, "Ctrl+U", 32);
  AddBinding(table, "End", 40);
  AddBinding(table, "Ctrl+Shift+A", 702);
  AddBinding(table, "\"", 95);
  AddBinding(table, "Shift+Del", 92);
  AddBinding(table, "Shift+Z", 634);
  AddBinding(table, "Num++", 917);
  AddBinding(table, "Num+-", 918);
  if (pro) {
    AddBinding(table, "Alt+Up", 376);
    AddBinding(table, "Alt+Down", 377);
    AddBinding(table, "$", 688);
    AddBinding(table, "Ctrl+Alt+G", 458);
    AddBinding(table, "Ctrl+Shift+J", 742);
    AddBinding(table, "Ctrl+Alt+L", 642);
    AddBinding(table, "Ctrl+Shift+Del", 721);
    AddBinding(table, "Ctrl+Alt+Shift+Del", 674);
    AddBinding(table, "Ctrl+Shift+F2", 638);
    AddBinding(table, "F4", 664);  // shadowed by Sequenced (635), which comes first
    AddBinding(table, "Ctrl+Alt+Ins", 978);
    AddBinding(table, "Ctrl+Alt+Down", 397);
    AddBinding(table, "Alt+Shift+Down", 397);
    AddBinding(table, "Ctrl+Alt+Up", 398);
    AddBinding(table, "Alt+Shift+Up", 398);
  }
  return table;
}

const MenuNode* FindNode(const std::vector<MenuNode>& nodes, int command) {
  for (const MenuNode& node : nodes) {
    if (!node.IsPopup() && node.command == command) return &node;
    if (const MenuNode* found = FindNode(node.children, command)) return found;
  }
  return nullptr;
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

const std::vector<MenuNode>& MainMenu(MenuMode mode) {
  static const std::vector<MenuNode> kPro = ToNodes(NumberedDefinitions(), MenuMode::kPro);
  static const std::vector<MenuNode> kLight = ToNodes(NumberedDefinitions(), MenuMode::kLight);
  return mode == MenuMode::kPro ? kPro : kLight;
}

const std::vector<KeyBinding>& Accelerators(MenuMode mode) {
  static const std::vector<KeyBinding> kPro = BuildAccelerators(MenuMode::kPro);
  static const std::vector<KeyBinding> kLight = BuildAccelerators(MenuMode::kLight);
  return mode == MenuMode::kPro ? kPro : kLight;
}

int CommandForKeys(MenuMode mode, std::string_view keys) {
  const std::string wanted = NormalizeKeys(keys);
  for (const KeyBinding& binding : Accelerators(mode)) {
    if (binding.keys == wanted) return binding.command;
  }
  return 0;
}

const std::vector<MenuNode>& TrayMenu() {
  static const std::vector<MenuNode> kTray = [] {
    std::vector<MenuNode> items(3);
    items[0].title = "&Restore Ploven";
    items[0].command = 742;
    items[1].title = "&New Item...";
    items[1].command = 751;
    items[2].title = "&Close This Ploven Schedule";
    items[2].command = 746;
    items[2].separatorBefore = true;
    return items;
  }();
  return kTray;
}

std::string StripMnemonic(std::string_view title) {
  std::string out;
  out.reserve(title.size());
  for (size_t i = 0; i < title.size(); ++i) {
    if (title[i] == '&' && i + 1 < title.size()) ++i;
    out += title[i];
  }
  return out;
}

std::string CommandLabel(int command) {
  if (command == 0 || IsPlaceholderCommand(command)) return "";
  const MenuNode* node = FindNode(MainMenu(MenuMode::kPro), command);
  if (!node) node = FindNode(MainMenu(MenuMode::kLight), command);
  if (!node) node = FindNode(TrayMenu(), command);
  if (!node) return "";
  std::string label = StripMnemonic(node->title);
  if (label.ends_with("...")) label.resize(label.size() - 3);
  return label;
}

std::string NormalizeKeys(std::string_view keys) {
  static constexpr std::array<std::string_view, 5> kModifiers = {"meta", "ctrl", "alt", "shift",
                                                                 "num"};
  static constexpr std::array<std::string_view, 5> kSpelled = {"Meta+", "Ctrl+", "Alt+", "Shift+",
                                                               "Num+"};
  std::array<bool, kModifiers.size()> present{};
  std::string_view rest = keys;
  // Peel "Modifier+" prefixes; what is left, even a lone "+", is the key itself.
  for (;;) {
    size_t plus = rest.find('+');
    if (plus == std::string_view::npos || plus == 0 || plus + 1 >= rest.size()) break;
    std::string name = Lower(rest.substr(0, plus));
    if (name == "control") name = "ctrl";
    auto it = std::find(kModifiers.begin(), kModifiers.end(), name);
    if (it == kModifiers.end()) break;
    present[static_cast<size_t>(it - kModifiers.begin())] = true;
    rest.remove_prefix(plus + 1);
  }
  std::string out;
  for (size_t i = 0; i < kModifiers.size(); ++i) {
    if (present[i]) out += kSpelled[i];
  }
  // A letter key is written in capitals.
  if (rest.size() == 1 && std::isalpha(static_cast<unsigned char>(rest[0]))) {
    out += static_cast<char>(std::toupper(static_cast<unsigned char>(rest[0])));
  } else {
    out += rest;
  }
  return out;
}

bool IsPlaceholderCommand(int command) {
  return command == kCommandGapfillers || command == kCommandMultiusers;
}

}  // namespace ploven
