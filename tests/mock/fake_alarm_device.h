#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "alarm/alarm_device.h"
#include "alarm/posix_process.h"

namespace ploven::test {

// Records what the alarms asked of the machine and answers from a script.
class FakeAlarmDevice : public AlarmDevice {
 public:
  void PlayDefaultAlarm() override { played.push_back("<default>"); }
  void PlayFile(const std::string& path) override { played.push_back(path); }
  bool FileExists(const std::string& path) override { return files.contains(path); }
  void Wait(int ms) override { waited += ms; }
  void DiscardPendingKeys() override { ++keyDrains; }
  bool MainWindowMinimised() override { return minimised; }
  void PostNotice(const AlarmNotice& n) override { notices.push_back(n); }
  void WithdrawNotice(const std::string& occurrence) override { withdrawn.push_back(occurrence); }
  NoticeAnswer TakeNoticeAnswer(const std::string&) override {
    const NoticeAnswer a = noticeAnswer;
    noticeAnswer = NoticeAnswer::kNone;
    return a;
  }
  std::optional<int> AskSnoozeMinutes(const std::string& title, int initial) override {
    snoozeAsked.push_back({title, initial});
    if (snoozeAnswers.empty()) return std::nullopt;
    const std::optional<int> a = snoozeAnswers.front();
    snoozeAnswers.erase(snoozeAnswers.begin());
    return a;
  }
  void ShowProgress(const std::string& step) override { progress.push_back(step); }
  void CloseProgress() override { ++progressClosed; }
  ProcessResult RunAndWait(const std::vector<std::string>& argv,
                           const std::string& input) override {
    runs.push_back(argv);
    return RunProgramAndWait(argv, input);
  }
  bool StartDetached(const std::vector<std::string>& argv) override {
    started.push_back(argv);
    return startSucceeds;
  }
  bool OpenWithDesktop(const std::string& target) override {
    opened.push_back(target);
    return openSucceeds;
  }
  void OpenItemProperties(ActHandle item) override {
    propertiesOpened.push_back(item);
    if (onOpenProperties) onOpenProperties(item);
  }

  std::set<std::string> files;
  bool minimised = false;
  bool startSucceeds = true;
  bool openSucceeds = true;
  NoticeAnswer noticeAnswer = NoticeAnswer::kNone;
  std::vector<std::optional<int>> snoozeAnswers;
  std::function<void(ActHandle)> onOpenProperties;

  std::vector<std::string> played;
  int waited = 0;
  int keyDrains = 0;
  std::vector<AlarmNotice> notices;
  std::vector<std::string> withdrawn;
  std::vector<std::pair<std::string, int>> snoozeAsked;
  std::vector<std::string> progress;
  int progressClosed = 0;
  std::vector<std::vector<std::string>> runs;
  std::vector<std::vector<std::string>> started;
  std::vector<std::string> opened;
  std::vector<ActHandle> propertiesOpened;
};

}  // namespace ploven::test
