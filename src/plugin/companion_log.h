#pragma once

#include <QDateTime>
#include <QMutex>
#include <QString>
#include <functional>

#include "plugin/calendar_target.h"

namespace ploven::calendar {

// The companion's log, DIR/ploven-calendar.log: each line " 12/09/26 20:56:20 text", the text
// cut to 150 characters. A line that cannot be written is dropped; the companion goes on.
class FileCompanionLog : public CompanionLog {
 public:
  explicit FileCompanionLog(QString path, std::function<QDateTime()> now = {});
  void Line(const QString& text) override;
  const QString& Path() const { return m_path; }

 private:
  QString m_path;
  std::function<QDateTime()> m_now;
  QMutex m_mutex;  // one line at a time
};

inline constexpr int kLogTextMax = 150;

// One line as it is written, without the line end.
QString LogLineText(const QDateTime& when, const QString& text);

}  // namespace ploven::calendar
