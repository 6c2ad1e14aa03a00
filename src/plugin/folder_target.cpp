#include "plugin/folder_target.h"

#include <QDir>

#include "plugin/companion_settings.h"

namespace ploven::calendar {

namespace {

constexpr char kMemoryFile[] = "ploven-calendar.sqlite";

QString DefaultFolder(const QString& dataDir) {
  return QDir(dataDir).filePath(QLatin1String(kDefaultCalendarFolder));
}

}  // namespace

FolderTarget::FolderTarget(const QString& dataDir, CompanionLog& log)
    : FolderTarget(dataDir, log, std::make_unique<FolderStore>(DefaultFolder(dataDir))) {}

FolderTarget::FolderTarget(const QString& dataDir, CompanionLog& log,
                           std::unique_ptr<FolderStore> store)
    : StoreTarget(dataDir, QDir(dataDir).filePath(QLatin1String(kMemoryFile)),
                  [&store] { return std::unique_ptr<CalendarStore>(store.release()); }(), log),
      m_dataDir(dataDir),
      m_folder(static_cast<FolderStore*>(&Store())) {}

void FolderTarget::UseSettings(const CompanionSettings& settings) {
  m_folder->SetFolder(settings.folder.isEmpty() ? DefaultFolder(m_dataDir) : settings.folder);
}

std::unique_ptr<CalendarTarget> MakeFolderTarget(const QString& dataDir, CompanionLog& log) {
  return std::make_unique<FolderTarget>(dataDir, log);
}

}  // namespace ploven::calendar
