#pragma once

// Titles and labels of the settings dialogs (Day Bounds, Balance, Work Hours, Other Settings).
namespace ploven::settings_dialog_text {

inline constexpr char kDayBoundsTitle[] = "Day Bounds Settings";
inline constexpr char kEarliestLabel[] = "Earliest Time Of Day For Flexible Items To Begin:";
inline constexpr char kLatestLabel[] = "Latest Time Of Day For Flexible Items To End:";
inline constexpr char kAppearFirstLabel[] = "Recurring Item to Appear First On Each Day View:";
inline constexpr char kAppearLastLabel[] = "Recurring Item to Appear Last On Each Day View:";
inline constexpr char kNoRecurringItem[] = "(none)";

inline constexpr char kBalanceTitle[] = "Balance Settings";
inline constexpr char kReserveTodayLabel[] = "Reserve for Interruptions Today (hr:min):";
inline constexpr char kReserveFutureLabel[] =
    "Reserve for Interruptions on each Future Day (hr:min):";
inline constexpr char kKeepClearGroup[] = "Keep Clear (no flexible items)";
inline constexpr char kKeepClearFromLabel[] = "From:";
inline constexpr char kKeepClearThroughLabel[] = "Through:";
inline constexpr char kKeepClearHint[] = "Leave a date empty for an open end.";
inline constexpr char kMinSplitLabel[] =
    "Minimum duration for splittable items to be split into (hr:min):";

inline constexpr char kWorkHoursTitle[] = "Work Hours Settings";
inline constexpr char kWorkdaysGroup[] = "Workdays";
inline constexpr char kWorkStartLabel[] = "Workdays Start At:";
inline constexpr char kWorkEndLabel[] = "Workdays End At:";
inline constexpr char kWorkdaysHint[] =
    "Unchecked days are the weekend; items limited to work hours wait for a workday.";

inline constexpr char kOtherTitle[] = "Other Settings";
inline constexpr char kBalancingGroup[] = "Balancing";
inline constexpr char kLifeProjectsBox[] = "Balance Life Projects";
inline constexpr char kLightensLoadBox[] = "Balance Day lightens load when a day is overbooked";
inline constexpr char kAutoPilotBox[] = "AutoPilot: Balance All Days every";
inline constexpr char kAutoBalanceDayBox[] = "Balance Day automatically every";
inline constexpr char kMinutesSuffix[] = " minutes";
inline constexpr char kAutoBringForwardBox[] = "Automatically Bring Forward To Today";
inline constexpr char kItemsGroup[] = "Items";
inline constexpr char kExpectedReturnsBox[] = "Expected Returns Active";
inline constexpr char kHideDoneItemsBox[] = "Hide Done Items (enables the hide done items toggle)";


}  // namespace ploven::settings_dialog_text
