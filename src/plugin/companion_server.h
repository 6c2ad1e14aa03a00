#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QLocalServer>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <functional>
#include <map>

#include "plugin/calendar_target.h"
#include "plugin/companion_watchdog.h"
#include "plugin/frame_codec.h"

class QLocalSocket;

namespace ploven::calendar {

enum class EndReason {
  kClosed,   // a client asked (Ploven_CloseStubNow)
  kIdle,     // no client for a while and nothing goes back to Ploven
  kReplace,  // served long enough; a fresh process is to take over
};

// How long a pass asked for waits for a calendar that works in the background.
inline constexpr int kPassWaitMs = 3500;

struct ServerOptions {
  uid_t ownerUid = getuid();  // the only user allowed to talk
  WatchdogPeriods periods;
};

// The companion's end of the socket. Each frame is answered "received" at once; records and
// asks are then worked off one at a time from a timer, never inside the read that brought
// them, and answered "applied" or "failed". The watchdog ends the companion when nobody needs
// it, or has it replaced by a fresh process; the calendar is looked at every couple of seconds
// when its changes go back to Ploven.
class CompanionServer {
 public:
  CompanionServer(CalendarTarget& target, CompanionLog& log,
                  std::function<CompanionSettings()> settings, ServerOptions options = {});
  ~CompanionServer();
  CompanionServer(const CompanionServer&) = delete;
  CompanionServer& operator=(const CompanionServer&) = delete;

  // Listens on the socket (only this user may open it), clearing a leftover socket file
  // first: the caller made sure no one answers there. False (and logged) when it cannot.
  bool Listen(const QString& socketPath);
  // Called once, after the companion stopped listening, when it is to end.
  void OnEnd(std::function<void(EndReason)> onEnd) { m_onEnd = std::move(onEnd); }
  bool Ending() const { return m_ending; }
  size_t Clients() const { return m_readers.size(); }

 private:
  struct Work {
    QPointer<QLocalSocket> socket;
    WireFrame frame;
  };

  void Accept();
  void Read(QLocalSocket* socket);
  void Take(QLocalSocket* socket, const WireFrame& frame);
  void WorkOne();
  void Apply(const Work& work);
  void ServePass(const Work& work);
  void TakePassword(const Work& work);
  bool Unsent();
  void Tick();
  void CalendarPass();
  void End(EndReason reason);
  void Answer(QLocalSocket* socket, const char* action, const QByteArray& record = {},
              const WireFrame* about = nullptr);

  CalendarTarget& m_target;
  CompanionLog& m_log;
  std::function<CompanionSettings()> m_settings;
  ServerOptions m_options;
  QLocalServer m_server;
  std::map<QLocalSocket*, WireFrameReader> m_readers;
  std::deque<Work> m_work;
  QTimer m_workTimer;
  QTimer m_watchdog;
  QTimer m_passTimer;
  QElapsedTimer m_sinceStart;
  QElapsedTimer m_sinceLastFrame;
  bool m_closing = false;
  bool m_ending = false;
  std::function<void(EndReason)> m_onEnd;
};

// The frame's record as the calendar side takes it.
InboundRecord InboundOf(const WireFrame& frame);

}  // namespace ploven::calendar
