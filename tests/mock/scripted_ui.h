#pragma once

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace ploven::test {

// Thrown where the program would end after an internal error.
struct InternalErrorRaised : std::runtime_error {
  explicit InternalErrorRaised(const std::string& text) : std::runtime_error(text) {}
};

// Records every box and answers from a queue (OK, or the default button, when empty).
class ScriptedUi : public Ui {
 public:
  BoxAnswer ShowBox(const BoxRequest& box) override;
  void Beep() override { ++beeps; }
  bool OpenHelpTopic(const std::string& topic) override {
    helpTopics.push_back(topic);
    return true;
  }
  [[noreturn]] void ShutDown(int exitCode) override;

  void Answer(int code, bool checked = false) { answers.push_back({code, checked, false}); }
  // Texts of every box shown so far.
  std::vector<std::string> Texts() const;
  bool Showed(const std::string& fragment) const;

  std::vector<BoxRequest> boxes;
  std::deque<BoxAnswer> answers;
  std::vector<std::string> helpTopics;
  int beeps = 0;
  int shutdowns = 0;
};

}  // namespace ploven::test
