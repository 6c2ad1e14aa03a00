#pragma once

#include <cstdlib>
#include <iostream>

#include "platform/ui.h"

namespace ploven::cli {

// Boxes become lines on standard error; with no one to ask, every box takes
// its default button.
class CliUi : public Ui {
 public:
  BoxAnswer ShowBox(const BoxRequest& box) override {
    std::cerr << (box.caption.empty() ? "" : box.caption + ": ") << box.text << '\n';
    BoxAnswer a;
    if (!box.buttons.empty()) {
      const size_t i = static_cast<size_t>(box.defaultIndex) < box.buttons.size()
                           ? static_cast<size_t>(box.defaultIndex)
                           : 0;
      a.code = box.buttons[i].code;
    }
    return a;
  }
  void Beep() override {}
  bool OpenHelpTopic(const std::string&) override { return false; }
  [[noreturn]] void ShutDown(int exitCode) override { std::exit(exitCode == 0 ? 3 : exitCode); }
};

}  // namespace ploven::cli
