#pragma once

// Texts of the done items and the done log, word for word.
namespace ploven::done_text {

inline constexpr const char* kOpenLogFailed = "Unable to open done item log file, or create a new one.";
inline constexpr const char* kWriteLogFailed = "Error writing to %s file. The drive may be full.";
inline constexpr const char* kCloseLogFailed = "Error closing %s file. The drive may be full.";

inline constexpr const char* kDoneLogLine = "%s\t%s\t%3d\t%s\t%s\t%s\t%d\t%.2f\t%d\r\n";
inline constexpr const char* kDoneLogFileName = "%s%s%02d.log";
inline constexpr const char* kNoteNumber = "%05d";

}  // namespace ploven::done_text
