#pragma once

#include <cstdint>

namespace ploven {

// The codes that say what kind of record travels to or from the calendar plug-in.
enum class BridgeCode : uint32_t {
  kTask = 0x2BB7B2A6,         // an item without a fixed start (or a task made in the calendar)
  kAppointment = 0x2BB7B2A7,  // an item with a fixed start (or an appointment from the calendar)
  kUntimed = 0x2BB7B2A8,      // a delete of an item with neither start time nor duration
  kCalendarChange1 = 0x2BB7B2A9,
  kCalendarChange2 = 0x2BB7B2AA,
  kCalendarChange3 = 0x2BB7B2AB,
  kIdEcho = 0x2BB7B2AD,  // the new item's number, for an item that came from the calendar
  kCalendarDelete1 = 0x2BB7B2AF,
  kCalendarDeleteAppointment = 0x2BB7B2B0,
  kCalendarDelete2 = 0x2BB7B2B1,
  kKeptText = 0x3B66AC8A,  // a text the main program keeps in a buffer
  // The calendar server wants a password: "url\nuser". Answered with kActionPassword.
  kPasswordWanted = 0x3B66AC8B,
};

inline constexpr uint32_t CodeValue(BridgeCode code) { return static_cast<uint32_t>(code); }

// What the plug-in is to do with the record just sent.
inline constexpr char kActionSave[] = "Ploven_SaveNow";
inline constexpr char kActionChange[] = "Ploven_ChangeNow";
inline constexpr char kActionDelete[] = "Ploven_DeleteNow";
inline constexpr char kActionDone[] = "Ploven_DoneNow";
inline constexpr char kActionCloseStub[] = "Ploven_CloseStubNow";

// The rest of the conversation on the companion's socket.
inline constexpr char kActionHello[] = "Ploven_HelloNow";        // a client is alive
inline constexpr char kActionPass[] = "Ploven_PassNow";          // hand over the calendar's changes
inline constexpr char kActionTaken[] = "Ploven_TakenNow";        // the change under the key is in
inline constexpr char kActionReceived[] = "Ploven_Received";     // the frame arrived
inline constexpr char kActionApplied[] = "Ploven_Applied";       // the record was applied
inline constexpr char kActionNotApplied[] = "Ploven_Failed";     // it was not; the reason follows
inline constexpr char kActionFromCalendar[] = "Ploven_FromCalendar";  // one change made there
inline constexpr char kActionPassDone[] = "Ploven_PassDone";     // no more changes this time
// A calendar server's password the user gave, "url\nuser\npassword" (never logged).
inline constexpr char kActionPassword[] = "Ploven_PasswordNow";

// The separators of a record.
inline constexpr char kFieldEnd = '\t';
inline constexpr char kRecordEnd = '\n';

// Words that stand for absent values; the plug-in reads them back as such.
inline constexpr char kBlankTitle[] = "blankone8746589987458745";
inline constexpr char kWordNotDone[] = "not done";     // the deadline field of a done item
inline constexpr char kWordNotAdded[] = "not added";   // a deadline time that is not set
inline constexpr char kWordNotDoneYet[] = "not Done";  // completion date and actual work
inline constexpr char kWordBlank[] = "blank";
inline constexpr char kWordNone[] = "nono";
inline constexpr char kWordNoEndDate[] = "NoEndDate";
inline constexpr char kWordNotRecurring[] = "norecurring";
inline constexpr char kWordTrue[] = "True";
inline constexpr char kWordFalse[] = "False";
inline constexpr char kWordDone[] = "Done";
inline constexpr char kWordUndone[] = "UnDone";

// A subject with this word is kept out of the schedule.
inline constexpr char kNoPlovenWord[] = "noploven";

}  // namespace ploven
