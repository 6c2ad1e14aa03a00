#include "app/program_session.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "app/import_once.h"
#include "done/done_log.h"
#include "mock/scripted_engine_ui.h"
#include "mock/test_env.h"
#include "platform/paths.h"

namespace ploven::test {
namespace {

// A session on a data folder of its own, the clock at 8 December 2026, 9:00.
class ProgramSessionTest : public ::testing::Test {
 protected:
  std::unique_ptr<ProgramSession> Start() {
    auto s = std::make_unique<ProgramSession>(
        ui, clock, ProgramPlaces{dir / "data", dir / "profile.ini", LocaleFacts{true, 0, 1}});
    return s;
  }
  // With no name given the schedule is the data folder's "Timedata.pak".
  std::filesystem::path SchedulePath() const { return dir / "data" / "Timedata.pak"; }

  TempDir dir;
  ScriptedUi ui;
  SettableClock clock{TestEnv::kToday, TestEnv::kNine};
};

TEST_F(ProgramSessionTest, FirstRunMakesAScheduleThatTheNextStartOpens) {
  {
    auto session = Start();
    ASSERT_EQ(session->Open(std::nullopt), SessionStart::kNewSchedule);
    EXPECT_TRUE(session->writable());
    EXPECT_EQ(session->schedule().header().lastArchivedDate(), TestEnv::kToday - 1);
    session->EndStartup();
    Act a;
    a.flags = AF_FIXED;
    a.startTime = 10 * 60 + 1;
    a.duration = 30;
    session->schedule().NewItem(TestEnv::kToday, a, "Dentist");
    EXPECT_TRUE(session->SaveForClose());
  }
  ASSERT_TRUE(std::filesystem::exists(SchedulePath()));
  auto again = Start();
  ASSERT_EQ(again->Open(std::nullopt), SessionStart::kOpened);
  EXPECT_FALSE(again->createdThisRun());
  EXPECT_EQ(again->schedule().ExistingTerminal(TestEnv::kToday)->nTasks, 1);
}

TEST_F(ProgramSessionTest, ScheduleIdentityIsTheSumOfThePathsSignedBytes) {
  EXPECT_EQ(ProgramSession::ScheduleIdentity("ab"), 'a' + 'b');
  // Bytes above 127 count negative, and the sum wraps at 16 bits.
  EXPECT_EQ(ProgramSession::ScheduleIdentity("\xff"), 0xffff);
  EXPECT_EQ(ProgramSession::ScheduleIdentity(std::string(600, '\x7f')),
            static_cast<uint16_t>(600 * 127));
}

TEST_F(ProgramSessionTest, TheMinutePassSavesAndTheDayRollOverArchivesFinishedDays) {
  auto session = Start();
  ASSERT_EQ(session->Open(std::nullopt), SessionStart::kNewSchedule);
  Act a;
  a.flags = AF_FIXED | AF_DONE;
  a.startTime = 8 * 60 + 1;
  a.duration = 15;
  session->schedule().NewItem(TestEnv::kToday, a, "Stand-up");
  // Nothing is written while the program is still starting.
  session->MinutePass();
  EXPECT_FALSE(std::filesystem::exists(SchedulePath()));
  session->EndStartup();
  session->MinutePass();
  EXPECT_TRUE(std::filesystem::exists(SchedulePath()));
  EXPECT_FALSE(session->schedule().changed());

  clock.Set(TestEnv::kToday + 1, 1);
  const ClockTick tick = session->Tick();
  ASSERT_TRUE(tick.dateChanged);
  session->DayRollOver();
  EXPECT_EQ(session->schedule().header().lastArchivedDate(), TestEnv::kToday);
  EXPECT_FALSE(session->schedule().changed());  // and saved
  // The done work of the archived day is in the month's done log.
  const std::string log = DoneLogFileName((dir / "data").string(), TestEnv::kToday, DateText{}.names);
  std::ifstream in(log);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("\tStand-up\t"), std::string::npos) << log;
}

TEST_F(ProgramSessionTest, ImportOnceAddsTodaysAndLaterLinesAndDeletesTheFile) {
  auto session = Start();
  ASSERT_EQ(session->Open(std::nullopt), SessionStart::kNewSchedule);
  session->EndStartup();
  const auto file = dir / "data" / "ImportOnceSilent.txt";
  {
    std::ofstream out(file);
    out << "12/01/26\t9:00a\t0:30\tPast meeting\n"
        << "12/09/26\t10:00a\t1:00\tDesign review\n"
        << "\tfloat\t0:45\tWrite notes\n"
        << "not\ta line\n";
  }
  const ImportOnceResult r = RunImportOnce(*session);
  EXPECT_EQ(r.imported, 2);
  EXPECT_EQ(r.lastDate, TestEnv::kToday);
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_TRUE(ui.boxes.empty());  // the silent file asks nothing
  const Terminal* wednesday = session->schedule().ExistingTerminal(TestEnv::kToday + 1);
  ASSERT_NE(wednesday, nullptr);
  EXPECT_EQ(wednesday->nTasks, 1);
}

TEST_F(ProgramSessionTest, ImportOnceAsksFirstAndImportsNothingOnNo) {
  auto session = Start();
  ASSERT_EQ(session->Open(std::nullopt), SessionStart::kNewSchedule);
  session->EndStartup();
  const auto file = dir / "data" / "ImportOnce.txt";
  { std::ofstream(file) << "\tfloat\t0:45\tWrite notes\n"; }
  ui.Answer(kIdNo);
  EXPECT_EQ(RunImportOnce(*session).imported, 0);
  EXPECT_TRUE(std::filesystem::exists(file));
  EXPECT_TRUE(ui.Showed("Glad we asked"));
}

// A screen on which something else happens while a box is open, as the clock timer does.
class UiWithTimer : public ScriptedUi {
 public:
  BoxAnswer ShowBox(const BoxRequest& box) override {
    if (whileOpen) whileOpen();
    return ScriptedUi::ShowBox(box);
  }
  std::function<void()> whileOpen;
};

// The import-once run holds the engine from its question on: AutoPilot's Balance All Days in
// the minute pass waits until the import is over.
TEST(ImportOnceHold, AutoPilotWaitsWhileTheImportRuns) {
  TempDir dir;
  UiWithTimer ui;
  SettableClock clock{TestEnv::kToday, TestEnv::kNine};
  ProgramSession session(ui, clock,
                         ProgramPlaces{dir / "data", dir / "profile.ini", LocaleFacts{true, 0, 1}});
  ASSERT_EQ(session.Open(std::nullopt), SessionStart::kNewSchedule);
  session.EndStartup();
  ScriptedEngineUi engineUi(TestEnv::kToday);
  session.engine().SetUi(&engineUi);
  session.engine().settings().autoPilot = true;
  session.engine().settings().autoPilotInterval = 1;  // every minute
  Act fluid;
  fluid.flags = AF_FLEXIBLE;
  fluid.duration = 60;
  const ActHandle essay = session.schedule().NewItem(TestEnv::kToday + 3, fluid, "Essay");
  { std::ofstream(dir / "data" / "ImportOnce.txt") << "\tfloat\t0:45\tWrite notes\n"; }

  bool held = false;
  DayNumber dateDuringImport = kNoDate;
  int boxes = 0;
  ui.whileOpen = [&] {
    if (boxes++ > 0) return;  // the question only
    held = session.engine().importing();
    session.MinutePass();
    dateDuringImport = session.schedule().GetActDate(essay);
  };
  ui.Answer(kIdYes);
  EXPECT_EQ(RunImportOnce(session).imported, 1);
  EXPECT_TRUE(held);
  EXPECT_EQ(dateDuringImport, TestEnv::kToday + 3) << "Balance All Days ran during the import";

  ui.whileOpen = nullptr;
  EXPECT_FALSE(session.engine().importing());
  session.MinutePass();
  EXPECT_EQ(session.schedule().GetActDate(essay), TestEnv::kToday);
  session.engine().SetUi(nullptr);
}

TEST_F(ProgramSessionTest, AnInternalErrorLeavesNoLockBehindAndSaysWhatWasSaved) {
  auto session = Start();
  ASSERT_EQ(session->Open(std::nullopt), SessionStart::kNewSchedule);
  const auto lock = dir / "data" / "Timedata.loc";
  ASSERT_TRUE(std::filesystem::exists(lock));
  EXPECT_THROW(session->messages().InternalError("broken", "Test", 1), InternalErrorRaised);
  EXPECT_FALSE(std::filesystem::exists(lock));
  // The new schedule was never saved: the report says when the last save was.
  EXPECT_TRUE(ui.Showed("most recently automatically saved"));
}

// A schedule opened while another program was changing it is read-only until its writer lets
// go; then it is this program's, unless the writer saved in between.
TEST_F(ProgramSessionTest, WriteAccessComesWhenTheWriterLetsGoOfAnUnchangedSchedule) {
  auto writer = Start();
  ASSERT_EQ(writer->Open(std::nullopt), SessionStart::kNewSchedule);
  writer->EndStartup();
  ASSERT_TRUE(writer->SaveForClose());  // the file exists; the writer keeps its lock

  auto reader = Start();
  ASSERT_EQ(reader->Open(std::nullopt), SessionStart::kOpened);
  EXPECT_FALSE(reader->writable());
  EXPECT_EQ(reader->RequestWriteAccess(), WriteAccess::kHeldByOther);
  EXPECT_FALSE(reader->writable());

  writer.reset();  // closes without a change: the file is the one the reader read
  EXPECT_EQ(reader->RequestWriteAccess(), WriteAccess::kGranted);
  EXPECT_TRUE(reader->writable());
  EXPECT_EQ(reader->RequestWriteAccess(), WriteAccess::kAlreadyHeld);
  reader->EndStartup();
  Act a;
  a.flags = AF_FIXED;
  a.startTime = 10 * 60 + 1;
  a.duration = 30;
  reader->schedule().NewItem(TestEnv::kToday, a, "Dentist");
  EXPECT_TRUE(reader->SaveIfChanged());
  reader.reset();
  auto again = Start();
  ASSERT_EQ(again->Open(std::nullopt), SessionStart::kOpened);
  EXPECT_TRUE(again->writable());
  EXPECT_EQ(again->schedule().ExistingTerminal(TestEnv::kToday)->nTasks, 1);
}

TEST_F(ProgramSessionTest, WriteAccessIsRefusedWhenTheWriterSavedAfterTheScheduleWasRead) {
  auto writer = Start();
  ASSERT_EQ(writer->Open(std::nullopt), SessionStart::kNewSchedule);
  writer->EndStartup();
  ASSERT_TRUE(writer->SaveForClose());
  auto reader = Start();
  ASSERT_EQ(reader->Open(std::nullopt), SessionStart::kOpened);
  ASSERT_FALSE(reader->writable());

  Act a;
  a.flags = AF_FIXED;
  a.startTime = 10 * 60 + 1;
  a.duration = 30;
  writer->schedule().NewItem(TestEnv::kToday, a, "Dentist");
  ASSERT_TRUE(writer->SaveIfChanged());
  writer.reset();

  // Writing the old copy now would undo the dentist: the reader stays read-only and lets the
  // lock go, so the next start (or anyone else) can take it.
  EXPECT_EQ(reader->RequestWriteAccess(), WriteAccess::kChangedOnDisk);
  EXPECT_FALSE(reader->writable());
  EXPECT_FALSE(reader->files().lock()->held());
  auto next = Start();
  ASSERT_EQ(next->Open(std::nullopt), SessionStart::kOpened);
  EXPECT_TRUE(next->writable());
  EXPECT_EQ(next->schedule().ExistingTerminal(TestEnv::kToday)->nTasks, 1);
}

}  // namespace
}  // namespace ploven::test
