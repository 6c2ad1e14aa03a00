#include "file/schedule_files.h"

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <filesystem>

#include "file/schedule_files_messages.h"
#include "platform/error_log.h"
#include "platform/ini_file.h"
#include "platform/messages.h"
#include "platform/settings.h"
#include "store/schedule.h"

namespace ploven {
namespace {

namespace fs_std = std::filesystem;
namespace t = files_text;

// A name the system can hold: no control characters, no over-long part.
bool ValidFileName(const std::string& name) {
  if (name.empty() || name.size() > 4095) return false;
  size_t partLength = 0;
  for (char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) return false;
    partLength = c == '/' ? 0 : partLength + 1;
    if (partLength > 255) return false;
  }
  return true;
}

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

}  // namespace

std::string FillText(std::string_view format, std::initializer_list<std::string_view> arguments) {
  std::string out;
  auto next = arguments.begin();
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size()) {
      const char kind = format[i + 1];
      if (kind == '%') {
        out += '%';
        ++i;
        continue;
      }
      if ((kind == 's' || kind == 'd') && next != arguments.end()) {
        out += *next++;
        ++i;
        continue;
      }
    }
    out += format[i];
  }
  return out;
}

std::string ErrorText(int error) { return std::generic_category().message(error); }

bool IsNetworkError(int error) {
  switch (error) {
    case ENETDOWN:
    case ENETUNREACH:
    case ENETRESET:
    case ECONNABORTED:
    case ECONNRESET:
    case EHOSTDOWN:
    case EHOSTUNREACH:
    case ESTALE:
      return true;
    default:
      return false;
  }
}

std::optional<std::string> ResolveSchedulePath(FileSystem& fs,
                                               const std::optional<std::string>& argument,
                                               const std::string& programFolder,
                                               Messages& messages) {
  fs_std::path chosen;
  if (argument) {
    const std::string name = Trim(*argument);
    if (!ValidFileName(name)) {
      messages.ErrorMessage(t::kInvalidFilename);
      return std::nullopt;
    }
    const std::string last = fs_std::path(name).filename().string();
    if (last.empty() || last.find('.') == std::string::npos || fs.IsFolder(name)) {
      chosen = fs_std::path(name) / t::kDefaultScheduleName;
    } else if (EqualsNoCase(fs_std::path(name).extension().string(), t::kScheduleExtension)) {
      chosen = name;
    } else {
      chosen = WithExtension(name, t::kScheduleExtension);
    }
  } else {
    chosen = fs_std::path(programFolder) / t::kProgramFolderScheduleName;
  }
  std::error_code ec;
  fs_std::path full = fs_std::absolute(chosen, ec);
  if (ec) full = chosen;
  return full.lexically_normal().string();
}

ScheduleFiles::ScheduleFiles(FileSystem& fs, Messages& messages, const Clock& clock,
                             Settings& settings, ErrorLog* log, LockIdentity identity)
    : m_fs(fs),
      m_msg(messages),
      m_clock(clock),
      m_settings(settings),
      m_log(log),
      m_identity(std::move(identity)) {}

ScheduleFiles::~ScheduleFiles() = default;

void ScheduleFiles::SetPaths(const std::string& path) {
  m_path = path;
  m_schedulePath = path;
  m_folder = FolderOf(path);
}

int ScheduleFiles::CorruptLoad() const { return m_settings.ReadInt(t::kCorruptLoadKey, EncodedDefault(0)); }
void ScheduleFiles::SetCorruptLoad(int value) { m_settings.WriteInt(t::kCorruptLoadKey, value); }

// A load abandoned from here on counts as damaged: 0 becomes 1, and a load
// that was already the replaced backup (2) becomes 3.
void ScheduleFiles::AdvanceCorruptLoad() {
  const int now = CorruptLoad();
  if (now == 0) SetCorruptLoad(1);
  if (now == 2) SetCorruptLoad(3);
}

void ScheduleFiles::TakeLock(const std::string& schedulePath) {
  m_lock = std::make_unique<ScheduleLock>(m_fs, m_msg, schedulePath, m_identity.self,
                                          m_identity.alive);
  m_lock->Acquire();
}

void ScheduleFiles::Log(const std::string& line) {
  if (m_log != nullptr) {
    m_log->Append(line);
  } else {
    m_msg.LogLine(line);
  }
}

std::unique_ptr<Schedule> ScheduleFiles::NewEmptySchedule(const std::string& path) {
  if (m_path.empty()) SetPaths(path);
  auto s = std::make_unique<Schedule>(m_msg, m_clock);
  s->MarkChanged();
  m_newSchedule = true;
  if (!m_lock) TakeLock(m_schedulePath);
  return s;
}

bool ScheduleFiles::SaveIfChanged(Schedule& s, bool startupOver) {
  if (!startupOver || !s.changed()) return true;
  return Save(s);
}

bool ScheduleFiles::SaveNow(Schedule& s) { return Save(s); }

void ScheduleFiles::LogUnsavedItem(const std::string& title) {
  if (m_folder.empty()) return;
  std::string line = title + "\n";
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(line.data()), line.size());
  if (!WriteWholeFile(m_fs, UnsavedLogPath(), bytes, CreateMode::kAppend).ok())
    m_msg.ErrorMessage(FillText(t::kUnsavedLogFailed, {FileNameOf(UnsavedLogPath())}));
}

void ScheduleFiles::LogNewItems(Schedule& s) {
  const auto& titles = s.unsavedTitles();
  if (m_unsavedLogged > titles.size()) m_unsavedLogged = 0;
  for (; m_unsavedLogged < titles.size(); ++m_unsavedLogged) LogUnsavedItem(titles[m_unsavedLogged]);
}

void ScheduleFiles::Close(Schedule* s) {
  if (s != nullptr && s->changed()) {
    // Without exclusive access the save would only be postponed again.
    const bool saved = m_lock && m_lock->held() && Save(*s);
    if (!saved) Log(FillText(t::kClosingUnsaved, {FileNameOf(m_schedulePath)}));
  }
  if (m_lock) m_lock->Release();
}

}  // namespace ploven
