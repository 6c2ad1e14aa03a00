#pragma once

// The Undelete command's texts, word for word as the user sees them.
namespace ploven::undelete_text {

inline constexpr const char* kModuleUndelete = "Undelete";

inline constexpr const char* kNothingToUndelete =
    "There are no more items (or projects) deleted during this session that can be undeleted.";
// The question is the start, the short title in double quotes, then the rest.
inline constexpr const char* kQuestionStart = "Would you like to undelete";
inline constexpr const char* kQuestionRest =
    "?\n\nWhether you choose Yes or No, you can try to undelete the next most recently deleted "
    "item by immediately choosing the Undelete command again after you answer Yes or No "
    "regarding this item.";

inline constexpr const char* kInvalidItem = "not a valid act item to undelete";
inline constexpr const char* kInvalidProject = "Not a valid project to undelete.";
inline constexpr const char* kInvalidInstance = "not a valid recurring item to undelete";
inline constexpr const char* kInvalidTask = "not a valid task to undelete";
inline constexpr const char* kInvalidType = "Invalid undelete type";

}  // namespace ploven::undelete_text
