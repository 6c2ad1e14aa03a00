// Any bytes as a month's done log: every line is read or reported, never undefined behaviour,
// and every entry read keeps within its limits.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "done/done_log_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const int order : {0, 1, 2}) {
    ploven::DateText dateText;
    dateText.regional.iDate = order;
    const auto c = ploven::ReadDoneLog(text, "fuzz.log", dateText, {1, 2012});
    for (const auto& e : c.entries) {
      if (e.day <= 0 || e.duration < 0 || e.duration > ploven::kMaxItemDuration) std::abort();
      if (!e.noBeganTime && (e.start < 1 || e.start > ploven::kMinutesPerDay)) std::abort();
    }
    for (const auto& p : c.problems)
      if (p.line < 1 || p.reason.empty()) std::abort();
  }
  return 0;
}
