#include "cli/cli_engine_ui.h"

#include <iostream>

#include "cli/cli_ui.h"

namespace ploven::cli {

bool ReadConflictPolicy(const std::string& text, ConflictPolicy& into) {
  static constexpr std::string_view kDeadlinePrefix = "deadline=";
  if (text == "skip") into = {ConflictPolicy::kSkip, {}};
  else if (text == "skip-rest") into = {ConflictPolicy::kSkipRest, {}};
  else if (text == "blank") into = {ConflictPolicy::kBlank, {}};
  else if (text.starts_with(kDeadlinePrefix) && text.size() > kDeadlinePrefix.size())
    into = {ConflictPolicy::kDeadline, text.substr(kDeadlinePrefix.size())};
  else return false;
  return true;
}

ConflictWindowAnswer CliEngineUi::ShowConflictWindow(const ConflictWindowRequest& request) {
  const bool again = request.item == m_lastItem && request.text == m_lastText;
  m_lastItem = request.item;
  m_lastText = request.text;
  if (again) return {ConflictButton::kSkipItem, request.dateField};
  ++m_conflicts;
  std::cerr << "conflict: " << OneLine(request.text) << '\n';
  switch (m_policy.kind) {
    case ConflictPolicy::kSkip: return {ConflictButton::kSkipItem, request.dateField};
    case ConflictPolicy::kSkipRest: return {ConflictButton::kSkipRestOfItems, request.dateField};
    case ConflictPolicy::kBlank: return {ConflictButton::kChangeDeadline, ""};
    case ConflictPolicy::kDeadline: return {ConflictButton::kChangeDeadline, m_policy.deadline};
  }
  return {ConflictButton::kSkipRestOfItems, request.dateField};
}

}  // namespace ploven::cli
