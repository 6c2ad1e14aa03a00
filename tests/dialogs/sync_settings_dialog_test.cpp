#include "dialogs/sync_settings_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "bridge/calendar_intake.h"
#include "bridge/server_passwords.h"
#include "bridge/sync_switches.h"
#include "mock/test_env.h"
#include "platform/program_settings.h"
#include "platform/settings.h"
#include "platform/settings_keys.h"

namespace ploven::test {
namespace {

// The desktop's secret store: saves into a map, or is not running.
class FakeSecretStore : public SecretStore {
 public:
  Saved Save(const std::string& url, const std::string& user, const std::string& password,
             std::string& why) override {
    if (answer == Saved::kFailed) why = "the user said no";
    if (answer == Saved::kSaved) saved[user + "@" + url] = password;
    return answer;
  }
  Saved answer = Saved::kSaved;
  std::map<std::string, std::string> saved;
};

class SyncSettingsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(settings.Load());
    program.Load(settings, LocaleFacts{});
  }
  // What a later start of the program reads from the file.
  Settings Reloaded() {
    Settings again(env.dir / "Ploven.ini", env.dir / "profile.ini");
    EXPECT_TRUE(again.Load());
    return again;
  }
  std::unique_ptr<SyncSettingsDialog> Dialog() {
    return std::make_unique<SyncSettingsDialog>(program, settings, env.msg, kOpenPath,
                                                env.dir / "data",
                                                ServerPasswordPlaces{&store, &memory});
  }
  // Every file under the test's folder whose bytes hold `text`.
  std::vector<std::string> FilesHolding(const std::string& text) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(env.dir.path())) {
      if (!entry.is_regular_file()) continue;
      std::ifstream in(entry.path(), std::ios::binary);
      const std::string bytes{std::istreambuf_iterator<char>(in), {}};
      if (bytes.find(text) != std::string::npos) found.push_back(entry.path().string());
    }
    return found;
  }
  // The server calendar chosen with an address, a user and a password, then OK.
  std::unique_ptr<SyncSettingsDialog> ChooseServer(const char* url, const char* user,
                                                   const char* password) {
    auto d = Dialog();
    d->serverKindButton()->setChecked(true);
    d->serverUrlField()->setText(url);
    d->serverUserField()->setText(user);
    d->serverPasswordField()->setText(password);
    d->accept();
    return d;
  }

  const std::string kOpenPath = "/home/ann/Ploven/Schedule.pln";
  TestEnv env;
  Settings settings{env.dir / "Ploven.ini", env.dir / "profile.ini"};
  ProgramSettings program;
  FakeSecretStore store;
  ServerPasswords memory;
};

TEST_F(SyncSettingsDialogTest, OpensOnTheDefaultsWithTheKindsWaitingForTheirSwitch) {
  auto d = Dialog();
  EXPECT_FALSE(d->toCalendarBox()->isChecked());
  EXPECT_TRUE(d->sendAppointmentsBox()->isChecked());
  EXPECT_FALSE(d->sendAppointmentsBox()->isEnabled());
  EXPECT_FALSE(d->fromCalendarBox()->isChecked());
  EXPECT_FALSE(d->thisScheduleBox()->isEnabled());
  EXPECT_EQ(d->folderField()->text().toStdString(), (env.dir / "data" / "calendar").string());
  d->toCalendarBox()->setChecked(true);
  EXPECT_TRUE(d->sendTasksBox()->isEnabled());
  // Switching the calendar's changes on makes this schedule the one that receives them.
  d->fromCalendarBox()->setChecked(true);
  EXPECT_TRUE(d->thisScheduleBox()->isChecked());
  EXPECT_TRUE(d->takeTasksBox()->isEnabled());
}

TEST_F(SyncSettingsDialogTest, OkWritesEverySwitchTheScheduleAndTheFolder) {
  {
    auto d = Dialog();
    d->toCalendarBox()->setChecked(true);
    d->sendTasksBox()->setChecked(false);
    d->fromCalendarBox()->setChecked(true);
    d->takeAppointmentsBox()->setChecked(false);
    d->folderField()->setText(" /home/ann/cal/./work ");
    d->accept();
    ASSERT_EQ(d->result(), QDialog::Accepted);
    EXPECT_TRUE(d->changed());
  }
  EXPECT_TRUE(env.ui.boxes.empty());
  Settings again = Reloaded();
  ProgramSettings p;
  p.Load(again, LocaleFacts{});
  EXPECT_EQ(p.plovenOutlook, 1);
  EXPECT_EQ(p.plovenToOutlookAppts, 1);
  EXPECT_EQ(p.plovenToOutlookTasks, 0);
  EXPECT_EQ(p.outlookToPloven, 1);
  EXPECT_EQ(p.outlookToPlovenAppts, 0);
  EXPECT_EQ(p.outlookToPlovenTasks, 1);
  EXPECT_EQ(again.ReadString(key::kOutlookToPlovenPakPath), kOpenPath);
  EXPECT_EQ(again.ReadString(key::kCalendarFolder), "/home/ann/cal/work");
  // What the senders and the intake make of it.
  const SyncSwitches sending = SyncSwitchesOf(p);
  EXPECT_TRUE(sending.appointmentsToCalendar);
  EXPECT_FALSE(sending.tasksToCalendar);
  const IntakeSwitches intake = IntakeSwitchesOf(p, again);
  EXPECT_TRUE(intake.fromCalendar);
  EXPECT_FALSE(intake.appointmentsFromCalendar);
  EXPECT_EQ(intake.receivingPath, kOpenPath);

  // Unticking the schedule leaves it to whichever schedule is open.
  auto d = Dialog();
  EXPECT_TRUE(d->thisScheduleBox()->isChecked());
  EXPECT_EQ(d->folderField()->text(), "/home/ann/cal/work");
  d->thisScheduleBox()->setChecked(false);
  d->accept();
  EXPECT_EQ(Reloaded().ReadString(key::kOutlookToPlovenPakPath), "0");
}

TEST_F(SyncSettingsDialogTest, ARelativeOrEmptyFolderIsRefusedAndNothingIsWritten) {
  for (const char* typed : {"calendar", "  "}) {
    auto d = Dialog();
    d->toCalendarBox()->setChecked(true);
    d->folderField()->setText(typed);
    d->accept();
    EXPECT_NE(d->result(), QDialog::Accepted) << typed;
  }
  EXPECT_EQ(env.ui.boxes.size(), 2u);
  EXPECT_EQ(program.plovenOutlook, 0);
  EXPECT_EQ(Reloaded().ReadString(key::kCalendarFolder), "");
}

TEST_F(SyncSettingsDialogTest, AServerIsWrittenToTheSettingsAndItsPasswordOnlyToTheSecretStore) {
  {
    auto d = Dialog();
    EXPECT_TRUE(d->folderKindButton()->isChecked());
    EXPECT_FALSE(d->serverUrlField()->isEnabled());
    EXPECT_EQ(d->serverPasswordField()->echoMode(), QLineEdit::Password);
  }
  auto d = ChooseServer(" https://cal.example.org/dav/ann/work/ ", "ann", "pw-7f3a9c");
  ASSERT_EQ(d->result(), QDialog::Accepted);
  EXPECT_TRUE(d->calendarChanged());
  EXPECT_TRUE(env.ui.boxes.empty());
  EXPECT_EQ(store.saved, (std::map<std::string, std::string>{
                             {"ann@https://cal.example.org/dav/ann/work/", "pw-7f3a9c"}}));
  // The session's memory has the newest one too, for the companion's question.
  EXPECT_EQ(memory.Kept("https://cal.example.org/dav/ann/work/", "ann"), "pw-7f3a9c");
  Settings again = Reloaded();
  EXPECT_EQ(again.ReadString(key::kCalendarKind), "server");
  EXPECT_EQ(again.ReadString(key::kCalendarServerUrl), "https://cal.example.org/dav/ann/work/");
  EXPECT_EQ(again.ReadString(key::kCalendarServerUser), "ann");
  EXPECT_TRUE(IntakeSwitchesOf(program, again).serverCalendar);
  EXPECT_EQ(FilesHolding("pw-7f3a9c"), std::vector<std::string>{});

  // Opened again: the server as saved, the password field empty; OK alone changes nothing.
  auto same = Dialog();
  EXPECT_TRUE(same->serverKindButton()->isChecked());
  EXPECT_FALSE(same->folderField()->isEnabled());
  EXPECT_EQ(same->serverUserField()->text(), "ann");
  EXPECT_TRUE(same->serverPasswordField()->text().isEmpty());
  same->accept();
  EXPECT_FALSE(same->calendarChanged());
  EXPECT_EQ(store.saved.size(), 1u);

  // Another user is another calendar; so is going back to the folder.
  EXPECT_TRUE(ChooseServer("https://cal.example.org/dav/ann/work/", "bob", "")->calendarChanged());
  auto folder = Dialog();
  folder->folderKindButton()->setChecked(true);
  folder->accept();
  EXPECT_TRUE(folder->calendarChanged());
  EXPECT_EQ(Reloaded().ReadString(key::kCalendarKind), "folder");
}

TEST_F(SyncSettingsDialogTest, WithoutASecretStoreThePasswordIsKeptInMemoryAndTheUserTold) {
  for (const auto answer : {SecretStore::Saved::kNoStore, SecretStore::Saved::kFailed}) {
    store.answer = answer;
    env.ui.boxes.clear();
    auto d = ChooseServer("http://localhost:5232/ann/cal/", "ann", "pw-51be02");
    ASSERT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(memory.Kept("http://localhost:5232/ann/cal/", "ann"), "pw-51be02");
    ASSERT_EQ(env.ui.Texts().size(), 1u);
    const std::string told = env.ui.Texts()[0];
    EXPECT_NE(told.find(answer == SecretStore::Saved::kNoStore ? "No password store"
                                                               : "the user said no"),
              std::string::npos)
        << told;
    EXPECT_TRUE(store.saved.empty());
    EXPECT_EQ(FilesHolding("pw-51be02"), std::vector<std::string>{});
  }
}

TEST_F(SyncSettingsDialogTest, AnAddressThatIsNotHttpIsRefusedAndNothingIsWritten) {
  for (const char* typed : {"", "cal.example.org/dav/", "ftp://cal.example.org/dav/", "https://",
                            "file:///home/ann/cal"}) {
    auto d = ChooseServer(typed, "ann", "pw-0c11");
    EXPECT_NE(d->result(), QDialog::Accepted) << typed;
  }
  EXPECT_EQ(env.ui.boxes.size(), 5u);
  EXPECT_NE(env.ui.Texts()[0].find("http://"), std::string::npos);
  EXPECT_TRUE(store.saved.empty());
  EXPECT_EQ(memory.Kept("ftp://cal.example.org/dav/", "ann"), std::nullopt);
  EXPECT_EQ(Reloaded().ReadString(key::kCalendarKind), "");
  // While the server is chosen, a folder field left bad is no reason to refuse.
  auto d = Dialog();
  d->folderField()->setText("relative");
  d->serverKindButton()->setChecked(true);
  d->serverUrlField()->setText("https://cal.example.org/");
  d->accept();
  EXPECT_EQ(d->result(), QDialog::Accepted);
  EXPECT_EQ(Reloaded().ReadString(key::kCalendarFolder), "");
}

TEST_F(SyncSettingsDialogTest, ALoginOverPlainHttpToAnotherComputerIsAskedAbout) {
  env.ui.Answer(kIdNo);
  auto refused = ChooseServer("http://cal.example.org/dav/ann/", "ann", "pw-77");
  EXPECT_NE(refused->result(), QDialog::Accepted);
  ASSERT_EQ(env.ui.boxes.size(), 1u);
  EXPECT_NE(env.ui.Texts()[0].find("cal.example.org"), std::string::npos);
  EXPECT_EQ(Reloaded().ReadString(key::kCalendarKind), "");

  env.ui.Answer(kIdYes);
  EXPECT_EQ(ChooseServer("http://cal.example.org/dav/ann/", "ann", "pw-77")->result(),
            QDialog::Accepted);
  // No login, https, or this computer itself: nothing to ask.
  const size_t asked = env.ui.boxes.size();
  EXPECT_EQ(ChooseServer("http://cal.example.org/public/", "", "")->result(), QDialog::Accepted);
  EXPECT_EQ(ChooseServer("https://cal.example.org/dav/ann/", "ann", "")->result(),
            QDialog::Accepted);
  EXPECT_EQ(ChooseServer("http://127.0.0.1:5232/ann/cal/", "ann", "")->result(),
            QDialog::Accepted);
  EXPECT_EQ(env.ui.boxes.size(), asked);
}

}  // namespace
}  // namespace ploven::test
