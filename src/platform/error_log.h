#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/clock.h"

namespace ploven {

// The date and time that open every log line: "m/d/yy" and "h:mm:ss.hh", local time.
struct LogStamp {
  std::string date;  // empty when the moment cannot be converted
  std::string time;
};
LogStamp LogStampAt(double epochSeconds);

// The one text log. Every line opens the file for appending and closes it again,
// so the log is complete up to the moment the program ends. Logging never
// reports its own failures: a line that cannot be written is dropped.
class ErrorLog {
 public:
  static constexpr std::uintmax_t kTrimSize = 500000;

  ErrorLog(std::filesystem::path path, const Clock& clock)
      : m_path(std::move(path)), m_clock(clock) {}

  const std::filesystem::path& Path() const { return m_path; }

  // "date time message" with the message cut to 150 characters; false when the
  // file could not be opened.
  bool Append(const std::string& message);
  // The text exactly as given, followed by a newline.
  bool AppendRaw(const std::string& text);

  // When the log is longer than kTrimSize bytes, keeps the whole lines of its
  // last kTrimSize bytes. Any failure leaves the log as it was; false then.
  bool Trim();

 private:
  std::filesystem::path m_path;
  const Clock& m_clock;
};

}  // namespace ploven
