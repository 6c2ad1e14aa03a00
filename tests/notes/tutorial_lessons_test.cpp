#include "edit/tutorial_lessons.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "notes/note_upkeep.h"
#include "notes_fixture.h"
#include "store/schedule.h"

namespace ploven::test {
namespace {

class TutorialLessonsTest : public NotesTest {
 protected:
  std::vector<ActHandle> Load(bool notes) {
    if (!notes) return LoadTutorialLessons(engine, &r);
    return LoadTutorialLessons(engine, &r, [this](ActHandle h, const std::string& text) {
      return WriteNewItemNote(s, files, h, text);
    });
  }
};

TEST_F(TutorialLessonsTest, OneLessonMemoADayForTwoWeeksEachWithItsNote) {
  const std::vector<TutorialLesson>& lessons = TutorialLessons();
  ASSERT_EQ(lessons.size(), 14u);
  const std::vector<ActHandle> made = Load(true);
  ASSERT_EQ(made.size(), lessons.size());
  std::set<int32_t> notes;
  for (size_t i = 0; i < made.size(); ++i) {
    const ActHandle h = made[i];
    EXPECT_EQ(s.GetActDate(h), static_cast<DayNumber>(kToday + static_cast<int>(i)));
    EXPECT_NE(s.ReadAct(h).typeFlags & ACT_MEMO, 0) << i;
    const std::string title = s.GetActNameFull(h);
    EXPECT_EQ(title.rfind(kLessonTag, 0), 0u) << title;
    EXPECT_NE(title.find(std::to_string(i + 1) + " of 14: " + lessons[i].title),
              std::string::npos)
        << title;
    EXPECT_NE(s.ActFlags(h) & AF_HAS_NOTE, 0u) << title;
    const int32_t number = s.GetActNoteNumber(h);
    notes.insert(number);
    EXPECT_EQ(files.LoadNote(number).value_or(""), lessons[i].text);
  }
  EXPECT_EQ(notes.size(), made.size());  // no two lessons share a note
  EXPECT_TRUE(s.changed());
}

TEST_F(TutorialLessonsTest, WithoutNotesTheLessonsTextGoesIntoTheTitle) {
  const std::vector<ActHandle> made = Load(false);
  ASSERT_EQ(made.size(), TutorialLessons().size());
  const std::string title = s.GetActNameFull(made[3]);
  EXPECT_NE(title.find(TutorialLessons()[3].text), std::string::npos);
  EXPECT_EQ(s.ActFlags(made[3]) & AF_HAS_NOTE, 0u);
}

TEST_F(TutorialLessonsTest, ANoteThatCannotBeWrittenLeavesTheTextInTheTitle) {
  // A plain file where the notes folder should be: no note can be written.
  { std::ofstream((env.dir.path() / "Notes").string()) << "not a folder"; }
  const std::vector<ActHandle> made = Load(true);
  ASSERT_FALSE(made.empty());
  EXPECT_NE(s.GetActNameFull(made[0]).find(TutorialLessons()[0].text), std::string::npos);
  EXPECT_EQ(s.ActFlags(made[0]) & AF_HAS_NOTE, 0u);
  EXPECT_NE(s.GetActNameFull(made.back()).find(TutorialLessons().back().text), std::string::npos);
  // Told once, not once a lesson.
  EXPECT_LE(env.ui.boxes.size(), 2u);
}

TEST(TutorialLessonTexts, EachLessonIsShortEnoughForATitleAndTeachesSomething) {
  std::set<std::string> titles;
  for (const TutorialLesson& l : TutorialLessons()) {
    EXPECT_TRUE(titles.insert(l.title).second) << l.title;
    const std::string text = l.text;
    EXPECT_GT(text.size(), 80u) << l.title;
    // Title and text together must fit an item title when notes cannot be written.
    EXPECT_LT(text.size() + std::string(l.title).size() + 30, 1000u) << l.title;
  }
}

}  // namespace
}  // namespace ploven::test
