#include "filters/filter_settings.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "platform/program_settings.h"
#include "platform/settings.h"
#include "platform/settings_keys.h"

namespace ploven {
namespace {

constexpr int kMaxDurationMinutes = std::numeric_limits<int16_t>::max();

bool ReadOn(const Settings& settings, const char* key, bool def) {
  return settings.ReadInt(key, EncodedDefault(def ? 1 : 0)) != 0;
}

// Numbers too large for an integer setting (project IDs, label masks) are kept as text.
template <typename T>
T ReadNumber(const Settings& settings, const char* key, T def) {
  const std::string text = settings.ReadString(key);
  T value{};
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return (ec == std::errc() && ptr == end && !text.empty()) ? value : def;
}

}  // namespace

bool FilterSettings::AnyOn() const {
  return titleOn || projectOn || jobOn || labelsOn || doableNowOn || minimumDurationOn ||
         nonRoutineOn || todayOnlyOn || conflictsOnlyOn;
}

std::vector<std::string> FilterSettings::TitleWords() const {
  std::vector<std::string> words;
  const std::string_view text = std::string_view(titleText).substr(0, kTitleFilterMaxChars);
  size_t pos = 0;
  while (words.size() < kTitleFilterMaxWords) {
    pos = text.find_first_not_of(' ', pos);
    if (pos == std::string_view::npos) break;
    const size_t end = std::min(text.find(' ', pos), text.size());
    words.emplace_back(text.substr(pos, std::min(end - pos, kTitleFilterMaxChars)));
    pos = end;
  }
  return words;
}

void FilterSettings::SetTitleText(std::string_view text) {
  titleText = std::string(text.substr(0, kTitleFilterMaxChars));
}

bool FilterSettings::SetMinimumDuration(int hours, int minutes) {
  if (hours < 0 || minutes < 0 || hours > kMaxDurationMinutes / 60) return false;
  const int total = hours * 60 + minutes;
  if (total > kMaxDurationMinutes) return false;
  minimumDurationMinutes = total;
  return true;
}

void FilterSettings::Load(const Settings& settings) {
  const FilterSettings defaults;
  titleOn = ReadOn(settings, key::kFilterTitleCheckbox, defaults.titleOn);
  SetTitleText(settings.ReadString(kTextFilterKey, "", kTitleFilterMaxChars));
  projectOn = ReadOn(settings, key::kProjectFilter, defaults.projectOn);
  projectID = ReadNumber<uint32_t>(settings, kFilterProjectIdKey, 0);
  jobOn = ReadOn(settings, key::kFilterJobCheckbox, defaults.jobOn);
  jobNumber = ReadNumber<int32_t>(settings, kFilterJobNumberKey, 0);
  labelsOn = ReadOn(settings, key::kFilterLabels, defaults.labelsOn);
  excludedLabels = ReadNumber<uint32_t>(settings, kFilterLabelMaskKey, 0);
  doableNowOn = ReadOn(settings, key::kPresentFilter, defaults.doableNowOn);
  minimumDurationOn = ReadOn(settings, key::kFilterMinimumDurCheckbox, defaults.minimumDurationOn);
  const int minutes = settings.ReadInt(key::kFilterMinimumDurMinutes,
                                       EncodedDefault(defaults.minimumDurationMinutes));
  minimumDurationMinutes =
      (minutes >= 0 && minutes <= kMaxDurationMinutes) ? minutes : defaults.minimumDurationMinutes;
  nonRoutineOn = ReadOn(settings, key::kRoutineFilter, defaults.nonRoutineOn);
  todayOnlyOn = ReadOn(settings, key::kFilterTodayOnly, defaults.todayOnlyOn);
  conflictsOnlyOn = ReadOn(settings, key::kFilterConflictsOnly, defaults.conflictsOnlyOn);
  filterCalendarToo =
      ReadOn(settings, key::kShowFilterOnCalendarWindow, defaults.filterCalendarToo);
  matchCase = ReadOn(settings, key::kCaseFilter, defaults.matchCase);
}

bool FilterSettings::Save(Settings& settings) const {
  bool ok = true;
  {
    Settings::Batch batch(settings);
    ok &= settings.WriteInt(key::kFilterTitleCheckbox, titleOn ? 1 : 0);
    ok &= settings.WriteString(kTextFilterKey, titleText);
    ok &= settings.WriteInt(key::kProjectFilter, projectOn ? 1 : 0);
    ok &= settings.WriteString(kFilterProjectIdKey, std::to_string(projectID));
    ok &= settings.WriteInt(key::kFilterJobCheckbox, jobOn ? 1 : 0);
    ok &= settings.WriteString(kFilterJobNumberKey, std::to_string(jobNumber));
    ok &= settings.WriteInt(key::kFilterLabels, labelsOn ? 1 : 0);
    ok &= settings.WriteString(kFilterLabelMaskKey, std::to_string(excludedLabels));
    ok &= settings.WriteInt(key::kPresentFilter, doableNowOn ? 1 : 0);
    ok &= settings.WriteInt(key::kFilterMinimumDurCheckbox, minimumDurationOn ? 1 : 0);
    ok &= settings.WriteInt(key::kFilterMinimumDurMinutes, minimumDurationMinutes);
    ok &= settings.WriteInt(key::kRoutineFilter, nonRoutineOn ? 1 : 0);
    ok &= settings.WriteInt(key::kFilterTodayOnly, todayOnlyOn ? 1 : 0);
    ok &= settings.WriteInt(key::kFilterConflictsOnly, conflictsOnlyOn ? 1 : 0);
    ok &= settings.WriteInt(key::kShowFilterOnCalendarWindow, filterCalendarToo ? 1 : 0);
    ok &= settings.WriteInt(key::kCaseFilter, matchCase ? 1 : 0);
  }
  // The batch saves the files when it ends; a failed save shows only then.
  return !settings.TakeSaveFailure() && ok;
}

FilterSettings FilterSettings::From(const ProgramSettings& p) {
  FilterSettings f;
  f.titleOn = p.filterTitleCheckbox != 0;
  f.projectOn = p.projectFilter != 0;
  f.jobOn = p.filterJobCheckbox != 0;
  f.labelsOn = p.filterLabels != 0;
  f.doableNowOn = p.presentFilter != 0;
  f.minimumDurationOn = p.filterMinimumDurCheckbox != 0;
  if (p.filterMinimumDurMinutes >= 0 && p.filterMinimumDurMinutes <= kMaxDurationMinutes)
    f.minimumDurationMinutes = p.filterMinimumDurMinutes;
  f.nonRoutineOn = p.routineFilter != 0;
  f.todayOnlyOn = p.filterTodayOnly != 0;
  f.conflictsOnlyOn = p.filterConflictsOnly != 0;
  f.filterCalendarToo = p.showFilterOnCalendarWindow != 0;
  f.matchCase = p.caseFilter != 0;
  return f;
}

void FilterSettings::ApplyTo(ProgramSettings& p) const {
  p.filterTitleCheckbox = titleOn ? 1 : 0;
  p.projectFilter = projectOn ? 1 : 0;
  p.filterJobCheckbox = jobOn ? 1 : 0;
  p.filterLabels = labelsOn ? 1 : 0;
  p.presentFilter = doableNowOn ? 1 : 0;
  p.filterMinimumDurCheckbox = minimumDurationOn ? 1 : 0;
  p.filterMinimumDurMinutes = minimumDurationMinutes;
  p.routineFilter = nonRoutineOn ? 1 : 0;
  p.filterTodayOnly = todayOnlyOn ? 1 : 0;
  p.filterConflictsOnly = conflictsOnlyOn ? 1 : 0;
  p.showFilterOnCalendarWindow = filterCalendarToo ? 1 : 0;
  p.caseFilter = matchCase ? 1 : 0;
}

}  // namespace ploven
