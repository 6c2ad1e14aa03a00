// Note windows, the notes window that follows the selection, and the Find box.

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

#include "app/main_window.h"
#include "app/menu_builder.h"
#include "dialogs/find_window.h"
#include "dialogs/note_window.h"
#include "dialogs/note_window_messages.h"
#include "notes/exception_note.h"
#include "notes/note_find.h"
#include "notes/note_messages.h"
#include "notes/note_sharing.h"
#include "platform/format.h"
#include "platform/settings_keys.h"
#include "recur/recurrences.h"
#include "store/date_format.h"
#include "views/multi_day_view.h"

namespace ploven {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// "left top right bottom", as the placement is kept.
constexpr SettingsRect kDefaultNotePlace{100, 200, 500, 400};
constexpr char kNotesWindowPos[] = "NotesWindowPos";

}  // namespace

NoteWindow* MainWindow::NoteWindowOf(int slot) const {
  return slot >= 0 && slot < kMaxNoteWindows ? m_noteWindows[static_cast<size_t>(slot)].data()
                                             : nullptr;
}

void MainWindow::OpenNote(ActHandle item, TaskNode* task, bool browse, QWidget* over) {
  ShowOpenedNote(m_session.noteSlots().Open(item, task, browse), over);
}

void MainWindow::OpenNoteNumber(int32_t number) {
  // Asked from a modal window (the Item (Done) window): the note window must sit over it.
  ShowOpenedNote(m_session.noteSlots().OpenNumber(number), QApplication::activeModalWidget());
}

void MainWindow::ShowOpenedNote(std::optional<NoteSlots::Opened> opened, QWidget* over) {
  NoteSlots& notes = m_session.noteSlots();
  if (!opened) return;
  if (opened->existing) {
    if (NoteWindow* w = NoteWindowOf(opened->slot)) {
      w->show();
      w->raise();
      w->activateWindow();
    }
    return;
  }
  const int slot = opened->slot;
  // Over a modal dialog (the item dialog's Note button) the window belongs to the dialog while
  // it is open, and stays when the dialog closes.
  auto* w =
      new NoteWindow(slot, Q(notes.Title(slot)), Q(opened->text), m_env->style.noteFont, over);
  m_noteWindows[static_cast<size_t>(slot)] = w;
  if (over != nullptr) {
    if (auto* dialog = qobject_cast<QDialog*>(over))
      connect(dialog, &QDialog::finished, w, [w] {
        w->setParent(nullptr, Qt::Window);
        w->show();
      });
  }
  const SettingsRect r = m_session.settings().ReadRect(kNotesWindowPos).value_or(kDefaultNotePlace);
  if (r.c > r.a && r.d > r.b) w->setGeometry(r.a, r.b, r.c - r.a, r.d - r.b);
  w->SetReadOnly(!notes.slot(slot).locked);
  UpdateNoteWindowState(slot);
  connect(w, &NoteWindow::modified, this, [this](int s) { m_session.noteSlots().MarkModified(s); });
  connect(w, &NoteWindow::moved, this, [this](NoteWindow* moved) {
    if (!moved->isVisible()) return;
    const QRect g = moved->geometry();
    m_session.settings().WriteRect(kNotesWindowPos,
                                   {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()});
  });
  connect(w, &NoteWindow::makeExceptionNote, this, [this](int s) { MakeExceptionNoteIn(s); });
  connect(w, &NoteWindow::printNote, this, [this](int s) { PrintNote(s); });
  connect(w, &NoteWindow::hideProgram, this, [this] { SendToTray(); });
  w->closing = [this](NoteWindow& closing) { return CloseNoteWindow(closing); };
  w->show();
  if (notes.slot(slot).browse) {
    m_session.layout().notesWindowOpen = 1;
    m_menus->SetChecked(Command::kBrowseNotesMode, true);
  }
}

void MainWindow::UpdateNoteWindowState(int slot) {
  NoteWindow* w = NoteWindowOf(slot);
  if (w == nullptr) return;
  NoteSlots& notes = m_session.noteSlots();
  const NoteSlot& n = notes.slot(slot);
  Schedule& s = m_session.schedule();
  QString title = Q(notes.Title(slot));
  if (!n.locked) title += note_window_text::kReadOnlySuffix;
  w->Retitle(title);
  // Only an occurrence of a recurring item whose note is shared and written can split off.
  const bool occurrence =
      s.IsActValid(n.item) &&
      ((s.ActFlags(n.item) & AF_DRONE) || ((s.ActFlags(n.item) & AF_BETA) && n.task != nullptr));
  w->SetExceptionEnabled(occurrence && n.locked && IsSharedNote(s, n.number) &&
                         m_session.noteFiles().NoteFileExists(n.number));
}

bool MainWindow::CloseNoteWindow(NoteWindow& w) {
  const int slot = w.slot();
  const bool browse = m_session.noteSlots().slot(slot).browse;
  if (!m_session.noteSlots().Close(slot, w.text().toStdString())) return false;
  m_noteWindows[static_cast<size_t>(slot)] = nullptr;
  if (browse) {
    m_session.layout().notesWindowOpen = 0;
    m_menus->SetChecked(Command::kBrowseNotesMode, false);
  }
  RefreshViews();
  RefreshTitle();
  return true;
}

bool MainWindow::CloseAllNotes() {
  for (int slot = 0; slot < kMaxNoteWindows; ++slot)
    if (NoteWindow* w = NoteWindowOf(slot); w != nullptr && !w->close()) return false;
  return true;
}

void MainWindow::OpenSelectedNote() {
  const ActHandle item = SelectedItem();
  OpenNote(item, SelectedTask(), false, nullptr);
}

void MainWindow::ToggleBrowseNotes() {
  const int browse = m_session.noteSlots().BrowseSlot();
  if (browse >= 0) {
    if (NoteWindow* w = NoteWindowOf(browse)) w->close();
    return;
  }
  OpenNote(SelectedItem(), SelectedTask(), true, nullptr);
  m_menus->SetChecked(Command::kBrowseNotesMode, m_session.noteSlots().BrowseSlot() >= 0);
}

void MainWindow::FollowSelectionNote() {
  if (!m_session.open()) return;
  const int slot = m_session.noteSlots().BrowseSlot();
  NoteWindow* w = NoteWindowOf(slot);
  if (w == nullptr) return;
  const ActHandle item = SelectedItem();
  if (item == kNoAct) return;
  std::optional<std::string> text =
      m_session.noteSlots().Follow(slot, w->text().toStdString(), item, SelectedTask());
  if (text) {
    w->SetNote(Q(m_session.noteSlots().Title(slot)), Q(*text));
    RefreshViews();
  }
  w->SetReadOnly(!m_session.noteSlots().slot(slot).locked);
  UpdateNoteWindowState(slot);
}

void MainWindow::MakeExceptionNoteIn(int slot) {
  NoteWindow* w = NoteWindowOf(slot);
  if (w == nullptr) return;
  NoteSlot& n = m_session.noteSlots().slot(slot);
  const std::string text = w->text().toStdString();
  ExceptionNoteWindow request{n.item, n.task, n.number, text, n.modified};
  const ExceptionNoteOutcome outcome = MakeExceptionNote(
      m_session.recurrences(), m_session.noteFiles(), m_session.noteLocks(), request);
  n.modified = request.modified;
  if (outcome != ExceptionNoteOutcome::kMade) return;
  n.item = request.item;
  n.number = request.noteNumber;
  n.locked = true;
  UpdateNoteWindowState(slot);
  AfterChange();
}

void MainWindow::PrintNote(int slot) {
  NoteWindow* w = NoteWindowOf(slot);
  if (w == nullptr) return;
  QPrinter printer;
  QPrintDialog dialog(&printer, w);
  if (dialog.exec() != QDialog::Accepted) return;
  QTextDocument document;
  document.setDefaultFont(m_env->style.noteFont);
  document.setPlainText(w->windowTitle() + "\n\n" + w->text());
  document.print(&printer);
}

void MainWindow::ApplyNoteFont() {
  for (int slot = 0; slot < kMaxNoteWindows; ++slot)
    if (NoteWindow* w = NoteWindowOf(slot)) w->SetNoteFont(m_env->style.noteFont);
}

// ---- Find ----

void MainWindow::OpenFind() {
  if (m_findWindow == nullptr) {
    m_findWindow = new FindWindow(this);
    m_findWindow->search = [this](const QString& words) {
      m_findWords = words.toStdString();
      m_findHits = FindItems(m_session.schedule(), m_session.noteFiles(), m_findWords);
      QStringList rows;
      Schedule& s = m_session.schedule();
      for (const FindHit& hit : m_findHits) {
        QString when = hit.date == 0
                           ? QString((s.ActFlags(hit.act) & AF_BETA) ? note_window_text::kRecurring
                                                                     : note_window_text::kUndated)
                           : Q(FormatDateShort(hit.date, m_env->dateText()));
        if (hit.date != 0 && hit.start > 0)
          when += " " + Q(FormatTimeShort(hit.start, m_env->dateText()));
        rows << when + "\t" + Q(s.GetActTitle(hit.act));
      }
      return rows;
    };
    m_findWindow->goTo = [this](int row) {
      if (row >= 0 && static_cast<size_t>(row) < m_findHits.size())
        GoToItem(m_findHits[static_cast<size_t>(row)].act);
    };
  }
  m_findWindow->show();
  m_findWindow->raise();
  m_findWindow->activateWindow();
}

void MainWindow::FindAgain(bool forward) {
  if (m_findWords.empty()) {
    OpenFind();
    return;
  }
  // Again over the schedule as it is now: items may have come and gone since.
  m_findHits = FindItems(m_session.schedule(), m_session.noteFiles(), m_findWords);
  if (m_findHits.empty()) {
    m_session.messages().InformationMessage(Sprintf(note_text::kFindNothing, m_findWords.c_str()));
    return;
  }
  const size_t next = NextHit(m_findHits, SelectedItem(), forward);
  if (m_findWindow != nullptr && m_findWindow->isVisible()) {
    m_findWindow->Search();
    m_findWindow->SetCurrentRow(static_cast<int>(next));
  }
  GoToItem(m_findHits[next].act);
}

void MainWindow::GoToItem(ActHandle h) {
  Schedule& s = m_session.schedule();
  if (!s.IsActValid(h)) return;
  if (!DayViewShowing()) ShowView(Command::kDayView);
  if (s.ActFlags(h) & AF_BETA) {
    // A recurring item: its next occurrence from today.
    const DayNumber today = m_session.clock().Today();
    const DayNumber date =
        NextOccurrence(m_session.recurrences(), h, static_cast<DayNumber>(today - 1), true);
    if (date == 0) return;
    GoToDate(date);
    if (TaskNode* clone = FindClone(s, h, date))
      if (DayView* view = m_days->ViewOf(date)) view->SelectTask(clone);
    return;
  }
  ShowNewItem(h);
}

}  // namespace ploven
