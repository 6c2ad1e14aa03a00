#pragma once

#include <QUrl>
#include <memory>

#include "plugin/calendar_store.h"

namespace ploven::calendar {

struct ServerLogin {
  QUrl url;  // the calendar collection, or a server/principal address to find one in
  QString user;
  QString password;  // empty: no authentication
};

struct CalDavOptions {
  int timeoutMs = 15000;  // one request; past it the server counts as unreachable
};

// A calendar collection on a CalDAV server (RFC 4791), spoken with Qt Network. The whole
// protocol lives in caldav_store.cpp. Blocking calls, each with its own event loop: used from
// the companion's sync thread only.
std::unique_ptr<CalendarStore> MakeCalDavStore(const ServerLogin& login, CalDavOptions options);

}  // namespace ploven::calendar
