#include "file/shared_users.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace ploven {

namespace fs = std::filesystem;

namespace {

constexpr char kDefaultSchedule[] = "timedata.pak";
constexpr char kScheduleExtension[] = ".pak";

std::string Lower(std::string text) {
  for (char& c : text) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return text;
}

// The schedule a user's folder holds, or "" when it holds none.
std::string ScheduleIn(const fs::path& folder) {
  std::error_code ec;
  std::vector<std::string> schedules;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    const std::string name = it->path().filename().string();
    if (Lower(name) == kDefaultSchedule) return it->path().string();
    if (Lower(it->path().extension().string()) == kScheduleExtension)
      schedules.push_back(it->path().string());
  }
  if (schedules.empty()) return {};
  return *std::min_element(schedules.begin(), schedules.end());
}

}  // namespace

std::vector<SharedUser> SharedScheduleUsers(const std::string& scheduleFolder) {
  fs::path own = fs::path(scheduleFolder);
  if (!own.has_filename()) own = own.parent_path();  // a trailing separator
  const fs::path shared = own.parent_path();
  std::vector<SharedUser> users;
  std::error_code ec;
  if (shared.empty() || own == shared) return users;
  const fs::path ownCanonical = fs::weakly_canonical(own, ec);
  for (fs::directory_iterator it(shared, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_directory(typeError)) continue;
    std::error_code same;
    if (fs::weakly_canonical(it->path(), same) == ownCanonical) continue;
    const std::string schedule = ScheduleIn(it->path());
    if (!schedule.empty()) users.push_back({it->path().filename().string(), schedule});
  }
  std::sort(users.begin(), users.end(),
            [](const SharedUser& a, const SharedUser& b) { return a.name < b.name; });
  return users;
}

}  // namespace ploven
