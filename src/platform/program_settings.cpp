#include "platform/program_settings.h"

#include "platform/event_trace.h"
#include "platform/format.h"
#include "platform/platform_messages.h"
#include "platform/settings_keys.h"

namespace ploven {

namespace {


struct IntSetting {
  const char* key;
  int ProgramSettings::*member;
};

// The integer and flag settings in the order they are read; each default is the
// member's initial value. WeekStartsMon, FirstWeekRule and the workdays take
// their defaults from the locale and are handled apart.
constexpr IntSetting kIntSettings[] = {
    {key::kLifeProject, &ProgramSettings::lifeProject},
    {key::kBalanceLightensLoad, &ProgramSettings::balanceLightensLoad},
    {key::kPlovenStartupGroup, &ProgramSettings::plovenStartupGroup},
    {key::kWorldTimeline, &ProgramSettings::worldTimeline},
    {key::kShowDoneTaskTimes, &ProgramSettings::showDoneTaskTimes},
    {key::kWeekviewEventsOnly, &ProgramSettings::weekviewEventsOnly},
    {key::kMonthviewEventsOnly, &ProgramSettings::monthviewEventsOnly},
    {key::kMonthviewVitalsOnly, &ProgramSettings::monthviewVitalsOnly},
    {key::kMonthviewBeginTimes, &ProgramSettings::monthviewBeginTimes},
    {key::kMonthviewDaysSpans, &ProgramSettings::monthviewDaysSpans},
    {key::kMonthviewWkOfYr, &ProgramSettings::monthviewWkOfYr},
    {key::kAlarmsRingOnce, &ProgramSettings::alarmsRingOnce},
    {key::kAlarmsSilent, &ProgramSettings::alarmsSilent},
    {key::kAlarmsShared, &ProgramSettings::alarmsShared},
    {key::kHideGaps, &ProgramSettings::hideGaps},
    {key::kShowConflictLens, &ProgramSettings::showConflictLens},
    {key::kShowSchedStats, &ProgramSettings::showSchedStats},
    {key::kShowEndTimes, &ProgramSettings::showEndTimes},
    {key::kShowTaskTimes, &ProgramSettings::showTaskTimes},
    {key::kKeyIncre1min, &ProgramSettings::keyIncre1min},
    {key::kShowOppCosts, &ProgramSettings::showOppCosts},
    {key::kShowProjectName, &ProgramSettings::showProjectName},
    {key::kShowMoons, &ProgramSettings::showMoons},
    {key::kMoonAM, &ProgramSettings::moonAM},
    {key::kDisableAutosave, &ProgramSettings::disableAutosave},
    {key::kToolbarOn, &ProgramSettings::toolbarOn},
    {key::kNoPastStrikes, &ProgramSettings::noPastStrikes},
    {key::kTimespace, &ProgramSettings::timespace},
    {key::kShading, &ProgramSettings::shading},
    {key::kChimes, &ProgramSettings::chimes},
    {key::kFilterTitleCheckbox, &ProgramSettings::filterTitleCheckbox},
    {key::kProjectFilter, &ProgramSettings::projectFilter},
    {key::kFilterJobCheckbox, &ProgramSettings::filterJobCheckbox},
    {key::kPresentFilter, &ProgramSettings::presentFilter},
    {key::kFilterLabels, &ProgramSettings::filterLabels},
    {key::kFilterMinimumDurCheckbox, &ProgramSettings::filterMinimumDurCheckbox},
    {key::kRoutineFilter, &ProgramSettings::routineFilter},
    {key::kFilterTodayOnly, &ProgramSettings::filterTodayOnly},
    {key::kFilterConflictsOnly, &ProgramSettings::filterConflictsOnly},
    {key::kShowFilterOnCalendarWindow, &ProgramSettings::showFilterOnCalendarWindow},
    {key::kErrorLogExtreme, &ProgramSettings::errorLogExtreme},
    {key::kAutoPilotTimerVar, &ProgramSettings::autoPilotTimerVar},
    {key::kBalanceTodayTimerVar, &ProgramSettings::balanceTodayTimerVar},
    {key::kAutoPilot, &ProgramSettings::autoPilot},
    {key::kAutoBalanceDay, &ProgramSettings::autoBalanceDay},
    {key::kAutoBringForward, &ProgramSettings::autoBringForward},
    {key::kExpectedReturnsActive, &ProgramSettings::expectedReturnsActive},
    {key::kSuppressAlarmsUntilDate, &ProgramSettings::suppressAlarmsUntilDate},
    {key::kSuppressAlarmsUntilTime, &ProgramSettings::suppressAlarmsUntilTime},
    {key::kCalendarWeeks, &ProgramSettings::calendarWeeks},
    {key::kYearFirstWeekAdjust, &ProgramSettings::yearFirstWeekAdjust},
    {key::kCostOfMoney, &ProgramSettings::costOfMoney},
    {key::kNBatting, &ProgramSettings::nBatting},
    {key::kMinFreeLenShow, &ProgramSettings::minFreeLenShow},
    {key::kFilterMinimumDurMinutes, &ProgramSettings::filterMinimumDurMinutes},
    {key::kEnableHideDoneItems, &ProgramSettings::enableHideDoneItems},
    {key::kEnableChangeViewtoDayofNewItem, &ProgramSettings::enableChangeViewtoDayofNewItem},
    {key::kPalmEnable, &ProgramSettings::palmEnable},
    {key::kOutlookToPloven, &ProgramSettings::outlookToPloven},
    {key::kPlovenOutlook, &ProgramSettings::plovenOutlook},
    {key::kFiltersDockWithCalendar, &ProgramSettings::filtersDockWithCalendar},
    {key::kPlovenToOutlookAppts, &ProgramSettings::plovenToOutlookAppts},
    {key::kPlovenToOutlookTasks, &ProgramSettings::plovenToOutlookTasks},
    {key::kOutlookToPlovenAppts, &ProgramSettings::outlookToPlovenAppts},
    {key::kOutlookToPlovenTasks, &ProgramSettings::outlookToPlovenTasks},
    {key::kCaseFilter, &ProgramSettings::caseFilter},
};

struct ColourSetting {
  const char* key;
  uint32_t ProgramSettings::*member;
};

constexpr ColourSetting kColourSettings[] = {
    {key::kColorNormalBackground, &ProgramSettings::colorNormalBackground},
    {key::kColorNormalText, &ProgramSettings::colorNormalText},
    {key::kColorFluid, &ProgramSettings::colorFluid},
    {key::kColorUnscheduled, &ProgramSettings::colorUnscheduled},
    {key::kColorDone, &ProgramSettings::colorDone},
    {key::kColorFreeTime, &ProgramSettings::colorFreeTime},
    {key::kColorPastTime, &ProgramSettings::colorPastTime},
    {key::kColorSelection, &ProgramSettings::colorSelection},
};

std::string WorkdayKey(int day) { return Sprintf(key::kWorkdayFormat, day); }

}  // namespace

std::array<int, 7> DefaultWorkdays(int country) {
  std::array<int, 7> days{1, 1, 1, 1, 1, 1, 1};
  switch (country) {
    case 20:
    case 213:  // Thursday and Friday
      days[4] = days[5] = 0;
      break;
    case 212:
    case 216:
    case 218:
    case 222:  // Friday and Saturday
      days[5] = days[6] = 0;
      break;
    default:  // Saturday and Sunday
      days[6] = days[0] = 0;
      break;
  }
  return days;
}

void ProgramSettings::Load(Settings& settings, const LocaleFacts& locale,
                           const std::function<void(int menuCommand, bool checked)>& tick,
                           const std::function<void(const std::string&)>& log) {
  const ProgramSettings defaults;
  for (const IntSetting& s : kIntSettings) {
    this->*s.member = settings.ReadInt(s.key, EncodedDefault(defaults.*s.member));
  }
  weekStartsMon = settings.ReadInt(key::kWeekStartsMon,
                                   EncodedDefault(locale.weekStartsMonday ? 1 : 0));
  firstWeekRule = settings.ReadInt(key::kFirstWeekRule, EncodedDefault(locale.firstWeekRule));
  popCalTiled = settings.ReadFlag(key::kPopCalTiled, EncodedDefault(defaults.popCalTiled),
                                  [&](bool checked) {
                                    if (tick) tick(kPopCalTiledCommand, checked);
                                  });
  const std::array<int, 7> weekdays = DefaultWorkdays(locale.country);
  for (int day = 0; day < 7; ++day) {
    workday[static_cast<size_t>(day)] =
        settings.ReadInt(WorkdayKey(day), EncodedDefault(weekdays[static_cast<size_t>(day)]));
  }

  plovenOutlook = plovenOutlook != 0 ? 1 : 0;
  settings.WriteInt(key::kPlovenOutlook, plovenOutlook);

  timerPos = settings.ReadRect(key::kTimerPos);
  errorLog = settings.ReadString(key::kErrorLog, defaults.errorLog);
  for (const ColourSetting& c : kColourSettings) {
    this->*c.member = settings.ReadColour(c.key, defaults.*c.member);
  }
  if (errorLogExtreme != 0 && log) log(msg::kExtremeLogging);
}

bool ProgramSettings::WriteAll(Settings& settings, bool startupInProgress, long userNumber,
                               const LayoutRecord& layout) const {
  if (startupInProgress) return false;
  settings.TakeSaveFailure();
  bool stored = true;
  {
    Settings::Batch batch(settings);
    for (const IntSetting& s : kIntSettings) stored &= settings.WriteInt(s.key, this->*s.member);
    stored &= settings.WriteInt(key::kWeekStartsMon, weekStartsMon);
    stored &= settings.WriteInt(key::kFirstWeekRule, firstWeekRule);
    stored &= settings.WriteInt(key::kPopCalTiled, popCalTiled);
    stored &= WriteWorkdays(settings);
    stored &= WriteLayoutRecord(settings, userNumber, layout);
  }
  return !settings.TakeSaveFailure() && stored;
}

bool ProgramSettings::WriteInt(Settings& settings, std::string_view name) const {
  for (const IntSetting& s : kIntSettings)
    if (name == s.key) return settings.WriteInt(s.key, this->*s.member);
  if (name == key::kWeekStartsMon) return settings.WriteInt(name, weekStartsMon);
  if (name == key::kFirstWeekRule) return settings.WriteInt(name, firstWeekRule);
  if (name == key::kPopCalTiled) return settings.WriteInt(name, popCalTiled);
  return false;
}

std::vector<std::string_view> ProgramSettings::IntKeys() {
  std::vector<std::string_view> keys;
  for (const IntSetting& s : kIntSettings) keys.emplace_back(s.key);
  keys.insert(keys.end(), {key::kWeekStartsMon, key::kFirstWeekRule, key::kPopCalTiled});
  return keys;
}

std::optional<int> ProgramSettings::IntValue(std::string_view name) const {
  for (const IntSetting& s : kIntSettings)
    if (name == s.key) return this->*s.member;
  if (name == key::kWeekStartsMon) return weekStartsMon;
  if (name == key::kFirstWeekRule) return firstWeekRule;
  if (name == key::kPopCalTiled) return popCalTiled;
  return std::nullopt;
}

bool ProgramSettings::SetIntValue(std::string_view name, int value) {
  int* member = nullptr;
  for (const IntSetting& s : kIntSettings)
    if (name == s.key) member = &(this->*s.member);
  if (name == key::kWeekStartsMon) member = &weekStartsMon;
  if (name == key::kFirstWeekRule) member = &firstWeekRule;
  if (name == key::kPopCalTiled) member = &popCalTiled;
  if (member == nullptr) return false;
  *member = value;
  return true;
}

bool ProgramSettings::WriteWorkdays(Settings& settings) const {
  bool stored = true;
  for (int day = 0; day < 7; ++day) {
    stored &= settings.WriteInt(WorkdayKey(day), workday[static_cast<size_t>(day)]);
  }
  return stored;
}

bool ProgramSettings::WriteColours(Settings& settings) const {
  settings.TakeSaveFailure();
  bool stored = true;
  {
    Settings::Batch batch(settings);
    for (const ColourSetting& c : kColourSettings)
      stored &= settings.WriteInt(c.key, static_cast<long>(this->*c.member));
  }
  return !settings.TakeSaveFailure() && stored;
}

bool ProgramSettings::ErrorLogOn() const { return ErrorLogSettingOn(errorLog); }

}  // namespace ploven
