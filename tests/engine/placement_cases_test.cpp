// Placement scenarios kept as data: each tests/data/placement/*.case file
// builds days item by item and lists what the days must then hold.
//
//   settings bounds=7:00-23:00 work=9:00-17:00 now=9:00 minsplit=15 light=0
//            reserve=0,0 keepclear=+1..+3 free=+2:200
//   on +1                       date of the following adds (days from today)
//   add task "Title" dur=60 fixed start=12:00 ...   placed with ScheduleTask
//   add ftd "Title" dur=90 split flexible ...        placed with ScheduleTaskFTD
//   segment "Title" len=70                           another part of a split item (FTD)
//   expect +1                   then lines "H:MM LENGTH Title [conflict]"
//   refused "Title"             the last FTD of that title placed nothing
//   freeminutes +1 130
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <sstream>

#include "engine/engine.h"
#include "mock/test_env.h"

namespace ploven::test {
namespace {

std::vector<std::string> CaseFiles() {
  std::vector<std::string> out;
  for (const auto& e : std::filesystem::directory_iterator(PLOVEN_TEST_DATA "/placement"))
    if (e.path().extension() == ".case") out.push_back(e.path().stem().string());
  std::sort(out.begin(), out.end());
  return out;
}

TimeOfDay ParseClock(const std::string& text) {
  const auto colon = text.find(':');
  return static_cast<TimeOfDay>(std::stoi(text.substr(0, colon)) * 60 +
                                std::stoi(text.substr(colon + 1)) + 1);
}

std::string ShowClock(int t) {
  if (t == 0) return "-";  // no time: memos
  const int m = t - 1;
  std::ostringstream out;
  out << m / 60 << ':' << (m % 60 < 10 ? "0" : "") << m % 60;
  return out.str();
}

// Splits a line into words, keeping a quoted title as one word (without quotes).
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> out;
  for (size_t i = 0; i < line.size();) {
    if (line[i] == ' ' || line[i] == '\t') {
      ++i;
    } else if (line[i] == '"') {
      const size_t end = line.find('"', i + 1);
      out.push_back(line.substr(i + 1, end - i - 1));
      i = end + 1;
    } else {
      size_t end = line.find_first_of(" \t", i);
      if (end == std::string::npos) end = line.size();
      out.push_back(line.substr(i, end - i));
      i = end;
    }
  }
  return out;
}

class PlacementCase : public ::testing::TestWithParam<std::string> {
 protected:
  DayNumber Day(const std::string& offset) {
    return static_cast<DayNumber>(TestEnv::kToday + std::stoi(offset));
  }

  void Settings(const std::vector<std::string>& w) {
    for (size_t i = 1; i < w.size(); ++i) {
      const auto eq = w[i].find('=');
      const std::string key = w[i].substr(0, eq), value = w[i].substr(eq + 1);
      const auto dash = value.find('-');
      if (key == "bounds") {
        s.header().setEarliestTimeOfDay(ParseClock(value.substr(0, dash)));
        s.header().setLatestTimeOfDay(ParseClock(value.substr(dash + 1)));
      } else if (key == "work") {
        s.header().setWorkdayStart(ParseClock(value.substr(0, dash)));
        s.header().setWorkdayEnd(ParseClock(value.substr(dash + 1)));
      } else if (key == "now") {
        env.clock.Set(TestEnv::kToday, ParseClock(value));
      } else if (key == "minsplit") {
        s.header().setMinSplitMinutes(std::stoi(value));
      } else if (key == "light") {
        s.header().setMode(value == "1" ? 1 : 3);
      } else if (key == "reserve") {
        const auto comma = value.find(',');
        engine.settings().reserveToday = std::stoi(value.substr(0, comma));
        engine.settings().reserveFutureDay = std::stoi(value.substr(comma + 1));
      } else if (key == "keepclear") {
        const auto dots = value.find("..");
        engine.settings().keepClearFrom = Day(value.substr(0, dots));
        engine.settings().keepClearThrough = Day(value.substr(dots + 2));
      } else if (key == "free") {
        const auto colon = value.find(':');
        s.GetTerminal(Day(value.substr(0, colon)))->freeMinutes =
            static_cast<int16_t>(std::stoi(value.substr(colon + 1)));
      } else {
        FAIL() << "unknown setting " << key;
      }
    }
  }

  Act Record(const std::vector<std::string>& w, size_t from) {
    Act a;
    for (size_t i = from; i < w.size(); ++i) {
      const std::string& word = w[i];
      const auto eq = word.find('=');
      const std::string key = word.substr(0, eq);
      const std::string value = eq == std::string::npos ? "" : word.substr(eq + 1);
      if (key == "dur") a.duration = static_cast<Duration>(std::stoi(value));
      else if (key == "start") a.startTime = ParseClock(value);
      else if (key == "earliest") a.earliestTime = ParseClock(value);
      else if (key == "latest") a.latestTime = ParseClock(value);
      else if (key == "deadline") a.deadlineDate = Day(value);
      else if (key == "deadlinetime") a.deadlineTime = ParseClock(value);
      else if (key == "weekdays") a.weekdays = static_cast<uint8_t>(std::stoi(value, nullptr, 0));
      else if (key == "fixed") a.flags |= AF_FIXED;
      else if (key == "flexible") a.flags |= AF_FLEXIBLE;
      else if (key == "split") a.flags |= AF_SPLIT;
      else if (key == "memo") a.flags |= AF_HOPE;
      else if (key == "done") a.flags |= AF_DONE;
      else if (key == "started") a.flags |= AF_STARTED;
      else if (key == "after-hours") a.flags |= AF_AFTER_HOURS;
      else if (key == "overlap") a.flags |= 0x80000000u;
      else if (key == "first") a.flags |= AF_MARK1;
      else if (key == "last") a.flags |= AF_MARK2;
      else if (key == "work-holiday") a.typeFlags = ACT_MEMO | ACT_WORK_HOLIDAY;
      else ADD_FAILURE() << "unknown item word " << word;
    }
    return a;
  }

  void Add(const std::vector<std::string>& w) {
    const std::string& how = w[1];
    const std::string& title = w[2];
    const Act a = Record(w, 3);
    if (how == "task") {
      items[title] = s.NewItem(m_on, a, title);
    } else if (how == "ftd") {
      Act stamped = a;
      stamped.ddate = m_on;
      const ActHandle h = s.AllocateAct(stamped, title);
      items[title] = h;
      TaskNode* task = s.NewTaskNode(h, 0, a.duration);
      Place(title, task);
    } else {
      FAIL() << "add takes task or ftd, not " << how;
    }
  }

  void Place(const std::string& title, TaskNode* task) {
    if (engine.ScheduleTaskFTD(task, m_on)) {
      refused.erase(title);
    } else {
      refused.insert(title);
      s.FreeTaskNode(task);
    }
  }

  std::string Listing(DayNumber date) {
    std::ostringstream out;
    if (Terminal* day = s.ExistingTerminal(date))
      for (TaskNode* task = day->First(); task != nullptr; task = task->Next())
        out << ShowClock(task->StartTime()) << ' ' << task->length << ' '
            << s.GetActNameFull(task->act) << (task->InConflict() ? " conflict" : "") << '\n';
    return out.str();
  }

  void Run(std::istream& in) {
    std::string line;
    int lineNo = 0;
    DayNumber expecting = 0;
    std::string expected;
    auto finishExpect = [&] {
      if (expecting != 0) {
        EXPECT_EQ(Listing(expecting), expected) << "day +" << expecting - TestEnv::kToday;
      }
      expecting = 0;
      expected.clear();
    };
    while (std::getline(in, line)) {
      ++lineNo;
      SCOPED_TRACE("line " + std::to_string(lineNo) + ": " + line);
      if (const auto hash = line.find('#'); hash != std::string::npos) line.resize(hash);
      const auto w = Words(line);
      if (w.empty()) {
        finishExpect();
        continue;
      }
      static const std::set<std::string> kCommands{"settings", "on",      "add",        "segment",
                                                   "expect",   "refused", "freeminutes"};
      if (expecting != 0 && !kCommands.contains(w[0])) {
        std::string row = w[0] + ' ' + w[1];
        for (size_t i = 2; i < w.size(); ++i) row += ' ' + w[i];
        expected += row + '\n';
        continue;
      }
      finishExpect();
      if (w[0] == "settings") Settings(w);
      else if (w[0] == "on") m_on = Day(w[1]);
      else if (w[0] == "add") Add(w);
      else if (w[0] == "segment")
        Place(w[1], s.NewTaskNode(items.at(w[1]), 0, static_cast<int16_t>(std::stoi(w[2].substr(4)))));
      else if (w[0] == "expect") expecting = Day(w[1]);
      else if (w[0] == "refused") EXPECT_TRUE(refused.contains(w[1])) << w[1] << " was placed";
      else if (w[0] == "freeminutes") EXPECT_EQ(s.ExistingTerminal(Day(w[1]))->freeMinutes, std::stoi(w[2]));
      else ADD_FAILURE() << "unknown command " << w[0];
    }
    finishExpect();
  }

  TestEnv env;
  Schedule s{env.msg, env.clock};
  Engine engine{s};
  DayNumber m_on = TestEnv::kToday + 1;
  std::map<std::string, ActHandle> items;
  std::set<std::string> refused;
};

TEST_P(PlacementCase, DaysHoldWhatTheCaseLists) {
  s.header().setMode(3);
  std::ifstream in(std::string(PLOVEN_TEST_DATA "/placement/") + GetParam() + ".case");
  ASSERT_TRUE(in) << GetParam();
  Run(in);
}

INSTANTIATE_TEST_SUITE_P(Files, PlacementCase, ::testing::ValuesIn(CaseFiles()),
                         [](const ::testing::TestParamInfo<std::string>& p) {
                           std::string name = p.param;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

}  // namespace
}  // namespace ploven::test
