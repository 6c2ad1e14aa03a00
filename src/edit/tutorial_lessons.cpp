#include "edit/tutorial_lessons.h"

#include "edit/item_entry.h"
#include "engine/engine.h"
#include "platform/format.h"
#include "store/schedule.h"

namespace ploven {

const std::vector<TutorialLesson>& TutorialLessons() {
  static const std::vector<TutorialLesson> kLessons = {
      {"Set items and flexible items",
       "Ploven knows two kinds of items. A set item stays where you put it: an appointment at "
       "a set time, or a task on a set date. A flexible item has only a window (an earliest "
       "day and a deadline) and Ploven places it into your free time.\n\n"
       "Try it: press Insert, type a title and a duration, choose Flexible, and click OK."},
      {"Planning your days",
       "Each time you add or change an item, Ploven plans your flexible items again, most "
       "important first, each before its deadline. Free time between items shows as "
       "\"free\" rows, so you see at a glance how full a day is.\n\n"
       "Balance All Days (Alt+F8) plans every day again; Balance Day (Alt+F11) improves the "
       "order of the day you are viewing."},
      {"Appointments",
       "An appointment has a set date and a set start time. Ploven never moves it; flexible "
       "items flow around it.\n\n"
       "Try it: New Item (Insert), type a start time such as 10:30a and a duration. "
       "Alt+F2 turns the selected item into an appointment or back."},
      {"Done!",
       "When you finish an item, select it and press the Spacebar (Done!). Ploven records "
       "when you did it and how long it took; the item stays on the day, struck through.\n\n"
       "Reports > Done Items Log lists what you did each day of the viewed month."},
      {"Priorities",
       "Every flexible item has a priority: a tier (A is the most important) and a rank "
       "within the tier. Ploven places higher priorities first.\n\n"
       "Open the Priority View (Ctrl+R) to see all flexible items in priority order; Raise "
       "Priority and Lower Priority on the Balance menu move the selected item up or down."},
      {"Undone items from past days",
       "An item left undone on a past day does not vanish. Ploven reminds you, and Bring "
       "Forward Past Undones To This Day (F12) moves them all to the day you are viewing.\n\n"
       "Other Settings (Alt+O) can do this by itself every morning."},
      {"Memos",
       "A memo is a note for a day that takes no time: \"Garbage day\", \"Pay day\". "
       "Birthdays and anniversaries are memos that come back each year, and a Work Holiday "
       "memo keeps work-hours items off that day.\n\n"
       "Try it: New Memo Item (Alt+Insert)."},
      {"Projects",
       "A project groups items: each item of a project shows the project's colour bar. The "
       "Projects List (Ctrl+J) shows every project with its items, and the Daily Time By "
       "Project report adds up where your time went.\n\n"
       "Try it: Insert > New Project."},
      {"Notes",
       "Any item can carry a note: phone numbers, an agenda, the steps of a task. Select an "
       "item and press Ctrl+E to open its note; a pencil mark shows which items have one.\n\n"
       "You are reading a note now: each lesson keeps its text here."},
      {"Recurring items",
       "Weekly meetings, monthly bills, yearly check-ups: tick Recurring in the item window "
       "and choose how often. Ploven makes each occurrence on its day, and Modify All "
       "Recurrences (Ctrl+Enter) changes them all at once."},
      {"Finding and filtering",
       "Find (Ctrl+F) looks for words in titles and notes; Find Next (Ctrl+G) goes on. The "
       "Filters window (Shift+F) shows only the items you want: a project, a label, a "
       "minimum duration, or only today's items."},
      {"Alarms and timers",
       "An appointment can ring an alarm before it starts: tick Alarm in the item window. "
       "Alarms Settings (Alt+A) chooses the sound.\n\n"
       "Tools > Countdown Timer (Shift+D) and Stopwatch (Shift+T) help you keep to the "
       "time you planned."},
      {"Your settings",
       "The Settings menu shapes Ploven to your day: Work Hours and Day Bounds say when "
       "items may be planned, Colors and Fonts change how the views look, and Labels give "
       "your items coloured names.\n\n"
       "Light Mode shows fewer commands; Pro Mode shows them all."},
      {"Keeping your schedule safe",
       "Ploven saves by itself and keeps backups beside your schedule. File > Backup copies "
       "it to a folder of your choice, and Transfer To Other PC carries it to another "
       "computer and back.\n\n"
       "That is the end of the tutorial: Edit > Delete [Sample] & [Lesson] Items removes "
       "these lessons whenever you like."},
  };
  return kLessons;
}

std::vector<ActHandle> LoadTutorialLessons(
    Engine& engine, Recurrences* recurrences,
    const std::function<bool(ActHandle, const std::string&)>& attachNote) {
  const std::vector<TutorialLesson>& lessons = TutorialLessons();
  const DayNumber today = engine.schedule().Today();
  const int count = static_cast<int>(lessons.size());
  std::vector<ActHandle> made;
  bool notesWork = static_cast<bool>(attachNote);  // one failure is told once, not 14 times
  for (int day = 0; day < count; ++day) {
    const TutorialLesson& lesson = lessons[static_cast<size_t>(day)];
    NewItemRequest r;
    r.title = Sprintf("%s%d of %d: %s", kLessonTag, day + 1, count, lesson.title);
    r.date = static_cast<DayNumber>(today + day);
    r.memo = true;
    r.interactive = false;
    const ActHandle h = EnterNewItem(engine, recurrences, r);
    if (h == kNoAct) continue;
    made.push_back(h);
    if (notesWork && attachNote(h, lesson.text)) continue;
    notesWork = false;
    // Without a note the lesson's text goes into the title.
    Schedule& s = engine.schedule();
    s.SetActName(h, r.title + " - " + lesson.text);
    s.MarkChanged();
  }
  return made;
}

}  // namespace ploven
