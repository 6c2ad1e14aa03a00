#include "plugin/companion_settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <climits>

namespace ploven::calendar {

namespace {

QByteArray Trim(QByteArray s) {
  while (!s.isEmpty() && (s.front() == ' ' || s.front() == '\t')) s.remove(0, 1);
  while (!s.isEmpty() && (s.back() == ' ' || s.back() == '\t')) s.chop(1);
  return s;
}

QByteArray Unquote(QByteArray s) {
  s = Trim(std::move(s));
  if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front()) {
    s = s.mid(1, s.size() - 2);
  }
  return s;
}

// The entries of one section, keys in lower case, the first of each kept.
QHash<QByteArray, QByteArray> SectionEntries(QByteArray text, const QByteArray& wanted) {
  QHash<QByteArray, QByteArray> entries;
  if (text.startsWith("\xEF\xBB\xBF")) text.remove(0, 3);
  bool inWanted = false;
  for (QByteArray line : text.split('\n')) {
    if (line.endsWith('\r')) line.chop(1);
    const QByteArray t = Trim(line);
    if (t.isEmpty() || t.front() == ';' || t.front() == '#') continue;
    if (t.front() == '[') {
      const qsizetype close = t.indexOf(']');
      const QByteArray name = close < 0 ? QByteArray() : Trim(t.mid(1, close - 1));
      inWanted = !name.isEmpty() && name.toLower() == wanted.toLower();
      continue;
    }
    const qsizetype eq = t.indexOf('=');
    if (!inWanted || eq < 0) continue;
    const QByteArray key = Trim(t.left(eq)).toLower();
    if (!key.isEmpty() && !entries.contains(key)) entries.insert(key, Unquote(t.mid(eq + 1)));
  }
  return entries;
}

int ProfileInt(const QHash<QByteArray, QByteArray>& entries, const char* key, int def) {
  const auto found = entries.constFind(QByteArray(key).toLower());
  if (found == entries.constEnd() || found->isEmpty()) return def;
  const QByteArray& text = *found;
  qsizetype i = 0;
  while (i < text.size() && QChar::isSpace(static_cast<uchar>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = std::min<long long>(value * 10 + (text[i] - '0'), static_cast<long long>(INT_MAX) + 1);
  }
  if (negative) value = -value;
  return static_cast<int>(std::min<long long>(value, INT_MAX));
}

}  // namespace

CompanionSettings ParseCompanionSettings(const QByteArray& iniText, const QString& dataFolder) {
  const auto entries = SectionEntries(iniText, kIniSection);
  CompanionSettings s;
  s.toPloven = ProfileInt(entries, kKeyToPloven, 0) != 0;
  s.appointmentsToPloven = ProfileInt(entries, kKeyAppointmentsToPloven, 1) != 0;
  s.tasksToPloven = ProfileInt(entries, kKeyTasksToPloven, 1) != 0;
  const QString folder = QString::fromUtf8(entries.value(QByteArray(kKeyCalendarFolder).toLower()));
  const QDir data(dataFolder);
  s.folder = QDir::cleanPath(data.absoluteFilePath(
      folder.isEmpty() ? QString::fromLatin1(kDefaultCalendarFolder) : folder));
  const auto text = [&entries](const char* key) {
    return QString::fromUtf8(entries.value(QByteArray(key).toLower()));
  };
  s.server = text(kKeyCalendarKind).compare(QLatin1String(kCalendarKindServer),
                                            Qt::CaseInsensitive) == 0;
  s.serverUrl = text(kKeyCalendarServerUrl);
  s.serverUser = text(kKeyCalendarServerUser);
  return s;
}

CompanionSettingsReader::CompanionSettingsReader(QString dataFolder)
    : m_dataFolder(std::move(dataFolder)),
      m_path(QDir(m_dataFolder).filePath(QString::fromLatin1(kIniFileName))) {}

CompanionSettings CompanionSettingsReader::Read() {
  const QFileInfo info(m_path);
  const QDateTime stamp = info.exists() ? info.lastModified() : QDateTime();
  const qint64 size = info.exists() ? info.size() : -1;
  if (m_loaded && stamp == m_stamp && size == m_size) return m_settings;
  QByteArray text;
  QFile file(m_path);
  if (info.exists()) {
    // A file that is there but cannot be read now keeps the switches as they were.
    if (!file.open(QIODevice::ReadOnly))
      return m_loaded ? m_settings : ParseCompanionSettings({}, m_dataFolder);
    text = file.readAll();
  }
  m_settings = ParseCompanionSettings(text, m_dataFolder);
  m_loaded = true;
  m_stamp = stamp;
  m_size = size;
  return m_settings;
}

}  // namespace ploven::calendar
