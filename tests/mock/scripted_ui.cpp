#include "mock/scripted_ui.h"

namespace ploven::test {

BoxAnswer ScriptedUi::ShowBox(const BoxRequest& box) {
  boxes.push_back(box);
  if (!answers.empty()) {
    BoxAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  BoxAnswer a;
  if (!box.buttons.empty()) {
    const size_t i = static_cast<size_t>(box.defaultIndex) < box.buttons.size()
                         ? static_cast<size_t>(box.defaultIndex)
                         : 0;
    a.code = box.buttons[i].code;
  }
  return a;
}

void ScriptedUi::ShutDown(int /*exitCode*/) {
  ++shutdowns;
  throw InternalErrorRaised(boxes.empty() ? std::string() : boxes.back().text);
}

std::vector<std::string> ScriptedUi::Texts() const {
  std::vector<std::string> out;
  for (const auto& b : boxes) out.push_back(b.text);
  return out;
}

bool ScriptedUi::Showed(const std::string& fragment) const {
  for (const auto& b : boxes)
    if (b.text.find(fragment) != std::string::npos) return true;
  return false;
}

}  // namespace ploven::test
