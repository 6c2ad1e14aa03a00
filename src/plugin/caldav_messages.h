#pragma once

// What the calendar server store says when a request goes wrong: the reasons the companion
// logs and hands to the main program. %1 is always the request ("PUT https://host/cal/x.ics").
namespace ploven::calendar::caldav_messages {

inline constexpr char kAnswered[] = "%1: the calendar server answered %2";
inline constexpr char kNotReached[] = "%1: the calendar server cannot be reached (%2)";
inline constexpr char kTimedOut[] = "%1: the calendar server gave no answer within %2 seconds";
inline constexpr char kLoginRefused[] = "%1: the calendar server refused the login of \"%2\" (%3)";
inline constexpr char kLoginWanted[] =
    "%1: the calendar server wants a user name and password (%2)";
inline constexpr char kUnreadableAnswer[] = "%1: the calendar server's answer cannot be read (%2)";
inline constexpr char kNotCalendar[] =
    "%1 is neither a calendar nor an address the calendar server finds calendars in";
inline constexpr char kNoCalendar[] =
    "the calendar server has no calendar for both appointments and tasks at %1";
inline constexpr char kUidTaken[] =
    "%1: the calendar already holds an item with the same UID under another name";
inline constexpr char kSyncLoop[] =
    "%1: the calendar server kept saying its list of changes was incomplete";

}  // namespace ploven::calendar::caldav_messages
