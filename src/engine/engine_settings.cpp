#include "engine/engine_settings.h"

#include <algorithm>
#include <charconv>

#include "platform/format.h"
#include "platform/program_settings.h"
#include "platform/settings.h"
#include "platform/settings_keys.h"
#include "store/schedule.h"
#include "store/schedule_header.h"

namespace ploven {
namespace {
}  // namespace

EngineSettings ReadEngineSettings(const ScheduleHeader& header, const Settings& settings,
                                  int country) {
  EngineSettings e;
  e.reserveToday = std::max<int>(0, header.Get<int16_t>(ScheduleHeader::kReserveToday));
  e.reserveFutureDay = std::max<int>(0, header.Get<int16_t>(ScheduleHeader::kReserveFuture));
  e.keepClearFrom = header.Get<int16_t>(ScheduleHeader::kKeepClearFrom);
  e.keepClearThrough = header.Get<int16_t>(ScheduleHeader::kKeepClearThrough);
  const std::array<int, 7> defaults = DefaultWorkdays(country);
  for (int day = 0; day < 7; ++day) {
    const auto i = static_cast<size_t>(day);
    e.workWeek.workdays[i] =
        settings.ReadInt(Sprintf(key::kWorkdayFormat, day), EncodedDefault(defaults[i])) != 0;
  }
  e.lifeProjects = settings.ReadInt(key::kLifeProject, EncodedDefault(0)) != 0;
  e.balanceLightensLoad = settings.ReadInt(key::kBalanceLightensLoad, EncodedDefault(0)) != 0;
  e.autoPilotInterval = settings.ReadInt(key::kAutoPilotTimerVar, EncodedDefault(19));
  e.balanceDayInterval = settings.ReadInt(key::kBalanceTodayTimerVar, EncodedDefault(1));
  e.autoPilot = settings.ReadInt(key::kAutoPilot, EncodedDefault(0)) != 0;
  e.autoBalanceDay = settings.ReadInt(key::kAutoBalanceDay, EncodedDefault(0)) != 0;
  e.autoBringForward = settings.ReadInt(key::kAutoBringForward, EncodedDefault(0)) != 0;
  return e;
}

bool ReadExpectedReturnsActive(const Settings& settings) {
  return settings.ReadInt(key::kExpectedReturnsActive, EncodedDefault(0)) != 0;
}

void RereadEngineSettings(Engine& engine, const Settings& settings, int country) {
  Schedule& s = engine.schedule();
  EngineSettings read = ReadEngineSettings(s.header(), settings, country);
  const EngineSettings& was = engine.settings();
  read.doneLogFiles = was.doneLogFiles;
  read.dailyReminderInUse = was.dailyReminderInUse;
  engine.settings() = read;
  s.priorityIndex().SetExpectedReturnsActive(ReadExpectedReturnsActive(settings));
}

std::optional<int> ReadTimerInterval(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return std::nullopt;
  const size_t end = text.find_last_not_of(" \t") + 1;
  int value = 0;
  const char* first = text.data() + begin;
  const char* last = text.data() + end;
  const auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr != last) return std::nullopt;
  if (value < kShortestTimerInterval || value > kLongestTimerInterval) return std::nullopt;
  return value;
}

OtherSettings OtherSettingsOf(const ProgramSettings& p) {
  OtherSettings o;
  o.lifeProjects = p.lifeProject != 0;
  o.balanceLightensLoad = p.balanceLightensLoad != 0;
  o.autoPilot = p.autoPilot != 0;
  o.autoPilotInterval = p.autoPilotTimerVar;
  o.autoBalanceDay = p.autoBalanceDay != 0;
  o.balanceDayInterval = p.balanceTodayTimerVar;
  o.autoBringForward = p.autoBringForward != 0;
  o.expectedReturnsActive = p.expectedReturnsActive != 0;
  o.hideDoneItems = p.enableHideDoneItems != 0;
  return o;
}

bool StoreOtherSettings(const OtherSettings& values, ProgramSettings& program,
                        Settings& settings) {
  struct Field {
    const char* key;
    int* member;
    int value;
  };
  const Field fields[] = {
      {key::kLifeProject, &program.lifeProject, values.lifeProjects ? 1 : 0},
      {key::kBalanceLightensLoad, &program.balanceLightensLoad,
       values.balanceLightensLoad ? 1 : 0},
      {key::kAutoPilot, &program.autoPilot, values.autoPilot ? 1 : 0},
      {key::kAutoPilotTimerVar, &program.autoPilotTimerVar, values.autoPilotInterval},
      {key::kAutoBalanceDay, &program.autoBalanceDay, values.autoBalanceDay ? 1 : 0},
      {key::kBalanceTodayTimerVar, &program.balanceTodayTimerVar, values.balanceDayInterval},
      {key::kAutoBringForward, &program.autoBringForward, values.autoBringForward ? 1 : 0},
      {key::kExpectedReturnsActive, &program.expectedReturnsActive,
       values.expectedReturnsActive ? 1 : 0},
      {key::kEnableHideDoneItems, &program.enableHideDoneItems, values.hideDoneItems ? 1 : 0},
  };
  bool stored = true;
  settings.TakeSaveFailure();
  {
    Settings::Batch batch(settings);
    for (const Field& f : fields) {
      if (*f.member == f.value) continue;
      *f.member = f.value;
      stored &= program.WriteInt(settings, f.key);
    }
  }
  return !settings.TakeSaveFailure() && stored;
}

bool StoreWorkdays(const std::array<bool, 7>& workdays, ProgramSettings& program,
                   Settings& settings) {
  bool changed = false;
  for (size_t day = 0; day < workdays.size(); ++day) {
    const int value = workdays[day] ? 1 : 0;
    changed |= program.workday[day] != value;
    program.workday[day] = value;
  }
  if (!changed) return true;
  settings.TakeSaveFailure();
  bool stored = true;
  {
    Settings::Batch batch(settings);
    stored = program.WriteWorkdays(settings);
  }
  return !settings.TakeSaveFailure() && stored;
}

}  // namespace ploven
