#pragma once

#include <functional>
#include <memory>

#include "engine/engine_ui.h"

class QWidget;

namespace ploven {

class ProgressWindow;

// The engine's screen in the desktop program: the progress and conflict windows, the wait
// cursor, and the viewed date of the main window.
class QtEngineUi : public EngineUi {
 public:
  explicit QtEngineUi(QWidget* owner);
  ~QtEngineUi() override;

  std::function<DayNumber()> viewed;
  std::function<void(DayNumber)> setViewed;
  std::function<ViewKind()> view;
  std::function<void()> refresh;
  std::function<void()> save;
  std::function<void(const std::string&)> help;

  void OpenProgress() override;
  void ShowProgressText(const std::string& text) override;
  void ShowProgressPercent(const std::string& percent) override;
  void CloseProgress() override;
  void SetWaitCursor(bool on) override;
  void Pause(int milliseconds) override;
  ViewKind viewShowing() const override;
  DayNumber viewedDate() const override;
  void SetViewedDate(DayNumber date) override;
  void RefreshDayScheduleViews() override;
  void SaveAndWait() override;
  ConflictWindowAnswer ShowConflictWindow(const ConflictWindowRequest& request) override;
  EditOutcome EditItem(ActHandle item) override;
  bool DeleteItemAsked(ActHandle item) override;

  std::function<EditOutcome(ActHandle)> editItem;
  std::function<bool(ActHandle)> deleteItem;

 private:
  QWidget* m_owner;
  std::unique_ptr<ProgressWindow> m_progress;
  int m_waitDepth = 0;
};

}  // namespace ploven
