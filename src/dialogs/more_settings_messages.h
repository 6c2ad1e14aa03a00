#pragma once

// Titles and labels of the Colors, Labels, My Multiple Day View, Value of Time, User Name and
// Passwords settings dialogs.
namespace ploven::more_settings_text {

inline constexpr char kColorsTitle[] = "Colors Settings";
inline constexpr char kColorsHint[] =
    "Click a colour to change it. The preview shows a day drawn with the colours chosen.";
inline constexpr char kBackgroundLabel[] = "Day background:";
inline constexpr char kNormalTextLabel[] = "Text of items with a set time:";
inline constexpr char kFluidLabel[] = "Flexible items:";
inline constexpr char kUnscheduledLabel[] = "Items without a time:";
inline constexpr char kDoneLabel[] = "Done items:";
inline constexpr char kFreeTimeLabel[] = "Free time ahead:";
inline constexpr char kPastTimeLabel[] = "Time gone by:";
inline constexpr char kSelectionLabel[] = "Selected item:";
inline constexpr char kResetColors[] = "&Reset to Defaults";
inline constexpr char kPreviewHeading[] = "Preview";
inline constexpr char kPreviewSetItem[] = "9:00a  Team meeting";
inline constexpr char kPreviewFluidItem[] = "10:30a  Write the quarterly report";
inline constexpr char kPreviewUnscheduledItem[] = "Call the plumber";
inline constexpr char kPreviewDoneItem[] = "8:00a  Morning run";
inline constexpr char kPreviewSelectedItem[] = "9:30a  Reply to Sam";
inline constexpr char kPreviewFreeTime[] = "11:00a  (1:30 gap)";
inline constexpr char kPickColourTitle[] = "Choose a colour: %1";
inline constexpr char kLowContrastWarning[] =
    "A text colour is hard to read on this background (contrast %1:1; 4.5:1 reads well). The "
    "views draw it deepened just enough to read, as the preview shows.";

inline constexpr char kLabelsTitle[] = "Labels Settings";
inline constexpr char kLabelsHint[] =
    "Give each label a name and a colour. The item window offers these names, and the filters "
    "list them.";
inline constexpr char kLabelNumber[] = "Label %1:";
inline constexpr char kLabelColourButton[] = "Colour...";

inline constexpr char kMultipleDayTitle[] = "My Multiple Day View Settings";
inline constexpr char kMultipleDayLabel[] = "Number of days My Multiple Day View shows:";

inline constexpr char kValueOfTimeTitle[] = "Value of Time Settings";
inline constexpr char kHourlyRateLabel[] = "Value of your time per hour (Hourly Rate):";
inline constexpr char kHourlyRateHint[] = "0 counts as 100.";
inline constexpr char kCostOfMoneyLabel[] = "Cost of money (percent a year):";
inline constexpr char kShowOppCostsBox[] = "Show the opportunity cost of free time in the day views";
inline constexpr char kExpectedReturnsBox[] = "Expected Returns Active";

inline constexpr char kUserNameTitle[] = "User Name Setting";
inline constexpr char kUserNameLabel[] = "Your User Name:";
inline constexpr char kUserNameEmpty[] = "Please type a User Name: it tells your schedule apart "
                                         "from other people's.";

inline constexpr char kPasswordsTitle[] = "Passwords Settings";
inline constexpr char kPasswordsHint[] =
    "With a password, Ploven asks for it each time it opens this schedule. Leave both new "
    "fields empty to remove the password.";
inline constexpr char kCurrentPasswordLabel[] = "Current password:";
inline constexpr char kNewPasswordLabel[] = "New password:";
inline constexpr char kConfirmPasswordLabel[] = "Type the new password again:";

}  // namespace ploven::more_settings_text
