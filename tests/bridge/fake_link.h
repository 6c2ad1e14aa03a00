#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "bridge/bridge_link.h"

namespace ploven::test {

// A companion that answers from a script and records what it was asked.
class FakeLink : public BridgeLink {
 public:
  bool IsRunning() override { return running; }
  bool Start(int waitSeconds) override {
    starts.push_back(waitSeconds);
    if (!startable) return false;
    running = comesUp;
    return true;
  }
  LinkResult Send(const BridgeFrame& frame) override {
    frames.push_back(frame);
    if (results.empty()) return LinkResult::kDelivered;
    const LinkResult r = results.front();
    results.pop_front();
    if (r != LinkResult::kDelivered && crashesOnFailure) running = false;
    return r;
  }
  std::optional<std::vector<BridgeFrame>> FetchCalendarChanges() override {
    ++fetches;
    if (!running) return std::nullopt;
    return calendarChanges;
  }
  bool Confirm(const std::string& key) override {
    if (!confirmWorks) return false;
    confirmed.push_back(key);
    return running;
  }
  bool HandOverPassword(const std::string& record) override {
    passwords.push_back(record);
    if (handOverFails > 0) return --handOverFails, false;
    return running;
  }
  void Close() override {
    ++closes;
    running = false;
  }
  std::string ProgramPath() const override { return "/opt/ploven/ploven-calendar"; }

  bool running = true;
  bool startable = true;
  bool comesUp = true;
  bool crashesOnFailure = false;
  std::deque<LinkResult> results;
  std::vector<int> starts;
  std::vector<BridgeFrame> frames;
  int closes = 0;
  std::vector<BridgeFrame> calendarChanges;
  int fetches = 0;
  std::vector<std::string> confirmed;
  bool confirmWorks = true;
  std::vector<std::string> passwords;  // the records handed over (or tried)
  int handOverFails = 0;               // this many handovers do not get through
};

}  // namespace ploven::test
