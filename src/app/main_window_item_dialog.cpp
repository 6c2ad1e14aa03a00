// The main window opens the item dialog for the New and Modify commands and shows the item it
// made.

#include <QApplication>

#include "app/main_window.h"
#include "platform/label_table.h"
#include "dialogs/item_properties_dialog.h"
#include "dialogs/progress_window.h"
#include "edit/item_edit.h"
#include "views/day_view.h"
#include "views/multi_day_view.h"

namespace ploven {

std::array<bool, 7> MainWindow::Workdays() const {
  std::array<bool, 7> days{};
  const auto& stored = m_session.programSettings().workday;
  for (size_t d = 0; d < days.size(); ++d) days[d] = stored[d] != 0;
  return days;
}

// The conflict check after OK shows its progress in a window of its own.
ConflictCheckView MainWindow::ConflictView() {
  ConflictCheckView view;
  view.text = m_env->dateText();
  view.alphabeticalView = m_viewCommand == Command::kAlphabeticalView;
  auto progress = std::make_shared<std::unique_ptr<ProgressWindow>>();
  view.showProgress = [this, progress](const std::string& line) {
    if (!*progress) {
      *progress = std::make_unique<ProgressWindow>(this);
      (*progress)->Open();
    }
    (*progress)->SetText(line);
  };
  view.closeProgress = [progress] { progress->reset(); };
  return view;
}

void MainWindow::OpenItemDialog(Command command) {
  if (!m_session.writable()) return;
  Schedule& s = m_session.schedule();
  Engine& engine = m_session.engine();
  const ItemDialogMode dialogMode = ModeForCommand(CommandNumber(command));
  const bool fresh =
      dialogMode == ItemDialogMode::kNew || dialogMode == ItemDialogMode::kPreferences;
  // A done item opens in the Item (Done) window, with the times it took.
  if (command == Command::kModifyItem && OpenDoneWindowOnSelection()) return;
  // In the Projects List, Modify opens the selected project's own properties.
  if (!fresh) {
    if (const ActHandle project = SelectedProject(); project != kNoAct) {
      ModifyProject(project);
      return;
    }
  }
  ItemEditRequest request;
  request.command = CommandNumber(command);
  request.task = fresh ? nullptr : SelectedTask();
  request.item = fresh || request.task != nullptr ? kNoAct : SelectedItem();
  request.date = DayViewShowing() ? m_viewedDate : m_session.clock().Today();
  if (DayView* active = ActiveDayView()) request.date = active->date();
  request.lightMode = mode() == MenuMode::kLight;
  std::optional<ItemEditSession> edit = OpenItemEdit(engine, &m_session.recurrences(), request);
  if (!edit) return;

  ItemEditHooks hooks;
  hooks.conflictView = ConflictView();
  hooks.labelNames = ReadLabelTable(m_session.settings()).Names();
  hooks.editAlarm = [this](ItemDraft& draft) { return EditAlarm(draft.act); };
  // The note opens over the dialog and stays when it closes.
  hooks.openNote = [this, task = request.task](ActHandle item) {
    OpenNote(item, task, false, QApplication::activeModalWidget());
  };
  // The calendar knows the item by the title it had.
  const std::string oldTitle =
      !fresh && s.IsActValid(edit->item) ? s.GetActNameFull(edit->item) : std::string();
  const int result = RunItemPropertiesDialog(
      this, *edit, engine, &m_session.recurrences(), m_env->dateText(),
      m_session.ParseContextFor(request.date), m_session.messages(), hooks, Workdays());
  if (result == kItemDialogDelete) {
    if (!fresh) DeleteSelected(DeleteScope::kChosen);
    return;
  }
  if (result == kItemDialogInstanceDeleted) {
    m_session.calendar().DeletingItem(edit->definition, edit->occurrence);
  } else if (result == 1 && dialogMode == ItemDialogMode::kNew) {
    m_session.calendar().NewItem(edit->item);
  } else if (result == 1 && !fresh) {
    m_session.calendar().ChangedItem(edit->item, oldTitle);
  }
  if (result == 0) return;
  if (result == 1 && dialogMode == ItemDialogMode::kNew && s.IsActValid(edit->item))
    ShowNewItem(edit->item);
  AfterChange();
}

void MainWindow::ShowNewItem(ActHandle h) {
  Schedule& s = m_session.schedule();
  // A recurring item has no day of its own: its occurrences show where they fall.
  if (h == kNoAct || !s.IsActValid(h) || (s.ActFlags(h) & AF_BETA)) return;
  const DayNumber date = s.GetActDate(h);
  if (date != kNoDate && (!DayViewShowing() || m_days->ViewOf(date) == nullptr)) GoToDate(date);
  if (TaskNode* task = s.ActTask(h); task && DayViewShowing())
    if (DayView* view = m_days->ViewOf(TaskDate(task))) view->SelectTask(task);
}

}  // namespace ploven
