#pragma once

#include <functional>
#include <string>
#include <vector>

#include "store/act_handle.h"

namespace ploven {

class Engine;
class Recurrences;

// One lesson of the tutorial: a memo title and the few lines that teach it.
struct TutorialLesson {
  const char* title;
  const char* text;
};

// Two weeks of lessons, one a day, each about one thing Ploven does.
const std::vector<TutorialLesson>& TutorialLessons();

// The tag every lesson's title starts with, so that Delete [Sample] & [Lesson] Items finds them.
inline constexpr char kLessonTag[] = "[Lesson] ";

// Puts one lesson memo on each day from today, made through the New Item path. `attachNote`
// keeps the lesson's text in the memo's note; when it is empty or fails the text goes to the
// memo's title after the lesson's name, so no lesson is lost. The memos made, in order.
std::vector<ActHandle> LoadTutorialLessons(
    Engine& engine, Recurrences* recurrences,
    const std::function<bool(ActHandle, const std::string&)>& attachNote = {});

}  // namespace ploven
