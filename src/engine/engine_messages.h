#pragma once

// The scheduling engine's texts, word for word.
namespace ploven::engine_text {

inline constexpr const char* kModuleBalance = "Balance";

inline constexpr const char* kSupportAddress = "Ploven support";
inline constexpr const char* kNullDateScheduleTask = "Null date wrongly passed to ScheduleTask function.";
inline constexpr const char* kNullDateFTD = "Null date passed to ScheduleTaskFTD. Please notify ";
inline constexpr const char* kNoFitAtEnd = "TaskCanFitTime didn't fit it even at end of sched";
inline constexpr const char* kSlotNoFit = "SlotFavoredTask() didn't fit it even at end of sched";
inline constexpr const char* kNTasksExceeds = "ScheduleTask:term->nTasks exceeds length of chain";
inline constexpr const char* kNTasksUnderstates =
    "ScheduleTask:term->nTasks understates the length of chain";
inline constexpr const char* kNullTaskRoom = "Null task passed into RoomForFluidTask";
inline constexpr const char* kTaskCanFitNoHint =
    "TaskCanFit was passed both null PreTask and null PostTask";
inline constexpr const char* kZeroDayLength =
    "Your day length is zero. Please choose Day Bounds Settings (from the Settings menu) and "
    "correct this.";

}  // namespace ploven::engine_text
