#pragma once

#include <QList>
#include <QStringList>
#include <chrono>
#include <thread>
#include <vector>

#include "plugin/calendar_target.h"

namespace ploven::test {

// A calendar that records what it was given and hands out a scripted queue of changes.
class FakeTarget : public calendar::CalendarTarget {
 public:
  calendar::ApplyResult Apply(const calendar::InboundRecord& record,
                              const calendar::CompanionSettings&) override {
    applied.push_back(record);
    if (hangFirstApply.count() > 0 && applied.size() == 1)
      std::this_thread::sleep_for(hangFirstApply);
    if (!refusal.isEmpty()) return {false, refusal};
    return {};
  }
  calendar::ApplyResult Pass(const calendar::CompanionSettings&) override {
    ++passes;
    return {};
  }
  QList<calendar::OutboundChange> Pending() override { return pending; }
  void Confirm(const QByteArray& key) override {
    confirmed.push_back(key);
    pending.removeIf([&](const calendar::OutboundChange& c) { return c.key == key; });
  }
  void PassNow(const calendar::CompanionSettings& settings, int waitMs) override {
    passWaits.push_back(waitMs);
    Pass(settings);
  }
  void TakePassword(const QByteArray& record) override { passwords.push_back(record); }
  bool HasUnsent() override { return unsent; }

  std::vector<calendar::InboundRecord> applied;
  QString refusal;
  std::chrono::milliseconds hangFirstApply{0};
  int passes = 0;
  QList<calendar::OutboundChange> pending;
  QList<QByteArray> confirmed;
  std::vector<int> passWaits;
  QList<QByteArray> passwords;
  bool unsent = false;
};

class MemoryLog : public calendar::CompanionLog {
 public:
  void Line(const QString& text) override { lines << text; }
  bool Has(const QString& fragment) const {
    for (const QString& line : lines) {
      if (line.contains(fragment)) return true;
    }
    return false;
  }
  QStringList lines;
};

}  // namespace ploven::test
