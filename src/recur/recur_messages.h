#pragma once

// Texts of the recurring-items module. Helpers of the module keep their own texts in headers of
// their own; these are the recurrence rule's.
namespace ploven::recur_text {

// Shown once a recurrence record without any frequency has been made daily.
inline constexpr const char* kNoTypeFlags =
    "A recurring item has been detected with no type flags on (a data error). It will be made "
    "daily recurring on future days so you can notice it, and edit it.";

}  // namespace ploven::recur_text
