#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "alarm/alarm_due.h"
#include "alarm/alarm_routine.h"
#include "alarm/posix_process.h"
#include "file/undelete.h"
#include "recur/expansion_fixture.h"

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
  ProcessResult RunAndWait(const std::vector<std::string>& argv, const std::string& input) override {
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

// The alarm box's buttons as the box reports them.
inline constexpr int kBoxYes = kIdCustom1;
inline constexpr int kBoxNo = kIdCustom1 + 1;
inline constexpr int kBoxDelete = kIdCustom1 + 2;
inline constexpr int kBoxDone = kIdCustom1 + 3;

class AlarmTest : public RecurTest {
 protected:
  void SetUp() override {
    RecurTest::SetUp();
    Keep(kToday);
    Keep(kToday + 1);
  }

  // A fixed item with an alarm `before` minutes ahead of its begin.
  ActHandle WithAlarm(const std::string& title, TimeOfDay start, int before,
                      uint32_t point = AF_ALARM_AT_BEGIN, uint32_t flags = 0, uint16_t type = 0,
                      DayNumber date = kToday) {
    const ActHandle h = Fixed(title, date, start, 30, flags, type);
    Act& a = s.LockAct(h);
    a.flags |= AF_ALARM | point;
    a.alarmHours = static_cast<int8_t>(before / 60);
    a.alarmMinutes = static_cast<int16_t>(before % 60);
    return h;
  }

  void SetNow(TimeOfDay now, DayNumber day = kToday) { env.clock.Set(day, now); }
  void RunAt(TimeOfDay now, DayNumber day = kToday) {
    SetNow(now, day);
    routine.RunMinute();
  }

  // The alarm boxes shown so far (their captions begin "Ploven Alarm for ").
  std::vector<std::string> AlarmBoxes() const {
    std::vector<std::string> out;
    for (const BoxRequest& b : env.ui.boxes)
      if (b.caption.rfind("Ploven Alarm for ", 0) == 0) out.push_back(b.text);
    return out;
  }
  int16_t State(ActHandle h) { return s.ReadAct(h).alarmState; }

  FakeAlarmDevice device;
  AlarmSettings settings;
  DateText text;
  UndeleteStack undelete{s};
  AlarmRoutine routine{AlarmServices{r, env.msg, env.clock, text, settings, device, nullptr,
                                     &undelete, "Pat", "/data"}};
};

}  // namespace ploven::test
