#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "file/file_system.h"

namespace ploven {

class Messages;

// Messages between the users of a shared schedules folder: each user's schedule is in a folder
// of its own there, and a message to a user is a small file in the "Messages" folder of that
// user's folder. The receiver's program shows new messages at its next minute pass and moves
// them into "Messages/Read".
struct UserMessage {
  std::string from;
  std::string sent;  // when, as the sender's clock wrote it
  std::string text;
  std::string file;  // the name of its file
};

inline constexpr char kMessagesFolder[] = "Messages";
inline constexpr char kReadMessagesFolder[] = "Read";

// The users beside this one: the other folders of the folder that holds the schedule's
// folder, by name.
std::vector<std::string> OtherUsers(const std::string& scheduleFolder);
// The folder of user `name` beside this schedule's folder.
std::string UserFolder(const std::string& scheduleFolder, const std::string& name);

// Leaves the message in the user's folder; it appears there whole or not at all. `stamp`
// (seconds) orders the messages; two sent in the same second get names of their own.
FileOutcome SendUserMessage(FileSystem& fs, const std::string& toUserFolder,
                            const UserMessage& message, int64_t stamp);

// The new messages of this user, oldest first; each is moved to the read ones as it is taken.
std::vector<UserMessage> TakeNewMessages(FileSystem& fs, const std::string& ownFolder);
// The messages read so far, newest first.
std::vector<UserMessage> ReadMessages(FileSystem& fs, const std::string& ownFolder);

// The minute pass: shows each new message in a box of its own; how many there were.
int DeliverNewMessages(FileSystem& fs, const std::string& ownFolder, Messages& messages);

// The file's text and back.
std::string MessageFileText(const UserMessage& message);
UserMessage ParseMessageFile(const std::string& text);

}  // namespace ploven
