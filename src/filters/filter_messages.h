#pragma once

// Texts of the item filters and the Filters window, word for word.

namespace ploven::filter_text {

// ---- The heading summary ----
inline constexpr const char* kSummaryStart = " | FILTERS ON:";
inline constexpr const char* kSummaryTitle = " Title= ";
inline constexpr const char* kSummaryProject = " Project=";
inline constexpr const char* kSummaryJob = " Job";
inline constexpr const char* kSummaryJobNumber = " %i,";
inline constexpr const char* kSummaryLabels = " Labels,";
inline constexpr const char* kSummaryDoableNow = " Doable Now,";
inline constexpr const char* kSummaryMinimumDuration = " Minimum Duration";
inline constexpr const char* kSummaryMinutes = " %i mins,";
inline constexpr const char* kSummaryNonRoutine = " Non-routine,";
inline constexpr const char* kSummaryTodayOnly = " Today Only,";
inline constexpr const char* kSummaryConflictsOnly = " Conflicts Only,";

// ---- The Filters window ----
inline constexpr const char* kWindowTitle = "Filter";
inline constexpr const char* kLabelsDialogTitle = "Filters: Labels";
inline constexpr const char* kLabelsDialogName = "FilterLabels";
inline constexpr const char* kCloseButton = "Cl&ose (stop filtering)";
inline constexpr const char* kHelpTopic = "Filters.htm";
inline constexpr const char* kNoProject = "none";
inline constexpr const char* kDoableNow = "Doable Now";
inline constexpr const char* kNonRoutine = "Non-routine";
inline constexpr const char* kTodayOnly = "Today Only";
inline constexpr const char* kConflictsOnly = "Conflicts Only";
inline constexpr const char* kFilterCalendarToo = "Also Filter Calendar Window (& date picker)";

}  // namespace ploven::filter_text
