#include "plugin/companion_log.h"

#include <QFile>

namespace ploven::calendar {

QString LogLineText(const QDateTime& when, const QString& text) {
  QString cut = text.left(kLogTextMax);
  // A line end inside the text would make two lines of one event.
  cut.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
  return QLatin1Char(' ') + when.toString(QStringLiteral("MM/dd/yy HH:mm:ss")) + QLatin1Char(' ') +
         cut;
}

FileCompanionLog::FileCompanionLog(QString path, std::function<QDateTime()> now)
    : m_path(std::move(path)), m_now(std::move(now)) {
  if (!m_now) m_now = [] { return QDateTime::currentDateTime(); };
}

void FileCompanionLog::Line(const QString& text) {
  QMutexLocker lock(&m_mutex);
  QFile file(m_path);
  if (!file.open(QIODevice::Append | QIODevice::Text)) return;
  file.write((LogLineText(m_now(), text) + QLatin1Char('\n')).toUtf8());
}

}  // namespace ploven::calendar
