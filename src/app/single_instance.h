#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

namespace ploven {

// What a later start asks of the program that has its schedule open.
enum class HandOver { kRaise, kNewItem };

// One running program per schedule: the first start listens on a local socket named from
// the schedule's identity; a second start on the same schedule finds it, asks it to come to
// the front, and ends.
class SingleInstance : public QObject {
  Q_OBJECT

 public:
  explicit SingleInstance(uint16_t scheduleIdentity, QObject* parent = nullptr);
  ~SingleInstance() override;

  static QString ServerName(uint16_t scheduleIdentity);

  // True when another program has this schedule open and was asked to come forward (and, for
  // kNewItem, to open the New Item dialog).
  bool HandOverToRunning(HandOver request = HandOver::kRaise, int timeoutMs = 5000);
  // Starts listening; `handOver` runs when a later start hands over.
  bool Listen(std::function<void(HandOver)> handOver);

 private:
  QString m_name;
  QLocalServer m_server;
  std::function<void(HandOver)> m_handOver;
};

}  // namespace ploven
