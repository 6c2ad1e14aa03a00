#include "platform/error_log.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <system_error>
#include <vector>

#include "platform/format.h"
#include "platform/replace_file.h"
#include "platform/paths.h"

namespace ploven {

LogStamp LogStampAt(double epochSeconds) {
  LogStamp stamp;
  if (!std::isfinite(epochSeconds)) return stamp;
  const double whole = std::floor(epochSeconds);
  const std::time_t t = static_cast<std::time_t>(whole);
  int hundredths = static_cast<int>((epochSeconds - whole) * 100.0);
  if (hundredths > 99) hundredths = 99;
  std::tm local{};
  if (localtime_r(&t, &local) == nullptr) return stamp;
  stamp.date = Sprintf("%d/%d/%02d", local.tm_mon + 1, local.tm_mday, local.tm_year % 100);
  stamp.time = Sprintf("%d:%02d:%02d.%02d", local.tm_hour, local.tm_min, local.tm_sec, hundredths);
  return stamp;
}

bool ErrorLog::Append(const std::string& message) {
  const LogStamp stamp = LogStampAt(m_clock.EpochSeconds());
  return AppendRaw(
      Sprintf("%s %s %.150s", stamp.date.c_str(), stamp.time.c_str(), message.c_str()));
}

bool ErrorLog::AppendRaw(const std::string& text) {
  std::FILE* f = std::fopen(m_path.c_str(), "ab");
  if (f == nullptr) return false;
  const bool written =
      std::fwrite(text.data(), 1, text.size(), f) == text.size() && std::fputc('\n', f) != EOF;
  const bool closed = std::fclose(f) == 0;
  return written && closed;
}

bool ErrorLog::Trim() {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(m_path, ec);
  if (ec || size <= kTrimSize) return !ec;

  // Read the tail from one byte before the cut, to tell whether a line starts there.
  const std::uintmax_t cut = size - kTrimSize;
  std::vector<char> tail(static_cast<size_t>(kTrimSize + 1));
  {
    std::ifstream in(m_path, std::ios::binary);
    if (!in) return false;
    in.seekg(static_cast<std::streamoff>(cut - 1));
    in.read(tail.data(), static_cast<std::streamsize>(tail.size()));
    if (static_cast<size_t>(in.gcount()) != tail.size()) return false;
  }
  // tail[1] is the byte at the cut; keep from the first line that starts there or later.
  size_t start = 1;
  while (start < tail.size() && tail[start - 1] != '\n') ++start;

  // The rename replaces the log in one step, so no moment exists without a log.
  return ReplaceFileContents(m_path, m_path.parent_path() / kErrorLogTempFileName,
                             std::string_view(tail.data() + start, tail.size() - start));
}

}  // namespace ploven
