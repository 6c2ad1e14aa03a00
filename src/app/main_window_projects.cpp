// The main window's commands on projects: in the Projects List, Modify, Delete, Duplicate and
// Tag/Untag act on the selected project.

#include <QApplication>
#include <QStackedWidget>

#include "app/main_window.h"
#include "dialogs/project_dialog_messages.h"
#include "dialogs/project_properties_dialog.h"
#include "edit/item_dialog_kind.h"
#include "notes/note_upkeep.h"
#include "store/project_edit.h"
#include "store/projects.h"
#include "views/list_view.h"

namespace ploven {

ActHandle MainWindow::SelectedProject() const {
  if (m_stack->currentWidget() != m_list || m_viewCommand != Command::kProjectsList) return kNoAct;
  const ActHandle h = m_list->SelectedItem();
  return h != kNoAct && (m_session.schedule().ActTypeFlags(h) & ACT_PROJECT) ? h : kNoAct;
}

QString MainWindow::ProjectDialogTitle(ActHandle project) const {
  const Schedule& s = m_session.schedule();
  const Act& a = s.ReadAct(project);
  ItemDialogTitleInput in;
  in.mode = ItemDialogMode::kModify;
  in.typeFlags = a.typeFlags;
  in.createdDate = a.createdDate;
  in.createdTime = a.createdTime;
  in.today = m_session.clock().Today();
  return QString::fromStdString(ItemDialogTitle(in, m_env->dateText()));
}

void MainWindow::NewProject() {
  if (!m_session.writable()) return;
  ShowView(Command::kProjectsList);
  // A project not made yet has no note: its Note button says so.
  const ActHandle h = RunProjectPropertiesDialog(
      this, m_session.schedule(), kNoAct, project_dialog_text::kNewProjectCaption, m_ui,
      [this](ActHandle none) { OpenNote(none, nullptr, false, nullptr); });
  if (h != kNoAct) m_list->SelectItem(h);
  AfterChange();
}

void MainWindow::ModifyProject(ActHandle project) {
  if (!m_session.writable()) return;
  auto openNote = [this](ActHandle h) {
    OpenNote(h, nullptr, false, QApplication::activeModalWidget());
  };
  if (RunProjectPropertiesDialog(this, m_session.schedule(), project, ProjectDialogTitle(project),
                                 m_ui, openNote) != kNoAct)
    AfterChange();
}

void MainWindow::DeleteItemOrProject() {
  const ActHandle project = SelectedProject();
  if (project == kNoAct) {
    DeleteSelected(DeleteScope::kChosen);
    return;
  }
  if (m_session.writable() &&
      DeleteProjectCommand(m_session.schedule(), project, [this](ActHandle h) {
        m_session.deletedNotes().ItemDeleting(m_session.schedule(), h);
        m_undelete->PushUndeleteItem(h, UNDEL_PROJECT);
      }))
    AfterChange();
}

void MainWindow::DuplicateItemOrProject() {
  const ActHandle project = SelectedProject();
  if (project == kNoAct) {
    Duplicate();
    return;
  }
  if (!m_session.writable()) return;
  const ActHandle copy = DuplicateProject(m_session.schedule(), project);
  // The copy's note starts as its project's and goes its own way.
  if (copy != kNoAct) GiveOwnNoteCopy(m_session.schedule(), m_session.noteFiles(), copy);
  if (copy != kNoAct) ModifyProject(copy);
  AfterChange();
}

// Tag/Untag, and F4 in the Projects List (F4 elsewhere is Sequenced, main_window_properties.cpp).
void MainWindow::TagUntagProject(Command command) {
  if (m_session.writable() &&
      TagUntagCommand(m_session.schedule(), m_viewCommand, SelectedProject()))
    AfterChange();
  else if (m_viewCommand != Command::kProjectsList)
    NotYet(command);
}

}  // namespace ploven
