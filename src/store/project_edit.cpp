#include "store/project_edit.h"

#include "store/act_flags.h"
#include "store/project_messages.h"
#include "store/projects.h"
#include "store/schedule.h"

namespace ploven {

namespace t = project_text;

ProjectFields LoadProjectFields(const Schedule& s, ActHandle project) {
  ProjectFields fields;
  if (!IsProject(s, project)) return fields;
  const Act& a = s.ReadAct(project, t::kModuleProject, __LINE__);
  fields.name = s.GetActNameFull(project);
  fields.hue = a.color;
  fields.noteNumber = a.noteNumber;
  return fields;
}

std::string ProjectNameProblem(std::string_view name) {
  // The record would keep only the first kProjectNameMax characters: refused rather than cut.
  if (name.size() > kProjectNameMax) return t::kProjectNameTooLong;
  if (name.find_first_not_of(" \t\r\n") == std::string_view::npos) return t::kProjectNameEmpty;
  return {};
}

ActHandle ApplyProjectFields(Schedule& s, ActHandle project, const ProjectFields& fields) {
  const std::string problem = ProjectNameProblem(fields.name);
  if (!problem.empty()) {
    s.messages().ErrorMessage(problem);
    return kNoAct;
  }
  // Only a colour's three bytes mean anything; the top byte stays clear for the file.
  const uint32_t hue = fields.hue & 0xFFFFFF;
  if (project == kNoAct) {
    Act record;
    record.color = hue;
    record.noteNumber = fields.noteNumber;
    return NewProject(s, record, fields.name);
  }
  if (!IsProject(s, project)) return kNoAct;

  if (s.GetActNameFull(project) != fields.name) RetitleProject(s, project, fields.name);
  Act& a = s.LockAct(project, t::kModuleProject, __LINE__);
  a.color = hue;
  if (fields.noteNumber != 0) a.noteNumber = fields.noteNumber;
  s.TouchAct(project);
  s.hooks().ItemChanged(project);
  s.MarkChanged();
  return project;
}

bool DeleteProjectCommand(Schedule& s, ActHandle project,
                          const std::function<void(ActHandle)>& keep) {
  return DeleteProject(s, project, keep);
}

bool TagUntagCommand(Schedule& s, Command viewCommand, ActHandle selected) {
  if (viewCommand != Command::kProjectsList) return false;
  return ToggleProjectTag(s, selected);
}

}  // namespace ploven
