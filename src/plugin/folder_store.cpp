#include "plugin/folder_store.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "plugin/calendar_side_messages.h"

namespace ploven::calendar {

namespace {

StoreStamp StampOf(const struct stat& st) {
  StoreStamp stamp;
  stamp.mtime = st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
  stamp.size = st.st_size;
  return stamp;
}

StoreStamp StampOf(const QString& path) {
  struct stat st {};
  if (stat(QFile::encodeName(path).constData(), &st) != 0) return {};
  return StampOf(st);
}

}  // namespace

QString FolderStore::PathOf(const QString& name) const { return QDir(m_folder).filePath(name); }

StoreListing FolderStore::List(const QHash<QString, StoreStamp>&, QByteArray&) {
  StoreListing listing;
  const QByteArray path = QFile::encodeName(m_folder);
  DIR* dir = opendir(path.constData());
  if (dir == nullptr) {
    listing.exists = false;
    return listing;
  }
  const int fd = dirfd(dir);
  while (dirent* entry = readdir(dir)) {
    const QByteArray name(entry->d_name);
    if (!name.endsWith(".ics") || name.startsWith('.')) continue;
    struct stat st {};
    if (fstatat(fd, entry->d_name, &st, 0) != 0 || !S_ISREG(st.st_mode)) continue;
    listing.items.insert(QFile::decodeName(name), StampOf(st));
  }
  closedir(dir);
  return listing;
}

StoreText FolderStore::Read(const QString& name) {
  ++m_filesRead;
  StoreText read;
  const QString path = PathOf(name);
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    read.status = file.exists() ? StoreStatus::kFailed : StoreStatus::kMissing;
    read.error = QString::fromUtf8(messages::kFileNotRead).arg(path, file.errorString());
    return read;
  }
  read.text = file.readAll();
  read.stamp = StampOf(path);
  return read;
}

StoreWritten FolderStore::Write(const QString& name, const QByteArray& text, const StoreStamp*) {
  StoreWritten written;
  if (!QDir().mkpath(m_folder)) {
    written.status = StoreStatus::kFailed;
    written.error = QString::fromUtf8(messages::kFileNotWritten).arg(m_folder, QString());
    return written;
  }
  const QString path = PathOf(name);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
    written.status = StoreStatus::kFailed;
    written.error = QString::fromUtf8(messages::kFileNotWritten).arg(path, file.errorString());
    return written;
  }
  written.stamp = StampOf(path);
  return written;
}

StoreStatus FolderStore::Remove(const QString& name, const StoreStamp&, QString& error) {
  QFile file(PathOf(name));
  if (!file.exists() || file.remove()) return StoreStatus::kOk;
  error = QString::fromUtf8(messages::kFileNotWritten).arg(file.fileName(), file.errorString());
  return StoreStatus::kFailed;
}

}  // namespace ploven::calendar
