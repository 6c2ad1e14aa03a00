#include "platform/layout_record.h"

#include <cctype>
#include <climits>

#include "platform/format.h"
#include "platform/settings.h"
#include "platform/settings_keys.h"

namespace ploven {

namespace {

constexpr int kFieldCount = 19;

// Reads one "%d" the way sscanf does: blanks, a sign, digits. False when there is
// no number or it does not fit an int.
bool ScanInt(std::string_view& text, int& out) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  const size_t digits = i;
  long long value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) return false;
  }
  if (i == digits) return false;
  if (negative) value = -value;
  if (value > INT_MAX || value < INT_MIN) return false;
  out = static_cast<int>(value);
  text.remove_prefix(i);
  return true;
}

}  // namespace

int ViewCodeForCommand(int viewCommand) {
  switch (viewCommand) {
    case kViewAlphabeticalCommand:
      return 33;
    case kViewMonthCommand:
      return 34;
    case kViewMultipleDayCommand:
      return 35;
    case kViewPriorityCommand:
      return 36;
    case kViewKeptCode:
      return kViewKeptCode;
    default:
      return 31;
  }
}

int ViewCommandForCode(int code) {
  switch (code) {
    case 33:
      return kViewAlphabeticalCommand;
    case 34:
      return kViewMonthCommand;
    case 35:
      return kViewMultipleDayCommand;
    case 36:
      return kViewPriorityCommand;
    case kViewKeptCode:
      return kViewKeptCode;
    default:
      return kViewDayCommand;
  }
}

std::string FormatLayoutRecord(const LayoutRecord& r) {
  return Sprintf("%d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d ", r.dailyReminderFlag,
                 static_cast<int>(r.windowFlags), r.main.x, r.main.y, r.main.width, r.main.height,
                 r.calendar.x, r.calendar.y, r.calendar.width, r.calendar.height, r.tiling,
                 r.alarmChecksOff, r.notesWindowOpen, ViewCodeForCommand(r.viewCommand),
                 r.hideDoneItems, r.timeBar.x, r.timeBar.y, r.timeBar.width, r.timeBar.height);
}

void ParseLayoutRecord(std::string_view text, LayoutRecord& r) {
  int windowFlags = r.windowFlags;
  int viewCode = ViewCodeForCommand(r.viewCommand);
  int* fields[kFieldCount] = {
      &r.dailyReminderFlag, &windowFlags,       &r.main.x,        &r.main.y,
      &r.main.width,        &r.main.height,     &r.calendar.x,    &r.calendar.y,
      &r.calendar.width,    &r.calendar.height, &r.tiling,        &r.alarmChecksOff,
      &r.notesWindowOpen,   &viewCode,          &r.hideDoneItems, &r.timeBar.x,
      &r.timeBar.y,         &r.timeBar.width,   &r.timeBar.height};
  int read = 0;
  for (int* field : fields) {
    if (!ScanInt(text, *field)) break;
    ++read;
  }
  r.windowFlags = static_cast<uint16_t>(windowFlags);
  if (read > 13) r.viewCommand = ViewCommandForCode(viewCode);
  if (r.tiling <= 1) r.tiling = kTileGrid;
}

LayoutRecord DefaultLayout(int screenWidth, int screenHeight) {
  LayoutRecord r;
  r.windowFlags = kLayoutCalendarOpen | kLayoutViewOption | kLayoutTimeBarOpen;
  const int height = screenHeight * 95 / 100;
  r.main = {0, 0, screenWidth, height};
  const int calendarX = screenWidth * 85 / 100;
  const int y = height * 52 / 100;
  r.calendar = {calendarX, y, screenWidth - calendarX, height - y};
  r.timeBar = {0, y, screenWidth * 53 / 100, height - y};
  return r;
}

long UserNumber(std::string_view userName) {
  // FNV-1a over the name in lower case, so "Ann" and "ann" share a layout.
  uint32_t hash = 2166136261u;
  for (const char c : userName) {
    hash ^= static_cast<uint8_t>(std::tolower(static_cast<unsigned char>(c)));
    hash *= 16777619u;
  }
  return userName.empty() ? 0 : static_cast<long>(hash % 100000u);
}

std::string LayoutKey(long userNumber) { return Sprintf(key::kUserLayoutFormat, userNumber); }

void ReadLayoutRecord(const Settings& settings, long userNumber, LayoutRecord& record) {
  ParseLayoutRecord(settings.ReadString(LayoutKey(userNumber)), record);
}

bool WriteLayoutRecord(Settings& settings, long userNumber, const LayoutRecord& record) {
  return settings.WriteString(LayoutKey(userNumber), FormatLayoutRecord(record));
}

}  // namespace ploven
