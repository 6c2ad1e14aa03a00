#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/layout_record.h"
#include "platform/settings.h"

namespace ploven {

// The menu command that "PopCalTiled" ticks ("D&ocked (rather than floating)").
inline constexpr int kPopCalTiledCommand = CommandNumber(Command::kCalendarDocked);

// What the platform's locale says, since there is no system setting to read them from.
struct LocaleFacts {
  bool weekStartsMonday = false;
  int firstWeekRule = 0;
  int country = 1;  // decides the weekend days
};

// Workday0..6 (Sunday..Saturday) for a country: 1 unless a weekend day there.
std::array<int, 7> DefaultWorkdays(int country);

// Every program-wide setting read at start, with its default. The owning parts
// give each its meaning; this only loads and saves them.
struct ProgramSettings {
  int lifeProject = 0;
  int balanceLightensLoad = 0;
  int plovenStartupGroup = 0;
  int worldTimeline = 1;
  int showDoneTaskTimes = 1;
  int weekviewEventsOnly = 0;
  int monthviewEventsOnly = 0;
  int monthviewVitalsOnly = 0;
  int monthviewBeginTimes = 0;
  int monthviewDaysSpans = 0;
  int monthviewWkOfYr = 0;
  int alarmsRingOnce = 0;
  int alarmsSilent = 0;
  int alarmsShared = 0;
  int hideGaps = 0;
  int showConflictLens = 0;
  int showSchedStats = 0;
  int showEndTimes = 0;
  int showTaskTimes = 1;
  int keyIncre1min = 0;
  int showOppCosts = 0;
  int showProjectName = 0;
  int showMoons = 1;
  int moonAM = 0;
  int disableAutosave = 0;
  int toolbarOn = 1;
  int noPastStrikes = 0;
  int timespace = 1;
  int shading = 1;
  int chimes = 0;
  int weekStartsMon = 0;  // default from LocaleFacts
  int filterTitleCheckbox = 0;
  int projectFilter = 0;
  int filterJobCheckbox = 0;
  int presentFilter = 0;
  int filterLabels = 0;
  int filterMinimumDurCheckbox = 0;
  int routineFilter = 0;
  int filterTodayOnly = 0;
  int filterConflictsOnly = 0;
  int showFilterOnCalendarWindow = 1;
  int firstWeekRule = 0;  // default from LocaleFacts
  int popCalTiled = 0;
  int errorLogExtreme = 0;
  std::array<int, 7> workday{0, 1, 1, 1, 1, 1, 0};  // default from the country
  int autoPilotTimerVar = 19;
  int balanceTodayTimerVar = 1;
  int autoPilot = 0;
  int autoBalanceDay = 0;
  int autoBringForward = 0;
  int expectedReturnsActive = 0;
  int suppressAlarmsUntilDate = 32508;
  int suppressAlarmsUntilTime = 0;
  int calendarWeeks = 6;
  int yearFirstWeekAdjust = 0;
  int costOfMoney = 6;
  int nBatting = 3;
  int minFreeLenShow = 9999;
  int filterMinimumDurMinutes = 60;
  int enableHideDoneItems = 0;
  int enableChangeViewtoDayofNewItem = 0;
  int palmEnable = 0;
  int outlookToPloven = 0;
  int plovenOutlook = 0;
  int filtersDockWithCalendar = 1;
  int plovenToOutlookAppts = 1;
  int plovenToOutlookTasks = 1;
  int outlookToPlovenAppts = 1;
  int outlookToPlovenTasks = 1;
  int caseFilter = 0;

  std::optional<SettingsRect> timerPos;  // countdown timer window
  std::string errorLog = "NO";

  // COLORREF numbers: red in the low byte.
  uint32_t colorNormalBackground = 13107199;  // 255, 255, 199
  uint32_t colorNormalText = 14221312;        // 0, 0, 217
  uint32_t colorFluid = 8421440;              // 64, 128, 128
  uint32_t colorUnscheduled = 5415936;        // 0, 164, 82
  uint32_t colorDone = 4629503;               // 255, 163, 70
  uint32_t colorFreeTime = 15530732;          // 236, 250, 236
  uint32_t colorPastTime = 14869218;          // 226, 226, 226
  uint32_t colorSelection = 16766654;         // 190, 214, 255

  // Reads every setting. popCalTick gets the tick of the "PopCalTiled" menu item;
  // log gets the lines to log. "PlovenOutlook" is written back as 0 or 1.
  void Load(Settings& settings, const LocaleFacts& locale,
            const std::function<void(int menuCommand, bool checked)>& tick = {},
            const std::function<void(const std::string&)>& log = {});

  // Writes the integer settings, the workdays and the layout record. Does nothing
  // while start-up is in progress (returns false then, and when a file could not
  // be written).
  bool WriteAll(Settings& settings, bool startupInProgress, long userNumber,
                const LayoutRecord& layout) const;

  // Writes one integer setting by its key, or the seven workdays, when a settings dialog takes
  // new values over. False when the key is not an integer setting or a file was not written.
  bool WriteInt(Settings& settings, std::string_view key) const;
  bool WriteWorkdays(Settings& settings) const;
  // Writes the five colours (Colors Settings).
  bool WriteColours(Settings& settings) const;

  // The integer settings by key (every key WriteInt writes), in the order they are read: the
  // value held now, and a new value taken over (false for a key that is not one of them).
  static std::vector<std::string_view> IntKeys();
  std::optional<int> IntValue(std::string_view key) const;
  bool SetIntValue(std::string_view key, int value);

  // Event-trace entries go straight to the log.
  bool ErrorLogOn() const;
};

}  // namespace ploven
