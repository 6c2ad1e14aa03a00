#pragma once

namespace ploven {

// The companion program that mirrors items into the calendar, as the user knows it.
inline constexpr char kCompanionProgram[] = "ploven-calendar";
inline constexpr char kBridgeCaption[] = "Ploven";

// The companion's program file cannot be started: the text, the program's folder and file, the
// rest and then the sender's name and place: "[Condition: SendDataToStub, PlovenCalendar1]".
inline constexpr char kCompanionMissingLead[] =
    "Your Synchronization Settings (on the Settings menu) are set to synchronize with your "
    "calendar, but Ploven cannot find the Ploven calendar plug-in file (";
inline constexpr char kCompanionMissingTail[] =
    ").\n\nUntil that file is in the same folder as your ploven program, you should uncheck both "
    "calendar synchronization checkboxes in Synchronization Settings. \n\n[Condition: ";
inline constexpr char kCompanionMissingPlace[] = "PlovenCalendar";

// The companion is still not there after starting it.
inline constexpr char kSaveNoCompanion[] =
    "Failed to run the Ploven calendar plug-in. [SendDataToStub]";
inline constexpr char kChangeNoCompanion[] =
    "Apologies: due to a hiccup with the Ploven calendar plug-in (perhaps your calendar is not "
    "running?), Ploven failed to send the change to your calendar. If it is important that your "
    "calendar is aware of this change, please make the change in Ploven again in the hope that "
    "it will transfer successfully this time.";
inline constexpr char kDeleteNoCompanion[] =
    "The attempt to notify your calendar of deleting a Ploven item failed, because the Ploven "
    "calendar plug-in doesn't appear to be running.";
inline constexpr char kDoneNoCompanion[] =
    "Attempt to notify your calendar of this done (or undone) of an item failed, because the "
    "Ploven calendar plug-in doesn't appear to be running.";
inline constexpr char kEchoNoCompanionLog[] =
    "StubhWnd is NULL, so trying to launch the Ploven calendar plug-in, then pause Ploven for 2 "
    "seconds to give the plugin time to load.";

// The record itself did not get through in time.
inline constexpr char kSaveTimedOut[] =
    "Ploven did not successfully notify your calendar about the item that was just saved in "
    "Ploven, because the Ploven calendar plug-in has crashed or is for some reason taking more "
    "than 5 seconds to complete the process. The item did NOT get marked as complete (or "
    "uncomplete) in your calendar. You will have to do so manually in your calendar this time "
    "if you want it marked as such in your calendar.";
inline constexpr char kDeleteTimedOut[] =
    "Ploven did not successfully tell your calendar about the deletion recently made in Ploven, "
    "because the Ploven calendar plug-in has crashed or is for some reason taking more than 5 "
    "seconds to complete the process. In your calendar, the item did NOT get deleted in your "
    "calendar, so you will have to do that manually in your calendar this time.";
inline constexpr char kDoneTimedOut[] =
    "Ploven did not successfully tell your calendar about Done (or Undone) that just occurred in "
    "Ploven, because the Ploven calendar plug-in has crashed or is for some reason taking more "
    "than 5 seconds to complete the process. The item did NOT get marked as completed (or "
    "uncompleted) in your calendar. You will have to do so manually in your calendar this time "
    "if you want it marked as such in your calendar.";
inline constexpr char kChangeTimedOut[] =
    "Ploven did not successfully tell your calendar about the event that just occurred, because "
    "the Ploven calendar plug-in has crashed or is for some reason taking more than 5 seconds to "
    "complete the process. The item did NOT get marked as completed (or uncompleted) in your "
    "calendar, so you will have to do so manually in your calendar this time if you want it "
    "marked as such in your calendar.[3]";
inline constexpr char kChangeOfferRelaunch[] =
    "Click OK for Ploven to attempt to relaunch the Ploven calendar plug-in if it is not already "
    "running.";

// The action was not taken: the companion is closed, started again and sent the record once
// more. The log line names the sender: "saveres == 0 in SendDataToStub, so ...".
inline constexpr char kRetryLogLead[] = "saveres == 0 in ";
inline constexpr char kRetryLogTail[] =
    ", so unloading, pausing, reloading the Ploven calendar plug-in.";
inline constexpr char kSaveRetrySucceeded[] =
    "Ploven succeeded after a second try to send the save of a Ploven item to your calendar.";
inline constexpr char kSaveRetryFailed[] =
    "Ploven failed to successfully tell your calendar about a save of a Ploven item.";
inline constexpr char kChangeRetrySucceeded[] =
    "Ploven tried again to notify your calendar of a change to an item, and this time it "
    "succeeded.";
inline constexpr char kChangeRetryFailed[] =
    "Ploven failed in an attempt to notify your calendar of a change to an item.";
inline constexpr char kDeleteRetrySucceeded[] =
    "Ploven tried again to notify your calendar of a deletion of an item, and this time it "
    "succeeded.";
inline constexpr char kDeleteRetryFailed[] =
    "Ploven failed to succeed in notifying your calendar of an item deleted in Ploven.";
inline constexpr char kDoneRetrySucceeded[] =
    "Ploven attempted again to tell your calendar about the Done (or Undone) of an item, and this "
    "time it succeeded.";
inline constexpr char kEchoRetrySucceeded[] =
    "Send save command to the Ploven calendar plug-in succeeded in the next try.";
inline constexpr char kEchoRetryFailed[] =
    "Error sending save command to the Ploven calendar plug-in.";

// The open schedule is not the one that mirrors into the calendar.
inline constexpr char kNotTheSyncSchedule[] =
    "This schedule is not the one set to sync from Ploven to your calendar, so transaction "
    "suppressed.";

// A record could not be made of the item.
inline constexpr char kSaveNoBuffer[] = "Error can't create calendar data buffer [3].";
inline constexpr char kChangeNoBuffer[] = "Error: can't create calendar data buffer [7].";
inline constexpr char kDoneWindowNoBuffer[] = "Error: can't create calendar data buffer [2].";

// Receiving.
inline constexpr char kSyncScheduleMissingLead[] =
    "According to your preferences, the Ploven schedule that is to synchronize from your "
    "calendar is located at ";
inline constexpr char kSyncScheduleMissingTail[] =
    " and yet no such file or path exists.\n\nTo fix this, please go to Synchronization "
    "Settings, and uncheck then recheck Automatically Send Changes In your calendar To Ploven "
    "checkbox.";
// Follows the subject: "Lunch noploven because its Subject contains ...".
inline constexpr char kNoPlovenRefused[] =
    " because its Subject contains the word noploven that is used to indicate that you didn't "
    "want it transferred.";
// Before the subject and kNoPlovenRefused.
inline constexpr char kNoPlovenRefusedLead[] = "Ploven did not take in the calendar item \"";
// A record that arrived from the calendar and cannot be read; the reason follows.
inline constexpr char kRecordRefusedLead[] = "A record from your calendar was refused: ";
inline constexpr char kRecordRefusedLog[] = "Calendar record refused: ";
inline constexpr char kKindSwitchedOffLog[] =
    "Synchronization Settings keep this kind out of the schedule, so not taken in: ";
// The reasons.
inline constexpr char kNoSuchItemLead[] = "no item in this schedule has the number ";
inline constexpr char kNoSuchItemTitle[] = " or the title \"";
inline constexpr char kNoSuchItemOn[] = " on ";
inline constexpr char kItemNotMade[] = "Ploven could not make an item of it";
inline constexpr char kItemNotChanged[] = "Ploven could not change the item as the calendar did";
inline constexpr char kDoneRecordUnread[] = "it says neither Done nor UnDone";
inline constexpr char kNotRecurring[] = "it deletes one occurrence of an item that does not recur";
inline constexpr char kUnknownCode[] = "Ploven does not know its code ";

// The schedule set to receive the calendar's changes cannot be opened now; they wait.
inline constexpr char kReceivingNotOpened[] =
    "The calendar's changes wait in the Ploven calendar plug-in until the schedule set to "
    "receive them can be opened: ";

// The companion's question for a calendar server's password does not read ("url\nuser").
inline constexpr char kPasswordQuestionUnread[] =
    "The Ploven calendar plug-in asked for a calendar server's password without naming the "
    "server and user; not answered.";

}  // namespace ploven
