#pragma once

#include <QDateTime>
#include <QMutex>
#include <QString>
#include <functional>

#include "plugin/calendar_target.h"

namespace ploven::calendar {

// The companion's log, DIR/ploven-calendar.log: each line " 12/09/26 20:56:20 text", the text
// cut to 150 characters. A line that cannot be written is dropped; the companion goes on. A
// log grown past `maxBytes` becomes "<log>.old" (replacing the one before) and starts afresh,
// so a companion running for years keeps at most two logs' worth.
class FileCompanionLog : public CompanionLog {
 public:
  static constexpr qint64 kMaxBytes = 1 << 20;
  explicit FileCompanionLog(QString path, std::function<QDateTime()> now = {},
                            qint64 maxBytes = kMaxBytes);
  void Line(const QString& text) override;
  const QString& Path() const { return m_path; }

 private:
  QString m_path;
  std::function<QDateTime()> m_now;
  qint64 m_maxBytes;
  QMutex m_mutex;  // the server target's thread writes lines too
};

inline constexpr int kLogTextMax = 150;

// One line as it is written, without the line end.
QString LogLineText(const QDateTime& when, const QString& text);

}  // namespace ploven::calendar
