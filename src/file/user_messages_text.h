#pragma once

// What the messages between users say.
namespace ploven::user_messages_text {

inline constexpr char kShownCaption[] = "Ploven message from %s";
inline constexpr char kShownMessage[] = "Sent %s:\n\n%s";
inline constexpr char kNoOtherUsers[] =
    "There are no other users beside this schedule: each user's schedule is in a folder of its "
    "own in the same shared folder (for example Shared/anna/timedata.pak and "
    "Shared/ben/timedata.pak).";
inline constexpr char kSendCaption[] = "Send Message To Ploven Users";
inline constexpr char kToLabel[] = "To:";
inline constexpr char kMessageLabel[] = "Message:";
inline constexpr char kSent[] = "The message was left for %s: it appears on their screen within "
                                "a minute of their Ploven running.";
inline constexpr char kNotSent[] = "The message could not be left in \"%s\" (%s).";
inline constexpr char kEmptyMessage[] = "Please type a message.";
inline constexpr char kReadTitle[] = "Read Ploven Messages";
inline constexpr char kNoMessages[] = "No messages have reached you yet.";
inline constexpr char kReadEntry[] = "From %s, sent %s:\n%s\n";

}  // namespace ploven::user_messages_text
