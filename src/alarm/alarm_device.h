#pragma once

#include <optional>
#include <string>
#include <vector>

#include "store/act_handle.h"

namespace ploven {

// How a desktop notification of a ringing alarm was answered.
enum class NoticeAnswer { kNone, kSnooze, kDone, kDismiss };

// The desktop notification that goes with an alarm box: one per occurrence, replaced in place
// when the same occurrence rings again.
struct AlarmNotice {
  std::string occurrence;  // what makes the occurrence one: the item and its day
  std::string summary;
  std::string body;
  std::string boxText;  // the alarm box it goes with, so that answering one answers the other
};

// What a finished program run reported.
struct ProcessResult {
  bool started = false;  // false: the program is missing or could not be run
  int exitCode = -1;
};

// What the alarms need from the machine they run on besides message boxes: sounds, the
// desktop's notifications and links, other programs, the snooze dialog and the small progress
// window. The desktop program implements it; tests record what was asked.
class AlarmDevice {
 public:
  virtual ~AlarmDevice() = default;

  // ---- Sounds ----
  // The system's alarm sound (a beep where the sound theme has none).
  virtual void PlayDefaultAlarm() = 0;
  // Plays a sound file without waiting for it.
  virtual void PlayFile(const std::string& path) = 0;
  virtual bool FileExists(const std::string& path) = 0;

  // ---- Before an alarm box: typing in progress must not answer it ----
  virtual void Wait(int milliseconds) = 0;
  virtual void DiscardPendingKeys() = 0;
  virtual bool MainWindowMinimised() = 0;

  // ---- Desktop notifications ----
  virtual void PostNotice(const AlarmNotice& notice) = 0;
  virtual void WithdrawNotice(const std::string& occurrence) = 0;
  // How the notification was answered while its box was up (kNone: it was not); taking it
  // forgets it.
  virtual NoticeAnswer TakeNoticeAnswer(const std::string& occurrence) = 0;

  // ---- The snooze dialog: the minutes typed (unchecked), nothing when cancelled ----
  virtual std::optional<int> AskSnoozeMinutes(const std::string& title, int initial) = 0;

  // ---- The progress window of forwarding, each step held about a second ----
  virtual void ShowProgress(const std::string& step) = 0;
  virtual void CloseProgress() = 0;

  // ---- Other programs. Never through a shell: arguments go as a list ----
  // Runs the program with `input` on its standard input and waits for it.
  virtual ProcessResult RunAndWait(const std::vector<std::string>& argv,
                                   const std::string& input) = 0;
  // Starts the program and does not wait; false when it could not be started.
  virtual bool StartDetached(const std::vector<std::string>& argv) = 0;
  // Opens a file or a link with the desktop's choice of program.
  virtual bool OpenWithDesktop(const std::string& fileOrUrl) = 0;

  // ---- The views ----
  // The duplicate made by the Offer to Clone opens in the item dialog.
  virtual void OpenItemProperties(ActHandle item) = 0;
};

}  // namespace ploven
