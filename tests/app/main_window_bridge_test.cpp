// The calendar bridge in the desktop program: the commands send what the calendar should
// mirror (only while Synchronization Settings allow it), and the calendar's changes come in.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTimer>

#include "app/companion_link.h"
#include "app/main_window.h"
#include "app/program_session.h"
#include "bridge/bridge_messages.h"
#include "bridge/fake_link.h"
#include "dialogs/item_properties_dialog.h"
#include "dialogs/sync_settings_dialog.h"
#include "mock/test_env.h"
#include "platform/settings_keys.h"
#include "views/day_view.h"
#include "views/multi_day_view.h"

namespace ploven::test {
namespace {

class MainWindowBridgeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    session = std::make_unique<ProgramSession>(
        ui, clock, ProgramPlaces{dir / "data", dir / "profile.ini", LocaleFacts{true, 0, 1}});
    ASSERT_NE(session->Open(std::nullopt), SessionStart::kExit);
    session->EndStartup();
    auto fake = std::make_unique<FakeLink>();
    link = fake.get();
    session->calendar().UseLink(std::move(fake));
    session->programSettings().plovenOutlook = 1;  // sending to the calendar is on
    window = std::make_unique<MainWindow>(*session, ui);
    window->resize(1000, 700);
    window->show();
    QApplication::setActiveWindow(window.get());
  }
  ActHandle Fixed(const std::string& title, int hour, Duration duration) {
    Act a;
    a.flags = AF_FIXED;
    a.startTime = ClockTime(hour, 0);
    a.duration = duration;
    return session->schedule().NewItem(TestEnv::kToday, a, title);
  }
  void Select(ActHandle h) {
    window->RefreshViews();
    auto* days = window->findChild<MultiDayView*>();
    ASSERT_NE(days, nullptr);
    ASSERT_NE(days->ActiveView(), nullptr);
    days->ActiveView()->SelectTask(session->schedule().ActTask(h));
  }
  // The next item dialog gets `use`, then OK.
  void OnItemDialog(bool& opened, std::function<void(ItemPropertiesDialog&)> use) {
    QTimer::singleShot(0, [&opened, use = std::move(use)] {
      auto* dialog = qobject_cast<ItemPropertiesDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      opened = true;
      use(*dialog);
      dialog->accept();
      if (dialog->isVisible()) dialog->reject();
    });
  }
  std::vector<std::string> Actions() const {
    std::vector<std::string> out;
    for (const BridgeFrame& f : link->frames) out.push_back(f.action);
    return out;
  }

  TempDir dir;
  ScriptedUi ui;
  SettableClock clock{TestEnv::kToday, TestEnv::kNine};
  std::unique_ptr<ProgramSession> session;
  std::unique_ptr<MainWindow> window;
  FakeLink* link = nullptr;
};

TEST_F(MainWindowBridgeTest, DeleteTellsTheCalendarWhileTheItemIsStillThere) {
  const ActHandle h = Fixed("Call the bank", 10, 30);
  const uint32_t id = session->schedule().GetActID(h);
  Select(h);
  window->Dispatch(Command::kDeleteItem);
  EXPECT_FALSE(session->schedule().IsActValid(h) && session->schedule().ActTask(h) != nullptr);
  ASSERT_EQ(link->frames.size(), 1u);
  EXPECT_EQ(
      link->frames[0],
      (BridgeFrame{BridgeCode::kAppointment, "Call the bank", kActionDelete, id, kNoDate, {}}));
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(MainWindowBridgeTest, DoneAndDuplicateSendTheirRecords) {
  const ActHandle h = Fixed("Letters", 10, 30);
  Select(h);
  window->Dispatch(Command::kDone);
  ASSERT_TRUE(session->schedule().ActFlags(h) & AF_DONE);
  ASSERT_EQ(link->frames.size(), 1u);
  EXPECT_EQ(link->frames[0].action, kActionDone);
  EXPECT_EQ(link->frames[0].record, "Done\tLetters\t");
  EXPECT_EQ(link->frames[0].occurrenceDate, TestEnv::kToday);

  const ActHandle other = Fixed("Invoices", 12, 30);
  Select(other);
  window->Dispatch(Command::kDuplicate);
  ASSERT_EQ(link->frames.size(), 2u);
  EXPECT_EQ(link->frames[1].action, kActionSave);
  EXPECT_EQ(link->frames[1].code, BridgeCode::kAppointment);
  EXPECT_EQ(link->frames[1].record.rfind("Invoices\t", 0), 0u);
  EXPECT_NE(link->frames[1].itemID, session->schedule().GetActID(other));
}

TEST_F(MainWindowBridgeTest, TheItemDialogSendsNewItemsAndChangesWithTheOldTitle) {
  bool opened = false;
  OnItemDialog(opened, [](ItemPropertiesDialog& d) {
    d.titleField()->setPlainText("Write the report");
    d.durationField()->setText("1:15");
  });
  window->Dispatch(Command::kNewItem);
  ASSERT_TRUE(opened);
  ASSERT_EQ(link->frames.size(), 1u);
  EXPECT_EQ(link->frames[0].action, kActionSave);
  EXPECT_EQ(link->frames[0].code, BridgeCode::kTask);  // a duration and no start: a task
  EXPECT_EQ(link->frames[0].record.rfind("Write the report\t", 0), 0u);

  const ActHandle h = session->schedule().FindActByTitle("Write the report");
  ASSERT_NE(h, kNoAct);
  Select(h);
  opened = false;
  OnItemDialog(opened,
               [](ItemPropertiesDialog& d) { d.titleField()->setPlainText("Write the summary"); });
  window->Dispatch(Command::kModifyItem);
  ASSERT_TRUE(opened);
  ASSERT_EQ(link->frames.size(), 2u);
  EXPECT_EQ(link->frames[1].action, kActionChange);
  EXPECT_EQ(link->frames[1].record.rfind("Write the report\tWrite the summary\t", 0), 0u);
  EXPECT_EQ(link->frames[1].itemID, session->schedule().GetActID(h));
}

TEST_F(MainWindowBridgeTest, NothingIsSentWhileTheSwitchesSayNo) {
  const ActHandle h = Fixed("Call", 10, 30);
  session->programSettings().plovenOutlook = 0;
  Select(h);
  window->Dispatch(Command::kDone);
  // On, but another schedule is the one that syncs.
  session->programSettings().plovenOutlook = 1;
  session->settings().WriteString(key::kOutlookToPlovenPakPath, (dir / "Other.pln").string());
  const ActHandle other = Fixed("Post", 12, 30);
  Select(other);
  window->Dispatch(Command::kDeleteItem);
  EXPECT_TRUE(link->frames.empty());
  EXPECT_TRUE(link->starts.empty());
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(MainWindowBridgeTest, WithoutTheCompanionProgramTheUserIsToldWhereItWasLookedFor) {
  session->calendar().UseLink(MakeCompanionLink(dir / "data"));
  const ActHandle h = Fixed("Call", 10, 30);
  Select(h);
  window->Dispatch(Command::kDone);
  EXPECT_TRUE(session->schedule().ActFlags(h) & AF_DONE);  // the item is done whatever happens
  ASSERT_GE(ui.Texts().size(), 2u);
  EXPECT_NE(ui.Texts()[0].find("cannot find the Ploven calendar plug-in file ("),
            std::string::npos);
  EXPECT_NE(ui.Texts()[0].find("ploven-calendar)"), std::string::npos);
  EXPECT_EQ(ui.Texts()[1], kDoneNoCompanion);
}

TEST_F(MainWindowBridgeTest, TheCalendarsNewAppointmentComesInIsSavedAndEchoed) {
  session->programSettings().outlookToPloven = 1;
  BridgeFrame f;
  f.code = BridgeCode::kAppointment;
  f.key = "evt-1";
  f.record =
      "Dentist\t8/12/2026\t14:30\t**\t15:15\tFalse\tFalse\t12/08/26\t0:0:\tAnn\t\t\t\t \t\t\t"
      "normal\tFalse\t\t2\t0\t0\tnorecurring\t\n";
  link->calendarChanges = {f};
  window->TakeCalendarChanges();
  Schedule& s = session->schedule();
  const ActHandle h = s.FindActByTitle("Dentist");
  ASSERT_NE(h, kNoAct);
  EXPECT_EQ(s.ReadAct(h).startTime, ClockTime(14, 30));
  EXPECT_EQ(s.ReadAct(h).duration, 45);
  EXPECT_FALSE(s.changed());  // saved before the answer
  ASSERT_EQ(link->frames.size(), 1u);
  EXPECT_EQ(link->frames[0].code, BridgeCode::kIdEcho);
  EXPECT_EQ(link->frames[0].key, "evt-1");
  EXPECT_EQ(link->frames[0].itemID, s.GetActID(h));

  // Switched off: not even asked.
  session->programSettings().outlookToPloven = 0;
  const int fetches = link->fetches;
  window->TakeCalendarChanges();
  EXPECT_EQ(link->fetches, fetches);
}

TEST_F(MainWindowBridgeTest, NothingComesInWhileADialogIsOpen) {
  session->programSettings().outlookToPloven = 1;
  int fetchesInside = -1;
  QDialog dialog(window.get());
  QTimer::singleShot(0, [&] {
    window->TakeCalendarChanges();  // the timer fires under the dialog
    fetchesInside = link->fetches;
    dialog.reject();
  });
  dialog.exec();
  EXPECT_EQ(fetchesInside, 0);
  window->TakeCalendarChanges();
  EXPECT_EQ(link->fetches, 1);
}

// A desktop without a secret store.
class NoSecretStore : public SecretStore {
 public:
  Saved Save(const std::string&, const std::string&, const std::string&, std::string&) override {
    return Saved::kNoStore;
  }
};

// The companion's question for the password of a calendar server, as it arrives.
BridgeFrame PasswordQuestion(const std::string& key, const std::string& user) {
  BridgeFrame f;
  f.code = BridgeCode::kPasswordWanted;
  f.action = kActionFromCalendar;
  f.key = key;
  f.record = "https://cal.example.org/dav/\n" + user;
  return f;
}

TEST_F(MainWindowBridgeTest, AServersPasswordIsAskedOnceUnseenAndACancelIsNotAskedAgain) {
  // Only sending is on; a server's companion that runs is asked all the same.
  ASSERT_TRUE(session->settings().WriteString(key::kCalendarKind, "server"));
  int asked = 0;
  auto answerNextBox = [&](const char* typed) {
    QTimer::singleShot(0, [&asked, typed] {
      auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      ++asked;
      EXPECT_EQ(box->textEchoMode(), QLineEdit::Password);
      EXPECT_NE(box->labelText().indexOf("https://cal.example.org/dav/"), -1);
      if (typed == nullptr) return box->reject();
      box->setTextValue(typed);
      box->accept();
    });
  };
  link->calendarChanges = {PasswordQuestion("pw1", "ann")};
  answerNextBox("s3cret");
  window->TakeCalendarChanges();
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(link->passwords, std::vector<std::string>{"https://cal.example.org/dav/\nann\ns3cret"});
  EXPECT_EQ(link->confirmed, std::vector<std::string>{"pw1"});

  link->calendarChanges = {PasswordQuestion("pw2", "bob")};
  answerNextBox(nullptr);
  window->TakeCalendarChanges();
  link->calendarChanges = {PasswordQuestion("pw3", "bob")};
  window->TakeCalendarChanges();
  QApplication::processEvents();  // a box that was not there is not answered later either
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(link->passwords.size(), 1u);
  EXPECT_EQ(link->confirmed, (std::vector<std::string>{"pw1", "pw2", "pw3"}));

  // A folder calendar with nothing coming back: the companion is not asked at all.
  ASSERT_TRUE(session->settings().WriteString(key::kCalendarKind, "folder"));
  const int fetches = link->fetches;
  window->TakeCalendarChanges();
  EXPECT_EQ(link->fetches, fetches);
}

TEST_F(MainWindowBridgeTest, ChoosingAnotherCalendarClosesTheRunningCompanion) {
  // The dialog gets `use`, then OK; the secret store is a test's, not the desktop's.
  session->calendar().UseSecretStore(std::make_unique<NoSecretStore>());
  auto settingsDialog = [this](std::function<void(SyncSettingsDialog&)> use) {
    QTimer::singleShot(0, [use = std::move(use)] {
      auto* d = qobject_cast<SyncSettingsDialog*>(QApplication::activeModalWidget());
      if (d == nullptr) return;
      use(*d);
      d->accept();
      if (d->isVisible()) d->reject();
    });
    window->Dispatch(Command::kSynchronizationSettings);
  };
  settingsDialog([](SyncSettingsDialog& d) { d.toCalendarBox()->setChecked(false); });
  EXPECT_EQ(link->closes, 0);  // the same calendar
  settingsDialog([](SyncSettingsDialog& d) {
    d.serverKindButton()->setChecked(true);
    d.serverUrlField()->setText("https://cal.example.org/dav/");
    d.serverUserField()->setText("ann");
    d.serverPasswordField()->setText("pw-e41d");
  });
  EXPECT_EQ(link->closes, 1);
  // No secret store: this session keeps it, and the next companion gets it without a question.
  EXPECT_EQ(session->calendar().passwords().Kept("https://cal.example.org/dav/", "ann"), "pw-e41d");
  ASSERT_EQ(ui.Texts().size(), 1u);
  EXPECT_FALSE(link->running);
  link->running = true;  // the next send started a new one, which asks
  link->calendarChanges = {PasswordQuestion("pw1", "ann")};
  window->TakeCalendarChanges();
  EXPECT_EQ(link->passwords,
            std::vector<std::string>{"https://cal.example.org/dav/\nann\npw-e41d"});
}

}  // namespace
}  // namespace ploven::test
