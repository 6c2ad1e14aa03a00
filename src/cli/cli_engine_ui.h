#pragma once

#include <string>

#include "engine/engine_ui.h"

namespace ploven::cli {

// How plovenctl answers the conflict window of Balance All Days.
struct ConflictPolicy {
  enum Kind { kSkip, kSkipRest, kDeadline, kBlank } kind = kSkipRest;
  std::string deadline;  // the date typed into the field for kDeadline
};

// Reads "skip", "skip-rest", "blank" or "deadline=DATE"; false for anything else.
bool ReadConflictPolicy(const std::string& text, ConflictPolicy& into);

// The engine's screen for one command: no windows, the viewed date the command names, each
// conflict text on standard error as "conflict: TEXT" and answered by the policy. A window that
// comes back for the same item (the typed deadline was refused) is answered Skip Item, so a
// refused answer cannot loop.
class CliEngineUi : public EngineUi {
 public:
  CliEngineUi(DayNumber viewed, ViewKind view, ConflictPolicy policy)
      : m_viewed(viewed), m_view(view), m_policy(std::move(policy)) {}

  ViewKind viewShowing() const override { return m_view; }
  DayNumber viewedDate() const override { return m_viewed; }
  void SetViewedDate(DayNumber date) override { m_viewed = date; }
  ConflictWindowAnswer ShowConflictWindow(const ConflictWindowRequest& request) override;
  // No dialogs here: the item stays as it was.
  EditOutcome EditItem(ActHandle) override { return EditOutcome::kCancelled; }
  bool DeleteItemAsked(ActHandle) override { return false; }

  int conflicts() const { return m_conflicts; }

 private:
  DayNumber m_viewed;
  ViewKind m_view;
  ConflictPolicy m_policy;
  ActHandle m_lastItem = kNoAct;
  std::string m_lastText;
  int m_conflicts = 0;
};

}  // namespace ploven::cli
