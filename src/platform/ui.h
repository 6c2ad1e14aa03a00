#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ploven {

// Button codes as the rest of the program tests them.
enum ButtonCode : int {
  kIdOk = 1,
  kIdCancel = 2,
  kIdAbort = 3,
  kIdRetry = 4,
  kIdIgnore = 5,
  kIdYes = 6,
  kIdNo = 7,
  kIdHelp = 9,
  kIdTryAgain = 10,
  kIdContinue = 11,
  kIdYesToAll = 12,
  kIdNoToAll = 13,
  kIdIgnoreAll = 14,
  kIdSkip = 15,
  kIdSkipAll = 16,
  kIdReport = 17,
  kIdCustom1 = 23,  // first custom caption of the multi-button box; then 24, 25, 26
};

enum class BoxIcon { kNone, kExclamation, kInformation, kError, kQuestion };
enum class BoxModality { kOwned, kTaskModal, kSystemModal };

struct BoxButton {
  std::string caption;
  int code = kIdOk;
};

// One message box, fully decided by the core: the port only draws it and
// reports what the user did.
struct BoxRequest {
  std::string text;
  std::string caption;
  BoxIcon icon = BoxIcon::kNone;
  BoxModality modality = BoxModality::kOwned;
  std::vector<BoxButton> buttons;  // in display order
  int defaultIndex = 0;            // index into buttons
  std::string checkBoxText;        // empty: no check box
  int countdownSeconds = 0;        // counts down on the default button, then presses it
  int disabledSeconds = 0;         // every button disabled this long
  int x = 0, y = 0;                // 0, 0: centred on the owner
  bool foreground = false;
  bool topmost = false;
  bool plainSystemBox = false;     // shown as the platform's own simple box
  int closeCode = 0;               // what Escape and the close box give; 0: they do nothing
};

struct BoxAnswer {
  int code = kIdOk;        // the code of the pressed button
  bool checked = false;    // the "don't ask again" box was ticked
  bool timedOut = false;   // the countdown pressed the default button
};

// What the core needs from a screen. The desktop program implements it with
// dialogs; tests implement it with a script that records every box.
class Ui {
 public:
  virtual ~Ui() = default;
  virtual BoxAnswer ShowBox(const BoxRequest& box) = 0;
  virtual void Beep() = 0;
  // Opens a help topic such as "ErrorMessages.htm"; false when help is unavailable.
  virtual bool OpenHelpTopic(const std::string& topic) = 0;
  // Ends the program after an internal error. Never returns.
  [[noreturn]] virtual void ShutDown(int exitCode) = 0;
};

}  // namespace ploven
