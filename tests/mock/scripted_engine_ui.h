#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "engine/engine_ui.h"

namespace ploven::test {

// Records what the engine showed and answers the conflict window and the dialogs from queues.
// An empty conflict queue answers Skip Rest of Items; an empty edit queue answers Cancel.
class ScriptedEngineUi : public EngineUi {
 public:
  explicit ScriptedEngineUi(DayNumber viewedAtStart) : viewed(viewedAtStart) {}

  void OpenProgress() override { ++progressOpened; progressOpen = true; }
  void ShowProgressText(const std::string& text) override {
    progressOpen = true;
    progressTexts.push_back(text);
  }
  void ShowProgressPercent(const std::string& percent) override { percents.push_back(percent); }
  void CloseProgress() override { ++progressClosed; progressOpen = false; }
  void SetWaitCursor(bool on) override { waitCursor = on; }
  void HighlightMenuTitle(MenuTitle title, bool on) override {
    highlights.push_back({title, on});
  }
  void Pause(int milliseconds) override { pausedMs += milliseconds; }

  ViewKind viewShowing() const override { return view; }
  DayNumber viewedDate() const override { return viewed; }
  void SetViewedDate(DayNumber date) override {
    viewed = date;
    viewedDates.push_back(date);
  }
  void RefreshDayScheduleViews() override { ++viewRefreshes; }
  void GoToDate(DayNumber date) override {
    goneTo.push_back(date);
    SetViewedDate(date);
  }
  void SaveAndWait() override {
    ++saves;
    if (onSave) onSave();
  }

  ConflictWindowAnswer ShowConflictWindow(const ConflictWindowRequest& request) override {
    conflicts.push_back(request);
    if (conflictAnswers.empty()) return {ConflictButton::kSkipRestOfItems, request.dateField};
    ConflictWindowAnswer a = conflictAnswers.front();
    conflictAnswers.pop_front();
    return a;
  }
  EditOutcome EditItem(ActHandle item) override {
    edited.push_back(item);
    if (onEdit) return onEdit(item);
    return EditOutcome::kCancelled;
  }
  bool DeleteItemAsked(ActHandle item) override {
    deleteAsked.push_back(item);
    return onDelete ? onDelete(item) : false;
  }

  void AnswerConflict(ConflictButton button, std::string dateField = {}) {
    conflictAnswers.push_back({button, std::move(dateField)});
  }

  ViewKind view = ViewKind::kOther;
  DayNumber viewed;
  std::vector<DayNumber> viewedDates;
  std::vector<DayNumber> goneTo;
  std::vector<std::string> progressTexts;
  std::vector<std::string> percents;
  std::vector<std::pair<MenuTitle, bool>> highlights;
  std::vector<ConflictWindowRequest> conflicts;
  std::deque<ConflictWindowAnswer> conflictAnswers;
  std::vector<ActHandle> edited;
  std::vector<ActHandle> deleteAsked;
  std::function<EditOutcome(ActHandle)> onEdit;
  std::function<bool(ActHandle)> onDelete;
  std::function<void()> onSave;
  int progressOpened = 0;
  int progressClosed = 0;
  bool progressOpen = false;
  bool waitCursor = false;
  int pausedMs = 0;
  int viewRefreshes = 0;
  int saves = 0;
};

}  // namespace ploven::test
