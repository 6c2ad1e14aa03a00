#pragma once

// Texts of Balance Day, Lighten Load and Increase Load, word for word.
namespace ploven::balance_day_text {

inline constexpr const char* kModuleBalanceDay = "Balance";

inline constexpr const char* kInProgress = "Balance Day in progress...";
inline constexpr const char* kLighteningLoad = "Balance Day lightening load...";

inline constexpr const char* kLightenLoadCaption = "Lighten Load";
inline constexpr const char* kLightenLoadButton = "C&ontinue";
inline constexpr const char* kLightenLoadNotPossible =
    "Lighten Load is not possible right now, as there are not any items on this date with "
    "flexible dates that aren't already on the latest date allowed.\n\nTo be able to Lighten "
    "Load, edit an item and\n-extend its deadline, or\n-enable more of its Days Of Week, or\n"
    "-change it from Set Date to a future Flexible Date.";
// The by-urgency command words it slightly differently.
inline constexpr const char* kLightenLoadByUrgencyNotPossible =
    "Lighten Load is not possible right now, as there aren't any items on this date with "
    "flexible dates that aren't already on the latest date allowed.\n\nTo be able to Lighten "
    "Load, edit an item and\n-extend its deadline, or\n-enable more of its Days Of Week, or\n"
    "-change it from Set Date to a future Flexible Date.";
inline constexpr const char* kIncreaseLoadNotPossible =
    "Increase Load is not possible right now, as there aren't any items on a future date that "
    "are eligible to move to this date.";

}  // namespace ploven::balance_day_text
