#pragma once

// What the companion's transport writes into its log and answers on its socket.
namespace ploven::calendar::link_text {

// The conversation's actions (the same words the main program uses).
inline constexpr char kSave[] = "Ploven_SaveNow";
inline constexpr char kChange[] = "Ploven_ChangeNow";
inline constexpr char kDelete[] = "Ploven_DeleteNow";
inline constexpr char kDone[] = "Ploven_DoneNow";
inline constexpr char kCloseStub[] = "Ploven_CloseStubNow";
inline constexpr char kHello[] = "Ploven_HelloNow";
inline constexpr char kPass[] = "Ploven_PassNow";
inline constexpr char kTaken[] = "Ploven_TakenNow";
inline constexpr char kReceived[] = "Ploven_Received";
inline constexpr char kApplied[] = "Ploven_Applied";
inline constexpr char kFailed[] = "Ploven_Failed";
inline constexpr char kFromCalendar[] = "Ploven_FromCalendar";
inline constexpr char kPassDone[] = "Ploven_PassDone";
// The calendar server's password, "url\nuser\npassword": never written to the log.
inline constexpr char kPassword[] = "Ploven_PasswordNow";

// Log lines.
inline constexpr char kStarted[] = "ploven-calendar started, listening on %1";
inline constexpr char kAnotherRunning[] =
    "Another ploven-calendar serves this data folder; this one ends.";
inline constexpr char kCannotListen[] = "Cannot listen on %1: %2";
inline constexpr char kStrangerRefused[] =
    "Refused a connection from user %1 (only user %2 may talk to this companion).";
inline constexpr char kNoPeer[] = "Refused a connection whose user could not be told.";
inline constexpr char kFrameRefused[] = "refused a frame: %1";
inline constexpr char kUnknownAction[] = "unknown action %1";
inline constexpr char kNewData[] = "OnCopyData::New Data from Ploven.";
inline constexpr char kNewItem[] = "OnCopyData::New Item";
inline constexpr char kNewAppointment[] = "OnCopyData::New Appointment";
inline constexpr char kNotApplied[] = "Could not apply a record (%1, code %2): %3";
inline constexpr char kTargetThrew[] = "the calendar side failed: %1";
inline constexpr char kClosing[] = "Ploven_CloseStubNow received; ending.";
inline constexpr char kIdleEnd[] =
    "No client for %1 seconds and calendar changes are not sent to Ploven; ending.";
inline constexpr char kReplacing[] = "Replacing itself after %1 seconds.";
inline constexpr char kReplaceFailed[] = "Could not start the replacement %1; ending all the same.";
inline constexpr char kUsage[] = "usage: ploven-calendar --data DIR --socket PATH";

}  // namespace ploven::calendar::link_text
