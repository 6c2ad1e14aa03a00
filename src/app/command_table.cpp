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
  Command command = Command::kNone;
  std::string keys;
  unsigned marks = 0;
  Command lightCommand =
      Command::kNone;  // what Light Mode uses for this item instead, if not the same
  int group = 0;
  std::vector<Def> children;
};

Def Cmd(std::string title, Command command, std::string keys = {}, unsigned marks = 0) {
  Def def;
  def.title = std::move(title);
  def.command = command;
  def.keys = std::move(keys);
  def.marks = marks;
  return def;
}

Def Cmd(std::string title, Command command, unsigned marks) {
  return Cmd(std::move(title), command, {}, marks);
}

// An item whose Light Mode twin has a number of its own.
Def Twin(std::string title, Command command, Command lightCommand, std::string keys,
         unsigned marks) {
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
  using enum Command;
  std::vector<Def> menu;
  menu.push_back(Pop(
      "&File",
      {Cmd("Make This Schedule The One Open at Launch", kMakeOpenAtLaunch),
       Twin("&Save", kSave, kSaveLight, {}, kSep), Cmd("Save &As...", kSaveAs, kL),
       Pop("&Print",
           {Cmd("Print My Printouts", kPrintMyPrintouts, "Ctrl+P", kL),
            Pop("Print Day View",
                {Cmd("Today", kPrintDayToday, kL), Cmd("Viewed Day", kPrintDayViewed, kL),
                 Cmd("Range of Days...", kPrintDayRange, kL)}),
            Pop("Print Priority View", {Cmd("First Page", kPrintPriorityFirstPage),
                                        Cmd("All Pages", kPrintPriorityAllPages)}),
            Cmd("Print Alphabetical View", kPrintAlphabeticalView, kL),
            Cmd("Print Projects List", kPrintProjectsList),
            Pop("Print Appointment Calendar",
                {Cmd("This Week on a Page", kPrintCalendarWeek, kL),
                 Cmd("This 4 Weeks on a Page", kPrintCalendarFourWeeks, kL),
                 Cmd("This Month on a Page", kPrintCalendarMonth, kL),
                 Cmd("This Quarter on a Page", kPrintCalendarQuarter, kL),
                 Cmd("Range of Days (and format choice)...", kPrintCalendarRange, kL)}),
            Cmd("Print Underscored Items List (chronological order)", kPrintUnderscoredItems),
            Pop("Print Notes", {Cmd("Browsed Note", kPrintBrowsedNote, kL),
                                Cmd("All Notes Of Current View", kPrintViewNotes, kL)})},
           kSep),
       Cmd("Print Set&up...", kPrintSetup, kL), Cmd("Pa&ge Setup...", kPageSetup, kL),
       Cmd("Backup", kBackup, kSep),
       Pop("Transfer To Other PC",
           {Cmd("Check Out", kCheckOut, "Ctrl+O", kL), Cmd("Check In", kCheckIn, "Ctrl+I", kL)}),
       Cmd("Import Items (from your calendar or Ploven format)", kImportItems, "Ctrl+Shift+I", kL),
       Pop("Export", {Pop("Appointments to your calendar",
                          {Cmd("Today", kExportAppointmentsToday, kL),
                           Cmd("Range of Days...", kExportAppointmentsRange, kL)}),
                      Pop("Tasks to your calendar", {Cmd("Today", kExportTasksToday, kL),
                                               Cmd("Range of Days...", kExportTasksRange, kL)}),
                      Pop("Day View", {Cmd("Today", kExportDayViewToday, kL),
                                       Cmd("Range of Days...", kExportDayViewRange, kL)}),
                      Cmd("Alphabetical View (all undone items)", kExportAlphabeticalView, kL),
                      Cmd("View Export File (export.txt)", kViewExportFile, kL | kSep)}),
       Cmd("&Close This Schedule", kCloseSchedule, "Alt+F4", kL | kSep),
       Twin("Send Ploven to System &Tray", kSendToTray, kSendToTrayLight, "Ctrl+Shift+S", 0),
       Cmd("E&xit Ploven", kExit, kL)}));

  menu.push_back(Pop(
      "&Edit",
      {Cmd("&Modify Item...", kModifyItem, "Return", kL),
       Cmd("Modi&fy All Recurrences...", kModifyAllRecurrences, "Ctrl+Return", kL),
       Pop("P&roperties",
           {Cmd("Flexible Date", kFlexibleDate, "F2"), Cmd("Appointment", kAppointment, "Alt+F2"),
            Cmd("Scheduled", kScheduled, "Ctrl+F2"), Cmd("Underscore", kUnderscore, "F3"),
            Cmd("Private", kPrivate, "Alt+F3"), Cmd("Sequenced", kSequenced, "F4"),
            Cmd("Hide (until startable)", kHideUntilStartable, "Ctrl+F4"),
            Cmd("Label...", kLabel, "Ctrl+F3"),
            Cmd("Modify Memo as if Set Date Item...", kModifyMemoAsSetDate, "Alt+Return", kSep)}),
       Cmd("&Note", kNote, "Ctrl+E", kL),
       Cmd("&Add Date && Time to Item Title", kAddDateTimeToTitle, "Ctrl+Shift+T"),
       Cmd("&Undelete Item (or Project)", kUndelete, "Ctrl+Shift+Z", kL | kSep),
       Cmd("&Delete Item", kDeleteItem, "Del", kL),
       Cmd("De&lete All Recurrences", kDeleteAllRecurrences, "Ctrl+Del", kL),
       Cmd("Delete [Sample] && [Less&on] Items", kDeleteSampleItems, kL),
       Cmd("Delete [Special Da&y] Items", kDeleteSpecialDayItems, kL),
       Cmd("&Start/Unstart", kStartUnstart, "F5", kSep), Cmd("&Interrupt...", kInterrupt, "Pause"),
       Cmd("Don&e!", kDone, "Space", kL),
       Pop("Ad&vanced Timekeeping",
           {Cmd("Start With Countdown Timer", kStartWithCountdown, "Ctrl+F5"),
            Cmd("Start && Fill Gap Since Last Done", kStartFillGap, "Alt+F5"),
            Cmd("Done w/ Current End Time", kDoneCurrentEnd, "Ctrl+Space", kSep),
            Cmd("Done w/ Earlier End Time", kDoneEarlierEnd, "Shift+Space"),
            Cmd("Done && Fill Gap", kDoneFillGap, "Ctrl+Shift+Space"),
            Cmd("Done For Now && Finish Later", kDoneForNow, "Ctrl+F6"),
            Cmd("Record Failed Attempt", kRecordFailedAttempt, "F6", kSep),
            Cmd("Cancel Item", kCancelItem, "Ctrl+Shift+F6")}),
       Cmd("Cu&t", kCut, "Ctrl+X", kL | kSep), Cmd("&Copy", kCopy, "Ctrl+C", kL),
       Cmd("&Paste", kPaste, "Ctrl+V", kL)}));

  menu.push_back(Pop(
      "&View",
      {Cmd("&Day View", kDayView, "Ctrl+S", kL),
       Cmd("My M&ultiple Day View", kMyMultipleDayView, "Ctrl+W", kL),
       Pop("Multiple Day View", {Cmd("Next 2 Days", kNext2Days), Cmd("Next 3 Days", kNext3Days),
                                 Cmd("Next 4 Days", kNext4Days), Cmd("Next 5 Days", kNext5Days),
                                 Cmd("Next 6 Days", kNext6Days), Cmd("Next 7 Days", kNext7Days)}),
       Pop("Multiple Day View Tiling",
           {Grouped(Cmd("Tile &Vertically", kTileVertically, kL), kGroupTiling),
            Grouped(Cmd("Tile &Horizontally", kTileHorizontally, kL), kGroupTiling),
            Grouped(Cmd("&Grid", kTileGrid, kL), kGroupTiling)}),
       Cmd("&Month View", kMonthView, "Ctrl+M", kL | kSep),
       Cmd("&Priority View", kPriorityView, "Ctrl+R"),
       Cmd("&Alphabetical View", kAlphabeticalView, "Ctrl+A", kL),
       Cmd("Pro&jects List", kProjectsList, "Ctrl+J"),
       Cmd("Projects &Tree", kProjectsTree, "Ctrl+T"),
       Cmd("&Locations", kLocations, "Ctrl+L"),
       Cmd("Launch &Web Site In Title", kLaunchWebSite, "F11", kSep),
       Cmd("&Filters", kFilters, "Shift+F"),
       Cmd("Tool&bar", kToolbar, kL | kCheck),
       Cmd("Focus &Now", kFocusNow, "Backspace", kCheck),
       Cmd("Hide Done Items (and projects)", kHideDoneItems, "Ctrl+Shift+D", kCheck),
       Cmd("31-Day Busy Navigator", kBusyNavigator, "Ctrl+H", kL | kSep),
       Pop("&Calendar Window",
           {Cmd("Display Calendar Window", kShowCalendarWindow, kL),
            Cmd("Hide Calendar Window", kHideCalendarWindow, kL),
            Cmd("D&ocked (rather than floating)", kCalendarDocked, kL | kSep | kCheck),
            Grouped(Cmd("Darken Busier Days", kDarkenBusierDays, kL | kSep), kGroupDarken),
            Grouped(Cmd("Don't Darken Busier Days", kDontDarkenBusierDays, kL), kGroupDarken)},
           kL),
       Cmd("4-4-5 Mode (Calendar and Date Picker)", kFourFourFiveMode, kCheck),
       Cmd("Browse Notes Mode", kBrowseNotesMode, "Ctrl+N", kCheck),
       Cmd("Item Title", kShowItemTitle, "Shift+V", kSep | kCheck),
       Cmd("Item Or Project Creation Time", kShowCreationTime, "Shift+C", kCheck),
       Cmd("Split Item Breakdown", kSplitItemBreakdown, "Ctrl+K", kSep)}));

  menu.push_back(
      Pop("&Insert",
          {Twin("&New Item...", kNewItem, kNewItemLight, "Ins", 0),
           Cmd("New &Appointment Item...", kNewAppointment, "Ctrl+Ins"),
           Cmd("New Multi-day &Event Item...", kNewMultiDayEvent, "Shift+Ins"),
           Cmd("New &Memo Item...", kNewMemo, "Alt+Ins"),
           Cmd("New &Birthday Memo Item...", kNewBirthdayMemo, "Ctrl+Shift+Ins"),
           Cmd("New Anni&versary Memo Item...", kNewAnniversaryMemo, "Ctrl+Alt+Shift+Ins"),
           Cmd("New &Work Holiday Memo Item", kNewWorkHolidayMemo, "Alt+Shift+Ins"),
           Cmd("New &Done Item...", kNewDoneItem, "F10", kSep), Cmd("New &Project...", kNewProject),
           Cmd("D&uplicate Selected Item", kDuplicate, "\"", kSep)}));

  menu.push_back(Pop("&Gapfillers", {Cmd("", kGapfillers)}));

  menu.push_back(Pop(
      "&Navigate",
      {Cmd("&Previous Item", kPreviousItem, "Up", kL), Cmd("&Next Item", kNextItem, "Down", kL),
       Cmd("Scroll Up", kScrollUp, "Ctrl+PgUp"), Cmd("Scroll Down", kScrollDown, "Ctrl+PgDown"),
       Cmd("&Top of List", kTopOfList, "Ctrl+Home", kL),
       Cmd("&Bottom of List", kBottomOfList, "Ctrl+End", kL),
       Cmd("T&oday", kToday, "Home", kL | kSep), Cmd("Pre&vious Day", kPreviousDay, "-", kL),
       Cmd("Ne&xt Day", kNextDay, "+", kL), Cmd("7 Days Back", kWeekBack, "F7", kL),
       Cmd("7 Days Forward", kWeekForward, "F8", kL), Cmd("&Go To Date...", kGoToDate, "F9", kL),
       Cmd("&Earliest Day with Undone Items", kEarliestUndoneDay, "End"),
       Cmd("Previous View &Window", kPreviousViewWindow, "Left", kL | kSep),
       Cmd("Next View W&indow", kNextViewWindow, "Right", kL),
       Cmd("&Find...", kFind, "Ctrl+F", kL | kSep), Cmd("Fin&d Next", kFindNext, "Ctrl+G", kL),
       Cmd("Find Previo&us", kFindPrevious, kL)}));

  menu.push_back(
      Pop("&Balance",
          {Pop("&Move Item",
               {Cmd("Move Earlier in Day", kMoveEarlierInDay, "Ctrl+Up", kL),
                Cmd("Move Later in Day", kMoveLaterInDay, "Ctrl+Down", kL),
                Cmd("Move to Previous Day", kMoveToPreviousDay, "Ctrl+Left", kL),
                Cmd("Move to Next Day", kMoveToNextDay, "Ctrl+Right", kL),
                Cmd("Move to 7 Days Back", kMoveWeekBack, "Ctrl+F7", kL),
                Cmd("Move to 7 Days Forward", kMoveWeekForward, "Ctrl+F8", kL),
                Cmd("Postpone One Hour", kPostponeOneHour, "Ctrl+D", kSep)},
               kL),
           Cmd("Bring &Forward Past Undones To This Day", kBringForward, "F12", kL),
           Cmd("Balance &Day", kBalanceDay, "Alt+F11", kSep),
           Cmd("Balance &All Days", kBalanceAllDays, "Alt+F8"),
           Pop("&Lighten Load",
               {Cmd("by priority", kLightenLoadByPriority, "Alt+Shift+Down"),
                Cmd("by urgency", kLightenLoadByUrgency, "Ctrl+Shift+Down")},
               kSep),
           Cmd("&Increase Load", kIncreaseLoad, "Alt+Shift+Up"),
           Cmd("&Raise Priority", kRaisePriority, kSep), Cmd("Lo&wer Priority", kLowerPriority),
           Cmd("&Earlier Set Start Time", kEarlierSetStartTime, kSep),
           Cmd("La&ter Set Start Time", kLaterSetStartTime),
           Cmd("&Shorter Duration", kShorterDuration, "Alt+Left", kSep),
           Cmd("Lo&nger Duration", kLongerDuration, "Alt+Right")}));

  menu.push_back(Pop(
      "&Tools",
      {Cmd("&Stopwatch", kStopwatch, "Shift+T", kL),
       Cmd("&Countdown Timer", kCountdownTimer, "Shift+D", kL),
       Cmd("&Update Computer Clock (via Internet)", kUpdateComputerClock),
       Cmd("&Dial / Their Time && Location", kDialTheirTime, "Shift+A", kL | kSep),
       Cmd("Area Codes &List (N. America)", kAreaCodes, kL), Cmd("&Address Book", kAddressBook, kL),
       Cmd("Send &Message To Ploven Users", kSendMessageToUsers, kSep),
       Cmd("&Read Ploven Messages", kReadMessages)}));

  menu.push_back(Pop(
      "&Reports",
      {Cmd("&Daily Time By Project Report...", kDailyTimeByProjectReport),
       Cmd("&Items Report (by project)...", kItemsReport),
       Cmd("&Viewed Month's Done Items Log", kDoneItemsLog), Cmd("S&leep Report", kSleepReport),
       Pop("&Statistics",
           {Cmd("Viewed Day Turnover Score (by project)", kDayTurnoverScore, "Ctrl+Y"),
            Cmd("Week/Month Turnover Score", kWeekMonthTurnoverScore),
            Cmd("Weekly Time Spent On Life Projects (past 26 weeks)", kWeeklyLifeProjectsTime,
                kSep),
            Cmd("Daily Time Spent On Tagged Projects (7 days)", kDailyTaggedProjectsTime),
            Cmd("Weekly Time Spent On Tagged Projects (past 26 weeks)", kWeeklyTaggedProjectsTime),
            Cmd("Tag/Untag Project (to be counted above)", kTagUntagProject, kSep)},
           kSep)}));

  menu.push_back(Pop("&Multiusers", {Cmd("", kMultiusers)}));

  menu.push_back(
      Pop("&Settings",
          {Grouped(Cmd("&Light Mode", kLightMode, kL), kGroupMode),
           Grouped(Cmd("&Pro Mode", kProMode, kL), kGroupMode),
           Cmd("&New Item Preferences...", kNewItemPreferences, kSep),
           Cmd("&Day Bounds Settings...", kDayBoundsSettings),
           Cmd("&Work Hours Settings...", kWorkHoursSettings),
           Pop("&Fonts Settings",
               {Pop("&Screen Fonts",
                    {Cmd("Day Views &Headings Font...", kScreenHeadingsFont, kL),
                     Cmd("Day Views &Text (and Set Start Times) Font...", kScreenTextFont, kL),
                     Cmd("Day Views &Fluid Item Begin Times Font...", kScreenFluidBeginFont),
                     Cmd("&Month View Text Font...", kScreenMonthFont, kL),
                     Cmd("&Note Font...", kScreenNoteFont, kL)},
                    kL),
                Pop("&Printer Fonts",
                    {Cmd("&Headings Font...", kPrinterHeadingsFont, kL),
                     Cmd("&Normal Text Font...", kPrinterTextFont, kL),
                     Cmd("&Appointment Calendar Text (except wk/pg) and Item Begin Times Font...",
                         kPrinterCalendarFont, kL)},
                    kL)},
               kL | kSep),
           Cmd("&Colors Settings...", kColorsSettings), Cmd("La&bels Settings...", kLabelsSettings),
           Cmd("M&y Multiple Day View Settings...", kMyMultipleDayViewSettings, kL),
           Cmd("B&alance Settings...", kBalanceSettings, kSep),
           Cmd("Ala&rms Settings...", kAlarmsSettings, "Alt+A", kL),
           Cmd("T&ime Zones Settings...", kTimeZonesSettings),
           Cmd("W&orld Clocks / Stock Ticker Settings...", kWorldClocksSettings),
           Cmd("&Value of Time Settings...", kValueOfTimeSettings),
           Cmd("Printo&uts Settings...", kPrintoutsSettings, kL),
           Cmd("Synchroni&zation Settings...", kSynchronizationSettings, kSep),
           Cmd("User Na&me Setting...", kUserNameSetting, kL),
           Cmd("Pa&sswords Settings...", kPasswordsSettings),
           Cmd("O&ther Settings...", kOtherSettings, "Alt+O", kL | kSep)}));

  menu.push_back(
      Pop("&Help", {Cmd("Ploven &Help", kHelp, "F1", kL),
                    Cmd("&Keyboard Shortcuts", kKeyboardShortcuts, "Shift+F1", kL),
                    Cmd("Load Ploven &Tutorial", kLoadTutorial, kL),
                    Cmd("Get Technical &Support...", kTechnicalSupport, kL | kSep),
                    Cmd("&Forum", kWebForum, kL | kSep), Cmd("&Updates", kWebUpdates, kL),
                    Cmd("&Bulletins", kWebBulletins, kL), Cmd("S&eminar", kWebSeminar, kL),
                    Cmd("Su&ggestions", kWebSuggestions, kL),
                    Cmd("&Custom-Feature Quotes", kWebCustomFeatureQuotes, kL),
                    Cmd("&About Ploven", kAbout, "Ctrl+Shift+N", kL | kSep)}));
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
  if (def.command != Command::kNone) return (def.marks & kL) != 0;
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
    node.command = mode == MenuMode::kLight && def.lightCommand != Command::kNone ? def.lightCommand
                                                                                  : def.command;
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
void AddBinding(std::vector<KeyBinding>& table, std::string keys, Command command) {
  for (const KeyBinding& binding : table) {
    if (binding.keys == keys && binding.command == command) return;
  }
  table.push_back({std::move(keys), command});
}

std::vector<KeyBinding> BuildAccelerators(MenuMode mode) {
  using enum Command;
  std::vector<KeyBinding> table;
  CollectKeys(MainMenu(mode), table);
  const bool pro = mode == MenuMode::kPro;
  // The numeric keypad's Enter is the same key as Return to the user.
  AddBinding(table, "Enter", kModifyItem);
  AddBinding(table, "Ctrl+Enter", kModifyAllRecurrences);
  if (pro) AddBinding(table, "Alt+Enter", kModifyMemoAsSetDate);
  AddBinding(table, "PgUp", kPageUp);
  AddBinding(table, "PgDown", kPageDown);
  AddBinding(table, "Ctrl+Tab", kSwitchWindowFocus);
  if (!pro) AddBinding(table, "Tab", kSwitchWindowFocus);
  AddBinding(table, "Ctrl+U", kMultipleDayViewKey);
  AddBinding(table, "End", kEarliestUndoneDay);
  AddBinding(table, "Ctrl+Shift+A", kRequestWriteAccess);
  AddBinding(table, "\"", kDuplicate);
  AddBinding(table, "Shift+Del", kCut);
  AddBinding(table, "Shift+Z", kOtherSettings);
  AddBinding(table, "Num++", kNextDay);
  AddBinding(table, "Num+-", kPreviousDay);
  if (pro) {
    AddBinding(table, "Alt+Up", kKeyAltUp);
    AddBinding(table, "Alt+Down", kKeyAltDown);
    AddBinding(table, "$", kKeyDollar);
    AddBinding(table, "Ctrl+Alt+G", kKeyCtrlAltG);
    AddBinding(table, "Ctrl+Shift+J", kRestoreFromTray);
    AddBinding(table, "Ctrl+Alt+L", kKeyCtrlAltL);
    AddBinding(table, "Ctrl+Shift+Del", kKeyCtrlShiftDelete);
    AddBinding(table, "Ctrl+Alt+Shift+Del", kKeyCtrlAltShiftDelete);
    AddBinding(table, "Ctrl+Shift+F2", kKeyCtrlShiftF2);
    AddBinding(table, "F4", kKeyF4);  // shadowed by Sequenced, which comes first
    AddBinding(table, "Ctrl+Alt+Ins", kNewItem);
    AddBinding(table, "Ctrl+Alt+Down", kLightenLoadByPriority);
    AddBinding(table, "Alt+Shift+Down", kLightenLoadByPriority);
    AddBinding(table, "Ctrl+Alt+Up", kIncreaseLoad);
    AddBinding(table, "Alt+Shift+Up", kIncreaseLoad);
  }
  return table;
}

const MenuNode* FindNode(const std::vector<MenuNode>& nodes, Command command) {
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

Command CommandForKeys(MenuMode mode, std::string_view keys) {
  const std::string wanted = NormalizeKeys(keys);
  for (const KeyBinding& binding : Accelerators(mode)) {
    if (binding.keys == wanted) return binding.command;
  }
  return Command::kNone;
}

const std::vector<MenuNode>& TrayMenu() {
  static const std::vector<MenuNode> kTray = [] {
    std::vector<MenuNode> items(3);
    items[0].title = "&Restore Ploven";
    items[0].command = Command::kRestoreFromTray;
    items[1].title = "&New Item...";
    items[1].command = Command::kTrayNewItem;
    items[2].title = "&Close This Ploven Schedule";
    items[2].command = Command::kTrayCloseSchedule;
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

std::string CommandLabel(Command command) {
  if (command == Command::kNone || IsPlaceholderCommand(command)) return "";
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

bool IsPlaceholderCommand(Command command) {
  return command == Command::kGapfillers || command == Command::kMultiusers;
}

}  // namespace ploven
