#include "cli/cli_ui.h"

#include <cstdlib>
#include <iostream>

namespace ploven::cli {

std::string OneLine(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      out += "\\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

std::string ButtonText(const std::string& caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) {
      out += caption[++i];  // "&&" is a literal ampersand
    } else if (caption[i] != '&') {
      out += caption[i];
    }
  }
  return out;
}

BoxAnswer CliUi::ShowBox(const BoxRequest& box) {
  BoxAnswer answer;
  if (box.buttons.size() <= 1) {
    if (!box.buttons.empty()) answer.code = box.buttons[0].code;
    std::cerr << "message: " << OneLine(box.text) << '\n';
    return answer;
  }
  const size_t i = box.defaultIndex >= 0 && static_cast<size_t>(box.defaultIndex) < box.buttons.size()
                       ? static_cast<size_t>(box.defaultIndex)
                       : 0;
  answer.code = box.buttons[i].code;
  std::cerr << "question: " << OneLine(box.text) << " -> " << ButtonText(box.buttons[i].caption)
            << '\n';
  return answer;
}

void CliUi::ShutDown(int exitCode) {
  std::cout.flush();
  std::cerr.flush();
  std::_Exit(exitCode == 0 ? kExitRefused : exitCode);
}

}  // namespace ploven::cli
