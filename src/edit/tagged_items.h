#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/act_handle.h"

namespace ploven {

class Recurrences;
class Schedule;
class UndeleteStack;

// Items the program loads for the user to look at and throw away again: the sample schedule's
// "[Sample]" items, the tutorial's "[Lesson]" memos, and the "[Special Day]" memos of the
// holiday lists. Each is found by the tag its title begins with.
inline constexpr std::string_view kSampleTag = "[Sample]";
inline constexpr std::string_view kLessonTag = "[Lesson]";
inline constexpr std::string_view kSpecialDayTag = "[Special Day]";

// The live items (recurring items once, not each occurrence) whose title begins with one of the
// tags, in title order. Projects and private marks count too: "![Sample] x" is a sample item.
std::vector<ActHandle> ItemsTagged(const Schedule& s, const std::vector<std::string_view>& tags);

// Deletes them as Delete All Recurrences does (each can be undeleted); the number deleted.
int DeleteItemsTagged(Recurrences& r, UndeleteStack& undelete,
                      const std::vector<std::string_view>& tags);

}  // namespace ploven
