#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "file/file_system.h"

namespace ploven {

// What a schedule remembers of calendars: its own identity, which makes the UIDs of its items
// the same at every export, and the UID of every item that came in from a calendar file, so
// that importing the same file twice brings nothing in twice and a re-export gives the item
// the UID it arrived with. It lives in a small file beside the schedule ("<name>.icsmap"), so
// that it needs nothing of the schedule format and survives every save and load.
class CalendarMemory {
 public:
  CalendarMemory() = default;
  explicit CalendarMemory(std::string identity) : m_identity(std::move(identity)) {}

  // A new identity, from the random source, when none was read.
  const std::string& identity();
  bool changed() const { return m_changed; }
  void ClearChanged() { m_changed = false; }

  // The UID an item is exported under: the one it was imported with, else one made of the
  // schedule's identity and the item's ID.
  std::string UidOf(uint32_t itemID);
  // The item a UID stands for in this schedule: one imported under it, or one of this
  // schedule's own UIDs. It may since have been deleted: the caller checks.
  std::optional<uint32_t> ItemOf(std::string_view uid) const;
  void Remember(std::string_view uid, uint32_t itemID);

  // The file's text: "identity <hex>" then one "<item ID> <UID>" a line.
  std::string Text() const;
  // Lines that cannot be read are passed over.
  static CalendarMemory FromText(std::string_view text);

 private:
  std::string m_identity;
  std::map<std::string, uint32_t, std::less<>> m_items;
  std::map<uint32_t, std::string> m_uids;
  bool m_changed = false;
};

// The memory's file beside a schedule.
std::string CalendarMemoryPath(const std::string& schedulePath);
// An empty memory when the file is missing or unreadable.
CalendarMemory LoadCalendarMemory(FileSystem& fs, const std::string& schedulePath);
// Written whole when changed; the failure's text, empty when written.
std::string SaveCalendarMemory(FileSystem& fs, const std::string& schedulePath,
                               CalendarMemory& memory);

}  // namespace ploven
