#pragma once

namespace ploven::recurrence_text {

// Modules named in the internal-error reports.
inline constexpr const char* kModuleBeta = "Beta";
inline constexpr const char* kModuleBetasche = "Betasche";
inline constexpr const char* kModuleDelete = "Delete";
inline constexpr const char* kModuleUtil = "Util";

// The rule.
inline constexpr const char* kQualifyNullHandle = "Null global handle in BetaQualify()";
inline constexpr const char* kQualifyBadHandle =
    "Invalid global handle, unable to lock in BetaQualify().";

// Expansion into the days.
inline constexpr const char* kScheduleBetaNullDate = "ScheduleBeta() detected a null term->date";
inline constexpr const char* kEnufMemoryNullDate =
    "IsEnufMemoryForScheduleBeta() detected a null term->date";
inline constexpr const char* kUnscheduleBetaNullDate =
    "UnscheduleBeta() detected a null term->date";
inline constexpr const char* kItemNotValid = "Item not valid.";
inline constexpr const char* kDronesLockAct = "LockAct call failed from UnscheduleBetaDrones";
inline constexpr const char* kDronesLockBeta = "LockBeta call failed from UnscheduleBetaDrones";
inline constexpr const char* kDeleteBetaNotBeta =
    "Act hnd passed to DeleteBeta() which hasn't BetaHandle or not BETA type!";
inline constexpr const char* kDeleteBetaLockBeta = "LockBeta failure from DeleteBeta()";

// Occurrences.
inline constexpr const char* kFindCloneZeroDate = "FindClone was wrongly passed a 0 date";
inline constexpr const char* kDeleteOneCloneFailed =
    "DeleteOneClone() given FAIL retcode from UnscheduleBetaDate";
inline constexpr const char* kCloneToDroneNullTask =
    "Null task pointer wrongly passed to CloneToDrone().";
inline constexpr const char* kCreateDroneLock1 = "Lock problem in call #1 from CreateDrone.";
inline constexpr const char* kCreateDroneLock2 = "Lock problem in call #2 from CreateDrone.";
inline constexpr const char* kDroneToCloneNoEntry =
    "DelXlistEntry() couldn't find entry expected of DroneToClone()";
inline constexpr const char* kDroneToCloneNullTask = "Null task ptr passed to DroneToClone()";
inline constexpr const char* kGetBetaDateNoHandle = "No handle in GetBetaDate().";
inline constexpr const char* kDuplicateLockAct = "Unable to lock act in DuplicateBetaAct";

}  // namespace ploven::recurrence_text
