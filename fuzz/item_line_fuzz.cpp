// Any bytes as a line from the clipboard or an import-once file: read, or refused with a
// reason, never undefined behaviour; a line that is read keeps within its limits.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "file/item_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ploven::DateText dateText;
  ploven::ParseContext context;
  context.today = context.viewed = 17144;
  context.now = 9 * 60 + 1;
  const ploven::ItemLineResult r = ploven::ParseItemLine(text, dateText, context);
  if (r.line.has_value() == r.message.empty()) {
    if (r.line && (r.line->title.empty() || r.line->title.size() > ploven::kItemLineLimit))
      std::abort();
  } else {
    std::abort();
  }
  return 0;
}
