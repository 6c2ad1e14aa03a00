// The main window's done commands: Done!, the Advanced Timekeeping commands, New Done Item and
// the Item (Done) window on a done item. The core does the work; the window asks what it must
// and shows the result.

#include <QInputDialog>
#include <filesystem>

#include "app/app_messages.h"
#include "app/main_window.h"
#include "dialogs/done_dialog_messages.h"
#include "dialogs/done_item_dialog.h"
#include "dialogs/done_log_window.h"
#include "dialogs/time_report_window.h"
#include "done/done_item_form.h"
#include "done/done_month_list.h"
#include "done/mark_done.h"
#include "done/time_report.h"
#include "done/timekeeping.h"
#include "platform/format.h"
#include "store/calendar.h"
#include "views/day_view.h"
#include "views/multi_day_view.h"

namespace ploven {

namespace t = app_text;

DayNumber MainWindow::ShownDay() const {
  if (DayView* active = ActiveDayView()) return active->date();
  return DayViewShowing() ? m_viewedDate : m_session.clock().Today();
}

void MainWindow::MarkDone() {
  TaskNode* task = SelectedTask();
  if (task == nullptr || !m_session.writable()) return;
  const Duration length = task->length;
  const DayNumber date = TaskDate(task);
  if (!ToggleDone(m_session.engine(), task)) return;
  const bool done = (m_session.schedule().ActFlags(task->act) & AF_DONE) != 0;
  m_session.calendar().DoneItem(task->act, date, done);
  AfterChange();
  if (done) AfterDone(task->act, date, length);
}

void MainWindow::Timekeeping(Command command) {
  TaskNode* task = SelectedTask();
  if (task == nullptr || !m_session.writable()) return;
  Engine& engine = m_session.engine();
  const Duration length = task->length;
  const DayNumber date = TaskDate(task);
  ActHandle done = kNoAct;
  switch (command) {
    case Command::kDoneCurrentEnd:
      if (DoneEndingAt(engine, task, m_session.clock().Now())) done = task->act;
      break;
    case Command::kDoneEarlierEnd: {
      const std::optional<TimeOfDay> end = AskEarlierEnd();
      if (end && DoneEndingAt(engine, task, *end)) done = task->act;
      break;
    }
    case Command::kDoneFillGap:
      if (DoneFillingGap(engine, task)) done = task->act;
      break;
    case Command::kDoneForNow:
      done = DoneForNow(engine, task);
      if (done == kNoAct) m_session.messages().InformationMessage(t::kDoneForNowRefused);
      break;
    case Command::kStartFillGap:
      if (StartFillingGap(engine, task)) AfterChange();
      return;
    default:
      return;
  }
  if (done == kNoAct) return;
  m_session.calendar().DoneItem(done, date, true);
  AfterChange();
  // Finishing later is not finishing: the copy is offered when the rest is done.
  if (command != Command::kDoneForNow) AfterDone(done, date, length);
}

std::optional<TimeOfDay> MainWindow::AskEarlierEnd() {
  const DateText& text = m_env->dateText();
  const ParseContext context = m_session.ParseContextFor(ShownDay());
  QString answer = QString::fromStdString(FormatTime(m_session.clock().Now(), text));
  for (;;) {
    bool ok = false;
    answer = QInputDialog::getText(this, t::kEarlierEndCaption, t::kEarlierEndQuestion,
                                   QLineEdit::Normal, answer, &ok);
    if (!ok) return std::nullopt;
    const auto end = ParseTime(answer.trimmed().toStdString(), text, context);
    if (end.value) return *end.value;
    m_session.messages().ErrorMessage(end.message);
  }
}

void MainWindow::AfterDone(ActHandle item, DayNumber date, Duration length) {
  const ActHandle copy = OfferToClone(m_session.recurrences(), item, date, length);
  if (copy == kNoAct) return;
  AfterChange();
  ShowNewItem(copy);
  // The copy opens so that the user gives it its date.
  if (SelectedItem() == copy) OpenItemDialog(Command::kModifyItem);
}

void MainWindow::NewDoneItem() {
  if (!m_session.writable()) return;
  const DayNumber day = ShownDay();
  TaskNode* selected = SelectedTask();
  if (selected != nullptr && TaskDate(selected) != day) selected = nullptr;
  RunDoneWindow(NewDoneItemDraft(m_session.engine(), day, selected));
}

bool MainWindow::OpenDoneWindowOnSelection() {
  TaskNode* task = SelectedTask();
  if (task == nullptr || !(m_session.schedule().ActFlags(task->act) & AF_DONE)) return false;
  if (m_session.writable()) RunDoneWindow(DoneItemDraftOf(m_session.schedule(), task));
  return true;
}

void MainWindow::RunDoneWindow(DoneItemDraft draft) {
  const ParseContext context = m_session.ParseContextFor(draft.date);
  m_doneWindowOpen = true;
  const bool made = draft.item == kNoAct;
  const ActHandle item = RunDoneItemDialog(this, m_session.engine(), std::move(draft),
                                           m_env->dateText(), context, m_openNote);
  m_doneWindowOpen = false;
  // A done item recorded in the window is a new item to the calendar.
  if (made && item != kNoAct) m_session.calendar().NewItem(item);
  AfterChange();
  if (item != kNoAct) ShowNewItem(item);
}

void MainWindow::ShowDoneLog() {
  if (!m_session.open()) return;
  const DateText& text = m_env->dateText();
  const DayNumber day = ShownDay();
  const std::string folder = std::filesystem::path(m_session.files().path()).parent_path().string();
  const CalendarDate month = SplitDay(day);
  const std::string caption =
      Sprintf(done_dialog_text::kLogCaption, MonthName(month.month, text).c_str(), month.year);
  TaskNode* chosen = nullptr;
  {
    DoneLogWindow window(MonthDoneItems(m_session.schedule(), m_session.fs(), folder, day, text),
                         caption, text, nullptr, this);
    // The list closes for the item's window: what it shows is out of date once it changes.
    window.SetOpener([&window, &chosen](TaskNode* task) {
      chosen = task;
      window.accept();
    });
    const auto first = static_cast<DayNumber>(MakeDay(month.month, 1, month.year));
    const auto last = static_cast<DayNumber>(
        MakeDay(month.month, DaysInMonth(month.month, month.year), month.year));
    window.SetTimeReportOpener([this, &window, &text, folder, first, last] {
      TimeReportWindow report(
          [this, &text, folder](DayNumber from, DayNumber to, TimeReportBy by,
                                std::vector<DoneLogProblem>& problems) {
            return DoneTimeReport(m_session.schedule(), m_session.fs(), folder, from, to, text,
                                  by, problems);
          },
          first, last, text, m_session.ParseContextFor(first), m_session.messages(), &window);
      report.exec();
    });
    window.exec();
  }
  if (chosen != nullptr && m_session.schedule().ValidTaskNode(chosen) && m_session.writable())
    RunDoneWindow(DoneItemDraftOf(m_session.schedule(), chosen));
}

}  // namespace ploven
