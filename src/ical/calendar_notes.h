#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "ical/ical_import.h"

namespace ploven {

class NoteFiles;

// Notes travel as DESCRIPTION: read quietly for an export (a note that cannot be read is left
// out), written for an import (a note that cannot be written is told by the note files).
std::function<std::optional<std::string>(int32_t)> NoteReader(NoteFiles& notes);
std::function<void(ActHandle, const std::string&)> NoteWriter(NoteFiles& notes);

}  // namespace ploven
