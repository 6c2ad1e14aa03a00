#include "plugin/companion_log.h"

#include <QFile>
#include <QFileInfo>

namespace ploven::calendar {

QString LogLineText(const QDateTime& when, const QString& text) {
  QString cut = text.left(kLogTextMax);
  // A line end inside the text would make two lines of one event.
  cut.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
  return QLatin1Char(' ') + when.toString(QStringLiteral("MM/dd/yy HH:mm:ss")) + QLatin1Char(' ') +
         cut;
}

FileCompanionLog::FileCompanionLog(QString path, std::function<QDateTime()> now,
                                   qint64 maxBytes)
    : m_path(std::move(path)), m_now(std::move(now)), m_maxBytes(maxBytes) {
  if (!m_now) m_now = [] { return QDateTime::currentDateTime(); };
}

void FileCompanionLog::Line(const QString& text) {
  const QMutexLocker lock(&m_mutex);
  if (QFileInfo(m_path).size() > m_maxBytes) {
    const QString old = m_path + QStringLiteral(".old");
    QFile::remove(old);
    QFile::rename(m_path, old);
  }
  QFile file(m_path);
  if (!file.open(QIODevice::Append | QIODevice::Text)) return;
  file.write((LogLineText(m_now(), text) + QLatin1Char('\n')).toUtf8());
}

}  // namespace ploven::calendar
