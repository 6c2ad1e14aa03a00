#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ploven {

class Settings;
struct ProgramSettings;

// Settings keys of the filters besides the check boxes of settings_keys.h. The chosen project,
// job number and excluded labels are kept too, so a check box that comes back on after a
// restart still filters for what the user chose.
inline constexpr char kTextFilterKey[] = "TextFilter";
inline constexpr char kFilterProjectIdKey[] = "FilterProjectID";
inline constexpr char kFilterJobNumberKey[] = "FilterJobNumber";
inline constexpr char kFilterLabelMaskKey[] = "FilterExcludedLabels";

inline constexpr size_t kTitleFilterMaxChars = 40;
inline constexpr size_t kTitleFilterMaxWords = 5;

// The user's filter combination, as the Filters window edits it.
struct FilterSettings {
  bool titleOn = false;
  std::string titleText;  // at most 40 characters; see TitleWords()
  bool projectOn = false;
  uint32_t projectID = 0;  // 0: items without a project
  bool jobOn = false;
  int32_t jobNumber = 0;
  bool labelsOn = false;
  uint32_t excludedLabels = 0;  // bit n hides label n
  bool doableNowOn = false;
  bool minimumDurationOn = false;
  int minimumDurationMinutes = 60;
  bool nonRoutineOn = false;
  bool todayOnlyOn = false;
  bool conflictsOnlyOn = false;
  bool filterCalendarToo = true;
  bool matchCase = false;  // "CaseFilter": title words compare case-sensitively

  // Any check box that narrows what the views show ("filter the calendar too" does not).
  bool AnyOn() const;
  // The title text split at blanks: at most five words, each at most 40 characters.
  std::vector<std::string> TitleWords() const;
  void SetTitleText(std::string_view text);
  // Hours and minutes as the window enters them; false (and no change) for a negative or
  // too large amount.
  bool SetMinimumDuration(int hours, int minutes);

  void Load(const Settings& settings);
  // False when a settings file could not be written.
  bool Save(Settings& settings) const;

  // The program settings carry the check boxes too and write them back on close: keep both
  // in step.
  static FilterSettings From(const ProgramSettings& p);
  void ApplyTo(ProgramSettings& p) const;

  bool operator==(const FilterSettings&) const = default;
};

}  // namespace ploven
