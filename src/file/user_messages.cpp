#include "file/user_messages.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>

#include "file/user_messages_text.h"
#include "platform/format.h"
#include "platform/messages.h"

namespace ploven {

namespace stdfs = std::filesystem;
namespace t = user_messages_text;

namespace {

constexpr char kFromLine[] = "From: ";
constexpr char kSentLine[] = "Sent: ";
constexpr char kExtension[] = ".msg";

std::string Join(const std::string& a, const std::string& b) { return (stdfs::path(a) / b).string(); }

std::string Inbox(const std::string& ownFolder) { return Join(ownFolder, kMessagesFolder); }

bool IsMessageFile(const std::string& name) {
  return name.size() > 4 && name.compare(name.size() - 4, 4, kExtension) == 0;
}

std::vector<UserMessage> LoadAll(FileSystem& fs, const std::string& folder) {
  std::vector<std::string> names = fs.ListFiles(folder);
  std::sort(names.begin(), names.end());
  std::vector<UserMessage> found;
  for (const std::string& name : names) {
    if (!IsMessageFile(name)) continue;
    const auto bytes = fs.ReadFile(Join(folder, name));
    if (!bytes.ok()) continue;
    UserMessage m = ParseMessageFile(std::string(bytes.value->begin(), bytes.value->end()));
    m.file = name;
    found.push_back(std::move(m));
  }
  return found;
}

// A name a folder can hold: letters, digits, '-' and '_' only.
std::string Safe(const std::string& s) {
  std::string out;
  for (char c : s)
    out += (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_') ? c : '_';
  return out.empty() ? std::string("user") : out.substr(0, 40);
}

}  // namespace

std::vector<std::string> OtherUsers(const std::string& scheduleFolder) {
  std::vector<std::string> users;
  std::error_code ec;
  const stdfs::path own = stdfs::weakly_canonical(stdfs::absolute(scheduleFolder, ec), ec);
  const stdfs::path shared = own.parent_path();
  if (shared.empty() || shared == own) return users;
  for (stdfs::directory_iterator it(shared, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_directory(ec)) continue;
    const stdfs::path p = stdfs::weakly_canonical(it->path(), ec);
    const std::string name = it->path().filename().string();
    if (p == own || name.empty() || name[0] == '.') continue;
    users.push_back(name);
  }
  std::sort(users.begin(), users.end());
  return users;
}

std::string UserFolder(const std::string& scheduleFolder, const std::string& name) {
  std::error_code ec;
  const stdfs::path own = stdfs::weakly_canonical(stdfs::absolute(scheduleFolder, ec), ec);
  return (own.parent_path() / name).string();
}

std::string MessageFileText(const UserMessage& m) {
  return std::string(kFromLine) + m.from + "\n" + kSentLine + m.sent + "\n\n" + m.text + "\n";
}

UserMessage ParseMessageFile(const std::string& text) {
  UserMessage m;
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = text.find('\n', at);
    const std::string line = text.substr(at, end == std::string::npos ? text.npos : end - at);
    at = end == std::string::npos ? text.size() : end + 1;
    if (line.empty()) break;  // the text follows the blank line
    if (line.rfind(kFromLine, 0) == 0) m.from = line.substr(sizeof kFromLine - 1);
    else if (line.rfind(kSentLine, 0) == 0) m.sent = line.substr(sizeof kSentLine - 1);
  }
  m.text = text.substr(std::min(at, text.size()));
  while (!m.text.empty() && (m.text.back() == '\n' || m.text.back() == '\r')) m.text.pop_back();
  return m;
}

FileOutcome SendUserMessage(FileSystem& fs, const std::string& toUserFolder,
                            const UserMessage& message, int64_t stamp) {
  const std::string inbox = Inbox(toUserFolder);
  if (int e = fs.MakeFolders(inbox)) return {e, WriteStep::kCreate};
  const std::string text = MessageFileText(message);
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(text.data()), text.size());
  const std::string base = Sprintf("%012lld-%s", static_cast<long long>(stamp),
                                   Safe(message.from).c_str());
  // Written under a name the reader skips, then given its own name in one step.
  const std::string temporary = Join(inbox, base + ".sending");
  if (FileOutcome o = WriteWholeFile(fs, temporary, bytes); !o.ok()) return o;
  for (int n = 0; n < 1000; ++n) {
    const std::string name = Join(inbox, (n == 0 ? base : base + Sprintf("-%d", n)) + kExtension);
    const int e = fs.Link(temporary, name);
    if (e == EEXIST) continue;
    if (e == ENOSYS && !fs.Exists(name)) {
      if (int r = fs.Rename(temporary, name)) {
        fs.Remove(temporary);
        return {r, WriteStep::kRename};
      }
      return {};
    }
    fs.Remove(temporary);
    if (e != 0) return {e, WriteStep::kRename};
    return {};
  }
  fs.Remove(temporary);
  return {EEXIST, WriteStep::kRename};
}

std::vector<UserMessage> TakeNewMessages(FileSystem& fs, const std::string& ownFolder) {
  const std::string inbox = Inbox(ownFolder);
  std::vector<UserMessage> fresh = LoadAll(fs, inbox);
  if (fresh.empty()) return fresh;
  const std::string read = Join(inbox, kReadMessagesFolder);
  fs.MakeFolders(read);
  std::vector<UserMessage> taken;
  for (UserMessage& m : fresh) {
    // A message that cannot be moved would come back every minute: it is not shown until it
    // can be.
    if (fs.Rename(Join(inbox, m.file), Join(read, m.file)) != 0) continue;
    taken.push_back(std::move(m));
  }
  return taken;
}

std::vector<UserMessage> ReadMessages(FileSystem& fs, const std::string& ownFolder) {
  std::vector<UserMessage> all = LoadAll(fs, Join(Inbox(ownFolder), kReadMessagesFolder));
  std::reverse(all.begin(), all.end());
  return all;
}

int DeliverNewMessages(FileSystem& fs, const std::string& ownFolder, Messages& messages) {
  const std::vector<UserMessage> fresh = TakeNewMessages(fs, ownFolder);
  for (const UserMessage& m : fresh)
    messages.PlainMessage(Sprintf(t::kShownMessage, m.sent.c_str(), m.text.c_str()),
                          Sprintf(t::kShownCaption, m.from.c_str()));
  return static_cast<int>(fresh.size());
}

}  // namespace ploven
