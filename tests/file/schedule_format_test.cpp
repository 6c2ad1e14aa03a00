#include <gtest/gtest.h>

#include <algorithm>

#include "file/format_messages.h"
#include "file/schedule_format.h"
#include "mock/test_env.h"
#include "store/consistency_check.h"
#include "store/projects.h"
#include "store/schedule.h"

namespace ploven::test {
namespace {

namespace t = format_text;
constexpr DayNumber kToday = TestEnv::kToday;

std::vector<uint8_t> Save(Schedule& s, int16_t version = 26) {
  auto bytes = SaveSchedule(s, SaveOptions{version, std::nullopt});
  EXPECT_TRUE(bytes.has_value());
  return bytes.value_or(std::vector<uint8_t>{});
}

// Builds the kinds of content a real schedule holds.
struct Content {
  explicit Content(Schedule& sched) : s(sched) {}

  ActHandle Item(const std::string& title, DayNumber date, uint32_t flags = AF_FIXED,
                 Duration duration = 30, TimeOfDay start = 9 * 60 + 1) {
    Act a;
    a.flags = flags;
    a.duration = duration;
    a.startTime = start;
    a.tier = 'B';
    return s.NewItem(date, a, title);
  }

  // One item shown on three days as three segments.
  ActHandle Split(const std::string& title) {
    Act a;
    a.flags = AF_SPLIT | AF_FLEXIBLE;
    a.duration = 90;
    a.tier = 'A';
    a.ddate = kToday;
    const ActHandle h = s.AllocateAct(a, title);
    s.GetActID(h);
    for (int d = 0; d < 3; ++d) {
      Terminal* day = s.GetTerminal(static_cast<DayNumber>(kToday + d));
      s.LinkTaskAfter(*day, Schedule::LastTask(day->First()),
                      s.NewTaskNode(h, static_cast<int16_t>(600 + d), 30));
    }
    s.AddToActChain(h, kToday);
    s.AddToPriorityIndex(h, kEndOfTierRank);
    return h;
  }

  ActHandle Recurring(const std::string& title, std::vector<DayNumber> cancelled = {}) {
    Act a;
    a.duration = 15;
    a.startTime = 8 * 60 + 1;
    a.flags = AF_FIXED;
    Beta b;
    b.freq = 1;
    b.startDate = kToday;
    const ActHandle def = s.NewItem(0, a, title, &b);
    s.GetActID(def);
    for (DayNumber d : cancelled) s.AddXlistEntry(def, d, kNoAct);
    return def;
  }

  void Clone(ActHandle def, DayNumber date) {
    Terminal* day = s.GetTerminal(date);
    s.LinkTaskAfter(*day, nullptr, s.NewTaskNode(def, 8 * 60 + 1, 15));
  }

  ActHandle Drone(ActHandle def, DayNumber date) {
    Act a = s.ReadAct(def);
    a.flags = (a.flags & ~static_cast<uint32_t>(AF_BETA)) | AF_DRONE;
    a.hBeta = def;
    a.ddate = a.createdDate = date;
    a.ID = 0;
    const ActHandle h = s.AllocateAct(a, s.GetActNameFull(def) + " (moved)");
    s.GetActID(h);
    s.AddXlistEntry(def, date, h);
    Terminal* day = s.GetTerminal(date);
    s.LinkTaskAfter(*day, nullptr, s.NewTaskNode(h, 10 * 60 + 1, 15));
    s.AddToActChain(h, date);
    return h;
  }

  Schedule& s;
};

class ScheduleFormatTest : public ::testing::Test {
 protected:
  // A fresh schedule loaded from bytes, with its own screen so messages can be checked.
  struct Loaded {
    TestEnv env;
    Schedule s{env.msg, env.clock};
    LoadResult result;
  };
  std::unique_ptr<Loaded> Load(const std::vector<uint8_t>& bytes) {
    auto l = std::make_unique<Loaded>();
    l->result = LoadSchedule(l->s, bytes);
    return l;
  }

  void FillRich() {
    Content c(s);
    c.Item("Dentist", kToday);
    c.Item("Call the bank", kToday + 1, AF_FLEXIBLE, 45, 0);
    c.Item("Write report", kToday + 1, AF_FLEXIBLE, 120, 0);
    c.Item("Plan the week", kToday + 2, AF_HOPE, 0, 0);
    Act project;
    project.typeFlags = ACT_PROJECT;
    const ActHandle p = NewProject(s, project, "House move");
    const ActHandle boxes = c.Item("Pack boxes", kToday + 2, AF_FLEXIBLE, 60, 0);
    s.LockAct(boxes).projectID = s.ReadAct(p).ID;
    c.Split("Long essay");
    const ActHandle def = c.Recurring("Stand-up", {kToday + 4});
    c.Clone(def, kToday);
    c.Clone(def, kToday + 1);
    c.Drone(def, kToday + 2);
    RebuildProjectTree(s);
    s.header().setLastArchivedDate(kToday - 1);
  }

  TestEnv env;
  Schedule s{env.msg, env.clock};
};

TEST_F(ScheduleFormatTest, EmptyScheduleIsExactly789BytesAndLoadsBack) {
  const auto bytes = Save(s);
  ASSERT_EQ(bytes.size(), kEmptyScheduleFileSize);
  // The signature is not scrambled; the final zero priority key is.
  EXPECT_EQ(bytes[0], 0xA0);
  EXPECT_EQ(bytes[1], 0x32);
  EXPECT_EQ(bytes[2], 26);
  EXPECT_EQ(bytes[3], 0);
  const uint8_t scrambledZero[] = {0xB4 ^ 0x6D, 1 ^ 0xB4 ^ 0x6D, 2 ^ 0xB4 ^ 0x6D, 3 ^ 0xB4 ^ 0x6D};
  EXPECT_TRUE(std::equal(bytes.end() - 4, bytes.end(), scrambledZero));
  auto l = Load(bytes);
  EXPECT_TRUE(l->result.ok);
  EXPECT_TRUE(l->env.ui.boxes.empty());
  EXPECT_FALSE(l->s.changed());
}

TEST_F(ScheduleFormatTest, SavingALoadedScheduleGivesTheSameBytes) {
  FillRich();
  const auto first = Save(s);
  auto l = Load(first);
  ASSERT_TRUE(l->result.ok) << l->env.msg.LastMessage();
  EXPECT_TRUE(l->env.ui.boxes.empty()) << l->env.msg.LastMessage();
  const auto second = Save(l->s);
  ASSERT_EQ(second.size(), first.size());
  const auto diff = std::mismatch(first.begin(), first.end(), second.begin());
  EXPECT_EQ(diff.first, first.end()) << "first difference at byte " << (diff.first - first.begin());
}

TEST_F(ScheduleFormatTest, ContentSurvivesTheRoundTrip) {
  FillRich();
  auto l = Load(Save(s));
  ASSERT_TRUE(l->result.ok);
  Schedule& r = l->s;
  EXPECT_EQ(CheckConsistency(s), std::nullopt);
  EXPECT_EQ(CheckConsistency(r), std::nullopt);
  EXPECT_EQ(r.actChain().Count(), s.actChain().Count());
  EXPECT_EQ(r.CountTerminals(), s.CountTerminals());
  EXPECT_EQ(r.projects().Count(), 1u);
  EXPECT_EQ(r.projects().tree().Count(), s.projects().tree().Count());
  EXPECT_EQ(r.header().nextActID(), s.header().nextActID());

  // The priority order is kept item for item.
  std::vector<std::string> before, after;
  for (auto e : s.priorityIndex()) before.push_back(s.GetActNameFull(e.entry.item));
  for (auto e : r.priorityIndex()) after.push_back(r.GetActNameFull(e.entry.item));
  EXPECT_EQ(after, before);

  // Clones point at the definition again, and the drone sits in its exception list.
  ASSERT_EQ(r.betaChain().size(), 1u);
  const ActHandle def = r.betaChain()[0];
  EXPECT_EQ(r.ExistingTerminal(kToday)->nClones, 1);
  const Beta& beta = r.LockBeta(r.ReadAct(def).hBeta);
  ASSERT_EQ(beta.xlist.size(), 2u);
  EXPECT_EQ(beta.xlist[0].date, kToday + 2);
  ASSERT_NE(beta.xlist[0].drone, kNoAct);
  EXPECT_EQ(r.ReadAct(beta.xlist[0].drone).hBeta, def);
  EXPECT_EQ(beta.xlist[1].drone, kNoAct);
}

TEST_F(ScheduleFormatTest, SplitItemOnThreeDaysLoadsAsOneItemWithThreeTasks) {
  Content(s).Split("Long essay");
  auto l = Load(Save(s));
  ASSERT_TRUE(l->result.ok);
  ASSERT_EQ(l->s.actChain().Count(), 1u);
  const ActHandle h = l->s.actChain().begin()->second.act;
  EXPECT_EQ(l->s.CountActTasks(h), 3);
  EXPECT_EQ(l->s.priorityIndex().Count(), 1u);
  for (int d = 0; d < 3; ++d)
    EXPECT_EQ(l->s.ExistingTerminal(static_cast<DayNumber>(kToday + d))->First()->start, 600 + d);
}

TEST_F(ScheduleFormatTest, UneditedRecurringInstanceTakesEightBytes) {
  Content c(s);
  const ActHandle def = c.Recurring("Stand-up");
  c.Clone(def, kToday);
  const size_t one = Save(s).size();
  c.Clone(def, kToday);
  EXPECT_EQ(Save(s).size(), one + 8);
}

TEST_F(ScheduleFormatTest, EveryUnitIsScrambledFromPositionZero) {
  Content(s).Item("Dentist", kToday);
  const auto bytes = Save(s);
  const std::string title = "Dentist";
  std::string scrambled;
  for (size_t p = 0; p < title.size(); ++p)
    scrambled += static_cast<char>(title[p] ^ p ^ kFileKey ^ kMaskConstant);
  const std::string file(bytes.begin(), bytes.end());
  EXPECT_NE(file.find(scrambled), std::string::npos);
  // Read from one byte further into its unit, the same title comes out garbled.
  std::string shifted;
  for (size_t p = 0; p < title.size(); ++p)
    shifted += static_cast<char>(title[p] ^ (p + 1) ^ kFileKey ^ kMaskConstant);
  EXPECT_EQ(file.find(shifted), std::string::npos);
}

TEST_F(ScheduleFormatTest, AnyChangedHeaderByteIsRefused) {
  FillRich();
  const auto good = Save(s);
  for (size_t i = 4; i <= 164; ++i) {
    auto bad = good;
    bad[i] ^= 0x01;
    auto l = Load(bad);
    EXPECT_FALSE(l->result.ok) << "byte " << i;
    EXPECT_TRUE(l->env.ui.Showed(t::kDatafileInvalid)) << "byte " << i;
  }
}

struct Refusal {
  int16_t magic;
  int16_t version;
  const char* text;
};

class SignatureTest : public ScheduleFormatTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(SignatureTest, IsRefusedWithItsMessage) {
  auto bytes = Save(s);
  bytes[0] = static_cast<uint8_t>(GetParam().magic);
  bytes[1] = static_cast<uint8_t>(GetParam().magic >> 8);
  bytes[2] = static_cast<uint8_t>(GetParam().version);
  bytes[3] = static_cast<uint8_t>(GetParam().version >> 8);
  auto l = Load(bytes);
  EXPECT_FALSE(l->result.ok);
  EXPECT_TRUE(l->env.ui.Showed(GetParam().text)) << l->env.msg.LastMessage();
}

INSTANTIATE_TEST_SUITE_P(
    Formats, SignatureTest,
    ::testing::Values(Refusal{0x1234, 26, t::kNotAScheduleFile},
                      Refusal{12960, 27, t::kNewerVersion1}, Refusal{12960, 99, t::kNewerVersion3},
                      Refusal{12960, 19, t::kIncompatibleFormat},
                      Refusal{12960, 100, t::kIncompatibleFormat}));

TEST_F(ScheduleFormatTest, UnsetArchiveDateNeverArchivesTodayOrLater) {
  Content(s).Item("Dentist", kToday + 5);
  s.header().setLastArchivedDate(0);
  auto l = Load(Save(s));
  ASSERT_TRUE(l->result.ok);
  EXPECT_EQ(l->s.header().lastArchivedDate(), kToday - 1);
  Content(s).Item("Old call", kToday - 10);
  auto older = Load(Save(s));
  EXPECT_EQ(older->s.header().lastArchivedDate(), kToday - 11);
}

TEST_F(ScheduleFormatTest, VersionFrom10000OnIsReadAsFormat24) {
  Content(s).Item("Dentist", kToday);
  auto bytes = Save(s, 24);
  bytes[2] = 0x10;  // 10000
  bytes[3] = 0x27;
  auto l = Load(bytes);
  ASSERT_TRUE(l->result.ok) << l->env.msg.LastMessage();
  EXPECT_EQ(l->result.formatVersion, 24);
  EXPECT_NE(l->s.FindActByTitle("Dentist"), kNoAct);
}

class BackLevelTest : public ScheduleFormatTest, public ::testing::WithParamInterface<int16_t> {};

TEST_P(BackLevelTest, DatedItemsAndRecurringInstancesSurvive) {
  Content c(s);
  c.Item("Dentist", kToday);
  c.Item("Call the bank", kToday + 1, AF_FLEXIBLE, 45, 0);
  const ActHandle def = c.Recurring("Stand-up", {kToday + 3});
  c.Clone(def, kToday);
  const auto bytes = Save(s, GetParam());
  EXPECT_EQ(bytes[2], GetParam());
  auto l = Load(bytes);
  ASSERT_TRUE(l->result.ok) << l->env.msg.LastMessage();
  Schedule& r = l->s;
  EXPECT_EQ(r.actChain().Count(), 3u);
  EXPECT_EQ(r.ExistingTerminal(kToday)->nClones, 1);
  ASSERT_EQ(r.betaChain().size(), 1u);
  EXPECT_EQ(r.LockBeta(r.ReadAct(r.betaChain()[0]).hBeta).xlist.size(), 1u);
  // Before format 22 no item is flexible.
  EXPECT_EQ(r.priorityIndex().Count(), GetParam() >= 22 ? 1u : 0u);
  const ActHandle dentist = r.FindActByTitle("Dentist");
  ASSERT_NE(dentist, kNoAct);
  EXPECT_EQ(r.ReadAct(dentist).flags & AF_FIXED, static_cast<uint32_t>(AF_FIXED));
  EXPECT_EQ(r.ReadAct(dentist).startTime, 9 * 60 + 1);
  EXPECT_EQ(r.ReadAct(dentist).duration, 30);
  // The schedule in memory keeps its own format.
  EXPECT_EQ(s.header().Get<int16_t>(ScheduleHeader::kFormatVersion), 26);
}

TEST_P(BackLevelTest, SplitItemsCannotBeWrittenBelow25) {
  Content(s).Split("Long essay");
  auto bytes = SaveSchedule(s, SaveOptions{GetParam(), std::nullopt});
  EXPECT_EQ(bytes.has_value(), GetParam() >= 25);
  EXPECT_EQ(env.ui.Showed(t::kSplitBackLevel), GetParam() < 25);
}

INSTANTIATE_TEST_SUITE_P(Versions, BackLevelTest, ::testing::Values(21, 22, 23, 24, 25));

TEST_F(ScheduleFormatTest, EveryCutAndEveryFlippedByteLoadsOrIsRefusedWithAMessage) {
  FillRich();
  const auto good = Save(s);
  int refused = 0, fatal = 0;
  auto tryLoad = [&](const std::vector<uint8_t>& bytes, const std::string& what) {
    auto l = std::make_unique<Loaded>();
    try {
      l->result = LoadSchedule(l->s, bytes);
      if (!l->result.ok) {
        ++refused;
        EXPECT_FALSE(l->env.ui.boxes.empty()) << what << ": refused without a message";
      }
    } catch (const InternalErrorRaised&) {
      ++fatal;  // the report names the damage and the file stays as it was
    }
  };
  for (size_t cut = 0; cut < good.size(); ++cut)
    tryLoad(std::vector<uint8_t>(good.begin(), good.begin() + static_cast<long>(cut)),
            "cut at " + std::to_string(cut));
  EXPECT_EQ(refused + fatal, static_cast<int>(good.size()));
  for (size_t i = 0; i < good.size(); ++i) {
    auto bad = good;
    bad[i] ^= 0xFF;
    tryLoad(bad, "flip at " + std::to_string(i));
  }
}

TEST_F(ScheduleFormatTest, OverlongTitleIsRefused) {
  Content(s).Item("Dentist", kToday);
  auto bytes = Save(s);
  // The title length sits in the first four bytes of the item's record,
  // which follows the day's record and the task entry.
  const size_t record = 4 + 651 + 130 + 28 + 8;
  const uint32_t length = 1001;
  for (size_t i = 0; i < 4; ++i)
    bytes[record + i] = static_cast<uint8_t>((length >> (8 * i)) ^ i ^ kFileKey ^ kMaskConstant);
  auto l = Load(bytes);
  EXPECT_FALSE(l->result.ok);
  EXPECT_TRUE(l->env.ui.Showed(t::kTitleTooLong));
}

TEST_F(ScheduleFormatTest, DamagedProjectsTreeIsRebuiltOnRequest) {
  FillRich();
  // An item of the tree that is gone from the schedule.
  const ActHandle ghost = s.AllocateAct(Act{}, "ghost");
  s.LockAct(ghost).ID = 999999;
  s.projects().tree().Append(ghost, kNoTreeNode);
  const auto bytes = Save(s);

  bool noted = false;
  auto fixed = std::make_unique<Loaded>();
  fixed->env.ui.Answer(kIdCustom1);
  fixed->result = LoadSchedule(fixed->s, bytes, LoadOptions{0, [&] { noted = true; }});
  EXPECT_TRUE(fixed->result.ok);
  EXPECT_TRUE(noted);
  EXPECT_TRUE(fixed->env.ui.Showed("Projects Tree data successfully rebuilt."));
  EXPECT_TRUE(fixed->s.changed());
  EXPECT_EQ(fixed->s.projects().tree().RootCount(), 1u);

  auto exited = std::make_unique<Loaded>();
  exited->env.ui.Answer(kIdCustom1 + 1);
  EXPECT_THROW(LoadSchedule(exited->s, bytes), InternalErrorRaised);
  EXPECT_TRUE(exited->env.Logged(t::kCorruptFile));
  s.FreeAct(ghost);
}

TEST_F(ScheduleFormatTest, InstanceOfAMissingDefinitionFailsTheLoad) {
  Content c(s);
  const ActHandle def = c.Recurring("Stand-up");
  c.Clone(def, kToday);
  auto bytes = Save(s);
  // The clone's entry follows the definition (record, title, recurrence) and its day.
  const size_t ref = 4 + 651 + 130 + (130 + 8 + 28) + 28;
  const uint32_t missing = 4242;
  for (size_t i = 0; i < 4; ++i)
    bytes[ref + i] = static_cast<uint8_t>((missing >> (8 * i)) ^ i ^ kFileKey ^ kMaskConstant);
  auto l = Load(bytes);
  EXPECT_FALSE(l->result.ok);
  EXPECT_TRUE(l->env.ui.Showed("disconnected instance of a recurring item"));
}

TEST_F(ScheduleFormatTest, TitleScramblingIsLossyButPrintable) {
  const std::string out = ScrambleTitle("Pay rent \x90 now", kDefaultTitleScrambleKey);
  EXPECT_EQ(out.size(), 14u);
  EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](char c) { return c >= 32 && c < 127; }));
  EXPECT_NE(out, "Pay rent \x90 now");
  // Same input, same output: the support copy is reproducible.
  EXPECT_EQ(out, ScrambleTitle("Pay rent \x90 now", kDefaultTitleScrambleKey));
  FillRich();
  auto bytes = SaveSchedule(s, SaveOptions{26, kDefaultTitleScrambleKey});
  ASSERT_TRUE(bytes);
  auto l = Load(*bytes);
  ASSERT_TRUE(l->result.ok);
  EXPECT_EQ(l->s.actChain().Count(), s.actChain().Count());
  EXPECT_EQ(l->s.FindActByTitle("Dentist"), kNoAct);
  // The schedule in use keeps its titles.
  EXPECT_NE(s.FindActByTitle("Dentist"), kNoAct);
}

}  // namespace
}  // namespace ploven::test
