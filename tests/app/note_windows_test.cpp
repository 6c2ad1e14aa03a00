#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <filesystem>

#include "app/main_window.h"
#include "app/program_session.h"
#include "dialogs/find_window.h"
#include "dialogs/note_window.h"
#include "mock/test_env.h"
#include "recur/recurrences.h"
#include "views/day_view.h"
#include "views/multi_day_view.h"

namespace ploven::test {
namespace {

namespace fsys = std::filesystem;

class NoteWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    session = std::make_unique<ProgramSession>(
        ui, clock, ProgramPlaces{dir / "data", dir / "profile.ini", LocaleFacts{true, 0, 1}});
    session->Open(std::nullopt);
    ASSERT_TRUE(session->open());
  }
  void Show() {
    session->EndStartup();
    window = std::make_unique<MainWindow>(*session, ui);
    window->resize(1000, 700);
    window->show();
  }
  ActHandle Fixed(const std::string& title, int hour) {
    Act a;
    a.flags = AF_FIXED;
    a.startTime = static_cast<TimeOfDay>(hour * 60 + 1);
    a.duration = 30;
    return session->schedule().NewItem(TestEnv::kToday, a, title);
  }
  void Select(ActHandle h) {
    auto* days = window->findChild<MultiDayView*>();
    days->ActiveView()->SelectTask(session->schedule().ActTask(h));
  }
  std::vector<NoteWindow*> NoteWindows() {
    std::vector<NoteWindow*> out;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* note = qobject_cast<NoteWindow*>(w); note && note->isVisible()) out.push_back(note);
    return out;
  }
  std::string NoteOf(ActHandle h) {
    return session->noteFiles().LoadNote(session->schedule().GetActNoteNumber(h)).value_or("?");
  }
  bool Marked(ActHandle h) { return session->schedule().ActFlags(h) & AF_HAS_NOTE; }

  TempDir dir;
  ScriptedUi ui;
  SettableClock clock{TestEnv::kToday, TestEnv::kNine};
  std::unique_ptr<ProgramSession> session;
  std::unique_ptr<MainWindow> window;
};

TEST_F(NoteWindowsTest, EditNoteOpensTheSelectedItemsNoteAndClosingSavesIt) {
  const ActHandle h = Fixed("Dentist", 10);
  Show();
  Select(h);
  window->Dispatch(Command::kNote);
  auto open = NoteWindows();
  ASSERT_EQ(open.size(), 1u);
  NoteWindow* note = open[0];
  const std::string prefix = session->noteFiles().prefix();
  char expected[64];
  std::snprintf(expected, sizeof expected, "Note (%s%05d.txt) for: Dentist", prefix.c_str(),
                session->schedule().GetActNoteNumber(h));
  EXPECT_EQ(note->windowTitle().toStdString(), expected);
  EXPECT_TRUE(
      fsys::exists(session->noteFiles().LockPathOf(session->schedule().GetActNoteNumber(h))));
  // Edit > Note again brings the same window forward rather than a second one.
  window->Dispatch(Command::kNote);
  EXPECT_EQ(NoteWindows().size(), 1u);

  note->editor()->insertPlainText("Bring the X-rays");
  EXPECT_TRUE(note->close());
  QApplication::processEvents();
  EXPECT_EQ(NoteOf(h), "Bring the X-rays");
  EXPECT_TRUE(Marked(h));
  EXPECT_FALSE(
      fsys::exists(session->noteFiles().LockPathOf(session->schedule().GetActNoteNumber(h))));
  EXPECT_TRUE(NoteWindows().empty());
}

TEST_F(NoteWindowsTest, BrowseNotesModeFollowsTheSelection) {
  const ActHandle a = Fixed("First", 10);
  const ActHandle b = Fixed("Second", 11);
  ASSERT_TRUE(session->noteFiles().SaveNote(session->schedule().GetActNoteNumber(b), "B's note"));
  Show();
  Select(a);
  window->Dispatch(Command::kBrowseNotesMode);
  auto open = NoteWindows();
  ASSERT_EQ(open.size(), 1u);
  NoteWindow* note = open[0];
  note->editor()->insertPlainText("typed for A");
  Select(b);
  EXPECT_EQ(note->text().toStdString(), "B's note");
  EXPECT_TRUE(note->windowTitle().endsWith("for: Second"));
  EXPECT_EQ(NoteOf(a), "typed for A");
  EXPECT_TRUE(Marked(a));
  EXPECT_EQ(session->layout().notesWindowOpen, 1);
  // The command again closes it and ends the mode.
  window->Dispatch(Command::kBrowseNotesMode);
  QApplication::processEvents();
  EXPECT_TRUE(NoteWindows().empty());
  EXPECT_EQ(session->layout().notesWindowOpen, 0);
}

TEST_F(NoteWindowsTest, ClosingTheProgramSavesOpenNotes) {
  const ActHandle h = Fixed("Letter", 9);
  Show();
  Select(h);
  window->Dispatch(Command::kNote);
  ASSERT_EQ(NoteWindows().size(), 1u);
  NoteWindows()[0]->editor()->insertPlainText("Dear Sir");
  EXPECT_TRUE(window->CloseQuery());
  QApplication::processEvents();
  EXPECT_EQ(NoteOf(h), "Dear Sir");
  EXPECT_TRUE(NoteWindows().empty());
}

TEST_F(NoteWindowsTest, AnOccurrenceSplitsOffItsOwnNote) {
  Act a;
  a.flags = AF_FIXED;
  a.startTime = static_cast<TimeOfDay>(8 * 60 + 1);
  a.duration = 30;
  Beta daily;
  daily.freq = kFreqDaily;
  daily.interval = 1;
  daily.startDate = TestEnv::kToday;
  const ActHandle def = session->schedule().NewItem(kNoDate, a, "Standup", &daily);
  const int32_t shared = session->schedule().GetActNoteNumber(def);
  ASSERT_TRUE(session->noteFiles().SaveNote(shared, "every day"));
  Show();
  TaskNode* clone = FindClone(session->schedule(), def, TestEnv::kToday);
  ASSERT_NE(clone, nullptr);
  window->findChild<MultiDayView*>()->ActiveView()->SelectTask(clone);
  window->Dispatch(Command::kNote);
  ASSERT_EQ(NoteWindows().size(), 1u);
  NoteWindow* note = NoteWindows()[0];
  EXPECT_TRUE(note->windowTitle().startsWith("Shared Note"));
  ASSERT_TRUE(note->exceptionAction()->isEnabled());
  ui.Answer(kIdYes);
  note->exceptionAction()->trigger();
  EXPECT_TRUE(ui.Showed("Exception note created successfully."));
  EXPECT_TRUE(note->windowTitle().startsWith("Note ("));
  note->editor()->selectAll();
  note->editor()->insertPlainText("only today");
  ASSERT_TRUE(note->close());
  EXPECT_EQ(session->noteFiles().LoadNote(shared), "every day");
}

TEST_F(NoteWindowsTest, FindListsItemsByTitleOrNoteAndGoesToThem) {
  const ActHandle a = Fixed("Call the bank", 9);
  const ActHandle b = Fixed("Errands", 14);
  Fixed("Groceries", 16);
  ASSERT_TRUE(session->noteFiles().SaveNote(session->schedule().GetActNoteNumber(b),
                                            "and the BANK statement"));
  Show();
  window->Dispatch(Command::kFind);
  FindWindow* find = window->findWindow();
  ASSERT_NE(find, nullptr);
  find->wordsField()->setText("bank");
  find->Search();
  ASSERT_EQ(find->results()->count(), 2);
  EXPECT_TRUE(find->results()->item(0)->text().endsWith("Call the bank"));
  EXPECT_TRUE(find->results()->item(1)->text().endsWith("Errands"));
  find->goTo(1);
  EXPECT_EQ(window->SelectedItem(), b);
  window->Dispatch(Command::kFindNext);
  EXPECT_EQ(window->SelectedItem(), a);
  window->Dispatch(Command::kFindPrevious);
  EXPECT_EQ(window->SelectedItem(), b);
}

}  // namespace
}  // namespace ploven::test
