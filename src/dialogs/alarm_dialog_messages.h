#pragma once

// Labels of the alarm dialog "Item: Alarm" and of Alarms Settings.
namespace ploven::alarm_dialog_text {

inline constexpr char kHoursLabel[] = "h&ours,";
inline constexpr char kMinutesLabel[] = "&minutes";
inline constexpr char kBeforeLabel[] = "&before";
inline constexpr char kAfterLabel[] = "&after";
inline constexpr char kBeginLabel[] = "&Start time (latest possible)";
inline constexpr char kEndLabel[] = "&End of planned duration";
inline constexpr char kMemoBeginLabel[] = "begin time.";
inline constexpr char kMemoEndLabel[] = "end time.";
inline constexpr char kAlsoDialLabel[] = "Also Dial &Mobile, Pager, Skype #, Text, or E-mail:";
inline constexpr char kRemindersGroup[] = "Daily Reminders on Other Days";
inline constexpr char kForLabel[] = "fo&r";
inline constexpr char kDaysLabel[] = "days";
inline constexpr char kDaysBeforeLabel[] = "before the da&y of the event";
inline constexpr char kDaysAfterLabel[] = "a&fter the day of the event";
inline constexpr char kSettingsLabel[] = "Alarms &Settings...";
inline constexpr char kSuppressLabel[] = "&Suppress All Alarms until";
inline constexpr char kForeverHint[] = "(blank = forever)";
inline constexpr char kSoundLabel[] = "Alarm sound:";
inline constexpr char kTestLabel[] = "&Test";
inline constexpr char kFolderLabel[] = "My Sounds &Folder...";
inline constexpr char kRepeatsLabel[] = "Suppress Alarm &Repeats";
inline constexpr char kMuteLabel[] = "&Mute Alarm Sounds";
inline constexpr char kChimesLabel[] = "&Chime At Top of Hour (and end of workday)";

}  // namespace ploven::alarm_dialog_text
