#include "ical/calendar_memory.h"

#include <charconv>
#include <cstring>
#include <random>

#include "file/backup_names.h"

namespace ploven {
namespace {

constexpr std::string_view kIdentityKey = "identity ";
constexpr std::string_view kUidDomain = "@ploven";

std::optional<uint32_t> Number(std::string_view text) {
  uint32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

// A UID travels on one line of the memory file and of the calendar.
bool FitsOneLine(std::string_view uid) {
  return !uid.empty() && uid.find_first_of("\r\n") == std::string_view::npos;
}

}  // namespace

const std::string& CalendarMemory::identity() {
  if (m_identity.empty()) {
    std::random_device source;
    char hex[17];
    const uint64_t value = (static_cast<uint64_t>(source()) << 32) ^ source();
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(value));
    m_identity = hex;
    m_changed = true;
  }
  return m_identity;
}

std::string CalendarMemory::UidOf(uint32_t itemID) {
  if (auto it = m_uids.find(itemID); it != m_uids.end()) return it->second;
  return std::to_string(itemID) + "-" + identity() + std::string(kUidDomain);
}

std::optional<uint32_t> CalendarMemory::ItemOf(std::string_view uid) const {
  if (auto it = m_items.find(uid); it != m_items.end()) return it->second;
  if (m_identity.empty()) return std::nullopt;
  const std::string tail = "-" + m_identity + std::string(kUidDomain);
  if (uid.size() <= tail.size() || !uid.ends_with(tail)) return std::nullopt;
  return Number(uid.substr(0, uid.size() - tail.size()));
}

void CalendarMemory::Remember(std::string_view uid, uint32_t itemID) {
  if (!FitsOneLine(uid) || itemID == 0) return;
  if (auto old = m_uids.find(itemID); old != m_uids.end()) m_items.erase(old->second);
  m_items[std::string(uid)] = itemID;
  m_uids[itemID] = std::string(uid);
  m_changed = true;
}

std::string CalendarMemory::Text() const {
  std::string text = std::string(kIdentityKey) + m_identity + "\n";
  for (const auto& [id, uid] : m_uids) text += std::to_string(id) + " " + uid + "\n";
  return text;
}

CalendarMemory CalendarMemory::FromText(std::string_view text) {
  CalendarMemory memory;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.starts_with(kIdentityKey)) {
      memory.m_identity = std::string(line.substr(kIdentityKey.size()));
      continue;
    }
    const size_t space = line.find(' ');
    if (space == std::string_view::npos) continue;
    const auto id = Number(line.substr(0, space));
    if (!id) continue;
    memory.Remember(line.substr(space + 1), *id);
  }
  memory.m_changed = false;
  return memory;
}

std::string CalendarMemoryPath(const std::string& schedulePath) {
  return BackupNames(schedulePath).CalendarMemory();
}

CalendarMemory LoadCalendarMemory(FileSystem& fs, const std::string& schedulePath) {
  const auto read = fs.ReadFile(CalendarMemoryPath(schedulePath));
  if (!read.ok()) return {};
  return CalendarMemory::FromText(
      std::string_view(reinterpret_cast<const char*>(read.value->data()), read.value->size()));
}

std::string SaveCalendarMemory(FileSystem& fs, const std::string& schedulePath,
                               CalendarMemory& memory) {
  if (!memory.changed()) return {};
  const std::string text = memory.Text();
  const FileOutcome out =
      WriteWholeFile(fs, CalendarMemoryPath(schedulePath),
                     std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
  if (!out.ok()) return std::strerror(out.error);
  memory.ClearChanged();
  return {};
}

}  // namespace ploven
