#pragma once

// Texts of the alarms: the ringing box, snoozing, forwarding, triggered launches and the two
// alarm dialogs, word for word.
namespace ploven::alarm_text {

// ---- The sentence of a ringing alarm: "...is scheduled to <sentence>" ----
inline constexpr const char* kOccurToday = "occur today.";
inline constexpr const char* kAtTheLatest = ", at the latest";
inline constexpr const char* kBeginNow = "begin now%s.";
inline constexpr const char* kBeginInHoursMinutes = "begin in %d hours and %d minutes%s.";
inline constexpr const char* kBeginInHourMinutes = "begin in %d hour and %d minutes%s.";
inline constexpr const char* kBeginInMinutes = "begin in %d minutes%s.";
inline constexpr const char* kBeginInMinute = "begin in %d minute%s.";
inline constexpr const char* kBeganMinuteAgo = "begin %d minute ago%s.";
inline constexpr const char* kBeganMinutesAgo = "begin %d minutes ago%s.";
inline constexpr const char* kBeganHourMinutesAgo = "begin %d hour and %d minutes ago%s.";
inline constexpr const char* kBeganOverHoursAgo = "begin over %d hours ago%s.";
inline constexpr const char* kEndNow = "be ending now%s.";
inline constexpr const char* kEndInHoursMinutes = "end in %d hours and %d minutes%s.";
inline constexpr const char* kEndInHourMinutes = "end in %d hour and %d minutes%s.";
inline constexpr const char* kEndInMinutes = "end in %d minutes%s.";
inline constexpr const char* kEndInMinute = "end in %d minute%s.";
inline constexpr const char* kEndedMinuteAgo = "end %d minute ago%s.";
inline constexpr const char* kEndedMinutesAgo = "end %d minutes ago%s.";
inline constexpr const char* kEndedHourMinutesAgo = "end %d hour and %d minutes ago%s.";
inline constexpr const char* kEndedOverHoursAgo = "end over %d hours ago%s.";

// ---- The alarm box ----
inline constexpr const char* kBoxCaption = "Ploven Alarm for ";
inline constexpr const char* kBoxIntro = "It's %s!  The item:\n\n";
inline constexpr const char* kBoxScheduledTo = "\r\r...is scheduled to ";
inline constexpr const char* kBoxRepeatQuestion = "\r\r\rRepeat the alarm later today?";
inline constexpr const char* kBoxButtons = "&Yes\n&No\nDe&lete Item\n&Done Item";
inline constexpr const char* kMaximumAlarms =
    "The maximum number of pending alarm messages are now displayed: please respond!";
inline constexpr const char* kItemMarkedDone = "Item marked as done.";
inline constexpr const char* kOfferToClone =
    "Offer to Clone: Now that the item \n\"%s%s\" is done, would you like to create a new undone "
    "item with the same properties as the done item?";
// The alarm box can be answered by a stray key press; deleting asks once more.
inline constexpr const char* kConfirmDelete =
    "Are you sure you want to delete the item\n'%s'?\n\n(Undelete Item in the Edit menu brings "
    "it back.)";

// ---- The desktop notification ----
inline constexpr const char* kNoticeSummary = "Ploven Alarm";
inline constexpr const char* kNoticeSnooze = "Snooze";
inline constexpr const char* kNoticeDone = "Done";
inline constexpr const char* kNoticeDismiss = "Dismiss";

// ---- Snoozing ----
inline constexpr const char* kSnoozeCaption = "Alarm Snooze Time";
inline constexpr const char* kSnoozeRepeatFor = "Repeat alarm for item";
inline constexpr const char* kSnoozeIn = "in";
inline constexpr const char* kSnoozeMinutes = "minutes.";
inline constexpr const char* kSnoozeRange = "Snooze time must be between 1 and 120 minutes.";
inline constexpr const char* kSnoozePastMidnight =
    "An alarm that first alarmed before midnight cannot snooze beyond midnight, so this alarm's "
    "snooze has been cancelled.";

// ---- Sounds ----
inline constexpr const char* kSoundFileGone =
    "The sound file %s selected in Alarms Settings (from the Settings menu) is no longer in that "
    "location.\n\nAfter you click OK, either put it back there or choose a different one in "
    "Alarms Settings.";
inline constexpr const char* kChimeFile = "chimes%02d.wav";
inline constexpr const char* kSoundNone = "none";
inline constexpr const char* kSoundDefaultLabel = "System default alarm sound";

// ---- Forwarding ----
inline constexpr const char* kProgressCaption = "Attempting to Also Dial...";
inline constexpr const char* kLooksLikeEmail =
    "Looks like an e-mail alert, so attempting to send an e-mail...";
inline constexpr const char* kEmailTooLong =
    "Sorry: the e-mail address cannot be over 254 characters.";
inline constexpr const char* kEmailSubject = "Ploven alarm [%s]: %s";
inline constexpr const char* kEmailTrailer =
    "[This alarm message was sent by Ploven for Linux (https://ploven.example.org) %s on %s %s, "
    "via the sender's e-mail program.]";
inline constexpr const char* kPuttingEmail =
    "Putting e-mail alarm into your e-mail client's Out box...";
inline constexpr const char* kEmailSent =
    "Ploven has put an outgoing e-mail message to %s describing the alarm that just went off, "
    "into the outbox of your e-mail program, as requested in the alarm's properties.\n\n(To be "
    "certain it has actually gone out, you can check the Out basket of your default e-mail "
    "program.)";
inline constexpr const char* kEmailRefused =
    "Your default e-mail program has declined Ploven's request to send an e-mail message of an "
    "alarm, and so the e-mail alarm has not been sent.\n\nYou may be able to solve this problem by "
    "adjusting the security settings in your e-mail software, and then trying again.";
inline constexpr const char* kEmailMissingParts =
    "Cannot send e-mail because To, Subject, or Message missing.";
inline constexpr const char* kLooksLikeSms =
    "Looks like an SMS alert, so attempting to send a text...";
inline constexpr const char* kSmsNorthAmericaOnly =
    "Sorry: texting is only possible to North American phone numbers. If you would like text "
    "dialing to other areas, please contact support@ploven.example.org";
inline constexpr const char* kSmsSubject = "Ploven alarm SMS message";
inline constexpr const char* kSmsTrailer = "\n-- sent by the Ploven planner";
inline constexpr const char* kPuttingSms =
    "Putting outgoing text message into your e-mail program's Out box...";
inline constexpr const char* kSmsQueued =
    "An alarm message has been queued for texting, via your e-mail program.\n\n(To be certain it "
    "has actually gone out, you can check the Out basket of your default e-mail program.)";
inline constexpr const char* kLooksLikeInternetCall =
    "Looks like an internet call number, so checking for a way to call it...";
inline constexpr const char* kCallerFound = "Calling program found...";
inline constexpr const char* kCallerNotFound = "Calling program not found...";
inline constexpr const char* kDialingInternet = "Dialing internet call...";
inline constexpr const char* kNoCaller =
    "Ploven cannot find a program to make the call. To make internet calls from Ploven, install "
    "a calling program that opens callto: links (or set the command Ploven uses in \"DialCommand\" "
    "of Ploven.ini). See https://ploven.example.org/calls for help.";
inline constexpr const char* kDialingMobile = "Dialing mobile or pager...";
inline constexpr const char* kAttemptingModem = "Attempting to Also Dial pager or modem...";
inline constexpr const char* kMakingCall = "Making call...";
inline constexpr const char* kCallFailed =
    "Ploven could not start the call to %s: no program on this computer opens tel: links (set "
    "the command Ploven uses in \"DialCommand\" of Ploven.ini).";

// ---- Triggered launches ----
inline constexpr const char* kLaunchQuestion = "It is %s. Proceed with triggered launch of%s?";
inline constexpr const char* kLaunchNothing =
    "The triggered launch of item '%s' names nothing to start.";
inline constexpr const char* kLaunchFailed =
    "Ploven could not start '%s' for the triggered launch.";

// ---- The alarm dialog "Item: Alarm" ----
inline constexpr const char* kAlarmDialogCaption = "Item: Alarm";
inline constexpr const char* kHoursTooMany = "The alarm value cannot exceed 24 hours.";
inline constexpr const char* kMinutesOutOfRange =
    "%d minutes outside the allowed range of 0 to 99 minutes.";
inline constexpr const char* kReminderDaysTooMany =
    "%d alarm reminder days exceeds the allowed limit of 99.";
inline constexpr const char* kChangePagerNumber =
    "Are you sure you wish to change your \"Also Dial Mobile, Pager Or Skype\" number for all "
    "existing alarms to this new default?";
inline constexpr const char* kSuppressedWarning =
    "WARNING: Alarms are currently suppressed (because the Suppress All Alarms checkbox is checked "
    "in Alarms Settings): You can create or change alarms, however none will sound until that "
    "setting is changed.\n\nWould you like us to turn off the Suppress All Alarms setting right "
    "now for you?";
inline constexpr const char* kSuppressedWarningCaption =
    "Ploven: Turn off Suppress All Alarms setting?";
inline constexpr const char* kSuppressionTurnedOff =
    "Okay: The Suppress All Alarms setting has been turned off. All alarms will now sound when "
    "their time comes.";
inline constexpr const char* kSettingsApplyToAll =
    "Please note that the Alarms Settings apply to all alarms, not just this one.\n\nTip: If "
    "you'd like to have a different sound for just this item, read how in the Help for Alarms "
    "Settings.";
inline constexpr const char* kSettingsApplyToAllCaption = "Alarms Settings apply to all alarms";
inline constexpr const char* kGoToAlarmsSettings = "G&o to Alarms Settings";
inline constexpr const char* kPagerNumberTooLong =
    "The Also Dial number or address cannot be over 254 characters.";

// ---- Alarms Settings ----
inline constexpr const char* kSettingsCaption = "Alarms Settings";
inline constexpr const char* kPastSuppressDate =
    "Warning: That date is in the past. Suppressing alarms until a past day is equivalent to not "
    "suppressing them at all.";
inline constexpr const char* kBadSuppressDate = "'%s' is not a date Ploven can read.";

// ---- The Daily Reminder ----
inline constexpr const char* kReminderCaption = "Ploven Daily Reminder";
inline constexpr const char* kReminderIntro = "Coming up, and still to do:";
inline constexpr const char* kReminderTomorrow = "%s, tomorrow: %s";
inline constexpr const char* kReminderAhead = "%s, in %d days: %s";
inline constexpr const char* kReminderYesterday = "%s, yesterday: %s";
inline constexpr const char* kReminderPast = "%s, %d days ago: %s";
inline constexpr const char* kReminderUndone = "%s, not done: %s";
inline constexpr const char* kReminderShowEachDay = "&Show the Daily Reminder each day";
inline constexpr const char* kReminderGoTo = "&Go to Day";

}  // namespace ploven::alarm_text
