#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/commands.h"
#include "store/act_handle.h"
#include "store/act_record.h"

namespace ploven {

class Schedule;

// The longest name the Project Name field takes: the longest title a record keeps.
inline constexpr size_t kProjectNameMax = kActTitleMax;
// A new project's hue (COLORREF, red in the low byte): a mid blue that shows on every
// background the views use, unlike white, which reads as "no project".
inline constexpr uint32_t kNewProjectHue = 0xD08850;

// What the project properties edit.
struct ProjectFields {
  std::string name;
  uint32_t hue = kNewProjectHue;  // COLORREF
  int32_t noteNumber = 0;         // 0: the new project gets a number of its own
};

// The project's fields; a new project's defaults for kNoAct or a handle that is not a project.
ProjectFields LoadProjectFields(const Schedule& s, ActHandle project);

// Why the name cannot be taken, empty when it can.
std::string ProjectNameProblem(std::string_view name);

// OK of the project properties: makes the new project (project == kNoAct) or changes the
// given one (name, hue, note). A name that cannot be taken is told and nothing changes:
// kNoAct. Otherwise the project's handle.
ActHandle ApplyProjectFields(Schedule& s, ActHandle project, const ProjectFields& fields);

// Delete on the Projects List's selected project: asks; on Yes `keep` receives the project
// while it is still whole (the undelete stack takes it there), then the project goes. False
// when it was not a project or the user said No.
bool DeleteProjectCommand(Schedule& s, ActHandle project,
                          const std::function<void(ActHandle)>& keep);

// Tag/Untag (and F4's Sequenced and its second binding) in the Projects List: flips the
// selected project's tag. In other views, and without a selected project, nothing happens: false.
bool TagUntagCommand(Schedule& s, Command viewCommand, ActHandle selected);

}  // namespace ploven
