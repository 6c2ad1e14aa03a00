#pragma once

#include <string>
#include <vector>

#include "store/priority_messages.h"
#include "store/schedule_fixture.h"

namespace ploven::test {

using Lines = std::vector<std::string>;

// Records which items the views were asked to repaint.
class RepaintRecorder : public ScheduleHooks {
 public:
  void ItemChanged(ActHandle act) override { repainted.push_back(act); }
  std::vector<ActHandle> repainted;
};

class PriorityTest : public ScheduleTest {
 protected:
  // A fluid item, entered at the end of its tier.
  ActHandle Fluid(const std::string& title, char tier = 'A', float expectedReturn = 0,
                  Duration duration = 60, uint32_t flags = 0) {
    Act a;
    a.flags = AF_FLEXIBLE | flags;
    a.tier = static_cast<uint8_t>(tier);
    a.expectedReturn = expectedReturn;
    a.duration = duration;
    return s.NewItem(kToday, a, title);
  }

  // The index as "A1 title" lines, checking on the way that every item's
  // rank and entry agree with the index.
  std::vector<std::string> Order() {
    std::vector<std::string> out;
    for (const auto& [e, entry] : s.priorityIndex()) {
      EXPECT_EQ(s.ReadAct(entry.item).pitem, e);
      EXPECT_EQ(s.GetActRank(entry.item), entry.rank);
      EXPECT_TRUE(s.ActFlags(entry.item) & AF_FLEXIBLE);
      out.push_back(std::string(1, static_cast<char>(entry.tier)) + std::to_string(entry.rank) +
                    " " + s.GetActNameFull(entry.item));
    }
    EXPECT_EQ(out.size(), s.priorityIndex().Count());
    return out;
  }
};

}  // namespace ploven::test
