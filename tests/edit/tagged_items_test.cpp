#include "edit/tagged_items.h"

#include <gtest/gtest.h>

#include "edit/item_delete.h"
#include "edit/sample_schedule.h"
#include "file/undelete.h"
#include "recur/expansion_fixture.h"

namespace ploven::test {
namespace {

class TaggedItemsTest : public RecurTest {
 protected:
  ActHandle Memo(const std::string& title) {
    return Fixed(title, kToday, kNoTime, 0, AF_HOPE, ACT_MEMO);
  }
  UndeleteStack undelete{s};
};

TEST_F(TaggedItemsTest, FindsItemsByTheTagTheirTitleBeginsWith) {
  const ActHandle sample = Fixed("[Sample] Dentist", kToday, At(9), 30);
  const ActHandle lesson = Memo("[Lesson] 1: the day view");
  const ActHandle privateSample = Fixed("![Sample] Diary", kToday, At(11), 30);
  const ActHandle special = Memo("[Special Day] New Year");
  Fixed("Sample the soup [Sample]", kToday, At(12), 30);  // the tag must come first
  Fixed("[sample] lower case", kToday, At(13), 30);       // tags are written as they are
  const ActHandle series = Recurring("[Sample] Stand-up", Daily(kToday));

  const std::vector<ActHandle> samples = ItemsTagged(s, {kSampleTag, kLessonTag});
  EXPECT_EQ(samples.size(), 4u);
  for (ActHandle h : {sample, lesson, privateSample, series})
    EXPECT_NE(std::find(samples.begin(), samples.end(), h), samples.end()) << s.GetActNameFull(h);
  const std::vector<ActHandle> days = ItemsTagged(s, {kSpecialDayTag});
  ASSERT_EQ(days.size(), 1u);
  EXPECT_EQ(days.front(), special);
}

TEST_F(TaggedItemsTest, DeletingTheSampleScheduleLeavesTheUsersOwnItems) {
  BuildSampleSchedule(engine, &r);
  const ActHandle mine = Fixed("My own dentist", kToday, At(16), 30);
  const ActHandle special = Memo("[Special Day] Boxing Day");
  const size_t tagged = ItemsTagged(s, {kSampleTag, kLessonTag}).size();
  ASSERT_GT(tagged, 5u);

  EXPECT_EQ(DeleteItemsTagged(r, undelete, {kSampleTag, kLessonTag}), static_cast<int>(tagged));
  EXPECT_TRUE(ItemsTagged(s, {kSampleTag, kLessonTag}).empty());
  EXPECT_TRUE(s.IsActValid(mine));
  EXPECT_TRUE(s.IsActValid(special));
  EXPECT_EQ(DeleteItemsTagged(r, undelete, {kSampleTag}), 0);
  ExpectConsistent();

  // Each one can be had back.
  EXPECT_TRUE(undelete.Undelete().undeleted);
  EXPECT_EQ(ItemsTagged(s, {kSampleTag}).size(), 1u);
}

}  // namespace
}  // namespace ploven::test
