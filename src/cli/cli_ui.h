#pragma once

#include <string>

#include "platform/ui.h"

namespace ploven::cli {

// Exit statuses of plovenctl.
enum ExitCode : int { kExitOk = 0, kExitRefused = 1, kExitUsage = 2 };

// A box as one line: newlines become "\n" so that every box stays one line.
std::string OneLine(const std::string& text);

// The text of a button as it reads on screen: "&Yes" is "Yes".
std::string ButtonText(const std::string& caption);

// With no one to ask, every box takes its default button. A box with one
// button is a message, one with more is a question; both go to standard error
// as "message: TEXT" or "question: TEXT -> ANSWER".
class CliUi : public Ui {
 public:
  BoxAnswer ShowBox(const BoxRequest& box) override;
  void Beep() override {}
  bool OpenHelpTopic(const std::string&) override { return false; }
  // After an internal error: the report was printed, nothing more is saved.
  [[noreturn]] void ShutDown(int exitCode) override;
};

}  // namespace ploven::cli
