// The main window's commands on the selected item: moving it, Start/Unstart, Delete,
// Undelete and Duplicate. The window asks what it must and hands the item to the core.

#include "app/app_messages.h"
#include "app/main_window.h"
#include "done/start_unstart.h"
#include "edit/item_duplicate.h"
#include "engine/balance_day.h"
#include "engine/past_days.h"
#include "store/recurrence_fields.h"
#include "views/multi_day_view.h"

namespace ploven {

namespace t = app_text;

void MainWindow::MoveSelected(int days) {
  TaskNode* task = SelectedTask();
  if (task == nullptr || !m_session.writable()) return;
  const DayNumber from = TaskDate(task);
  const DayNumber to =
      MoveItemToDate(m_session.engine(), task, static_cast<DayNumber>(from + days));
  // The view follows the item unless its new day is in sight already.
  if (to != kNoDate && m_days->ViewOf(to) == nullptr) GoToDate(to);
  AfterChange();
}

void MainWindow::MoveWithinDay(bool earlier) {
  TaskNode* task = SelectedTask();
  if (task == nullptr || !m_session.writable()) return;
  const DayNumber date = TaskDate(task);
  if (earlier) {
    TaskNode* prev = task->prev != nullptr && task->prev->prev != nullptr
                         ? static_cast<TaskNode*>(task->prev)
                         : nullptr;
    if (prev != nullptr) SwapTasks(m_session.engine(), prev, task, date);
  } else if (TaskNode* next = task->Next()) {
    SwapTasks(m_session.engine(), task, next, date);
  }
  m_session.schedule().MarkChanged();
  AfterChange();
}

void MainWindow::PostponeSelected() {
  TaskNode* task = SelectedTask();
  if (task == nullptr || !m_session.writable()) return;
  PostponeOneHour(m_session.engine(), task);
  AfterChange();
}

void MainWindow::ToggleStarted() {
  TaskNode* task = SelectedTask();
  if (task == nullptr || !m_session.writable()) return;
  if (ploven::ToggleStarted(m_session.schedule(), task)) AfterChange();
}

void MainWindow::DeleteSelected(DeleteScope scope) {
  const ActHandle selected = SelectedItem();
  if (selected == kNoAct || !m_session.writable()) return;
  // Its note goes when the item can no longer be undeleted (the schedule closes).
  m_session.deletedNotes().ItemDeleting(m_session.schedule(), selected);
  // The calendar hears of it first: the record needs the item. A recurring item chosen in a
  // list without Delete All Recurrences is not deleted at all.
  TaskNode* task = SelectedTask();
  const bool recurring = RecurringItemOf(m_session.schedule(), selected) != kNoAct;
  if (!recurring || scope == DeleteScope::kAllRecurrences) {
    m_session.calendar().DeletingItem(selected, kNoDate);
  } else if (task != nullptr) {
    m_session.calendar().DeletingItem(selected, TaskDate(task));
  }
  DeleteChosenItem(m_session.recurrences(), *m_undelete, selected, task, scope);
  AfterChange();
}

void MainWindow::Undelete() {
  if (!m_session.writable()) return;
  const UndeleteResult r = m_undelete->Undelete();
  if (!r.undeleted) {
    m_session.messages().InformationMessage(t::kNothingToUndelete);
    return;
  }
  if (r.showDay) GoToDate(*r.showDay);
  AfterChange();
}

void MainWindow::Duplicate() {
  const ActHandle h = SelectedItem();
  if (h == kNoAct || !m_session.writable()) return;
  DuplicateAs as = DuplicateAs::kOneItem;
  if (RecurringItemOf(m_session.schedule(), h) != kNoAct) {
    MultiButtonParams params;
    params.customCaptions = t::kDuplicateButtons;
    const int answer =
        m_session.messages().MultiButtonBox(t::kDuplicateQuestion, "", kMbIconQuestion, params);
    if (answer == kIdCustom1 + 1)
      as = DuplicateAs::kSeries;
    else if (answer != kIdCustom1)
      return;
  }
  const ActHandle copy =
      DuplicateItem(m_session.recurrences(), h, SelectedTask(), m_viewedDate, as);
  m_session.calendar().NewItem(copy);
  AfterChange();
}

}  // namespace ploven
