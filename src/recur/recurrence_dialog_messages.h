#pragma once

namespace ploven::recur_dialog_text {

// The recurrence dialog.
inline constexpr char kEndBeforeStart[] =
    "The End Date is earlier than the Start Date, so please change one of them.";
inline constexpr char kNearestNeedsWeekday[] =
    "Because you've checked Nearest Day Of Week, you must also select at least one of the day of "
    "the week buttons above.";
inline constexpr char kNearestNeedsDate[] =
    "You have checked Nearest Day Of Week, so you must also select at least one day of the month "
    "in the month grid below.";

inline constexpr char kSeasonalCaption[] = "Seasonal";
inline constexpr char kSeasonalButtons[] = "&Explain More\n&OK";
inline constexpr char kSeasonalHelpTopic[] = "NewItem.htm#seasonal";
inline constexpr char kSeasonalExplanation[] =
    "With Seasonal checked, the Start Date and End Date limit the recurrence within each year "
    "rather than once overall: the item occurs only between the month and day of the Start Date "
    "and the month and day of the End Date, in every year from the Start Date's to the End "
    "Date's.\n\nFor example, a range from Dec 25/2008 to Jan 2/2011 covers only Dec 25 to Jan 2 "
    "of each of those winters, not the whole of the two years in between.";
inline constexpr char kRecurringHelpTopic[] = "NewItem.htm#Recurring";

// The list of title variables shown beside the frequency choices.
inline constexpr char kTitleVariablesList[] =
    "Title variables: {first|second|...} {last done} {next instance} {count up N} "
    "{count down N} {origin date [+days]} {origin dayofweek [+days]} {origin day} "
    "{origin monthyear} {origin month [+months]} {uniquenumber}";

// Values of title variables.
inline constexpr char kDateOutOfRange[] = "Out Of Range";
inline constexpr char kWeekdayOutOfRange[] = "OutRange";
inline constexpr char kMonthYearFormat[] = "%s %s";
inline constexpr int kMonthYearMaxChars = 26;
inline constexpr char kUniqueNumberFormat[] = "number:%s";

}  // namespace ploven::recur_dialog_text
