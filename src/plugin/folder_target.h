#pragma once

#include <QString>
#include <memory>

#include "plugin/folder_store.h"
#include "plugin/store_target.h"

namespace ploven::calendar {

// The calendar folder named in the settings ("CalendarFolder"), with its memory
// "ploven-calendar.sqlite" in the data folder.
class FolderTarget : public StoreTarget {
 public:
  FolderTarget(const QString& dataDir, CompanionLog& log);

  // How many calendar files were read since the target was made (a pass with nothing changed
  // reads none).
  int filesRead() const { return m_folder->filesRead(); }

 protected:
  void UseSettings(const CompanionSettings& settings) override;

 private:
  FolderTarget(const QString& dataDir, CompanionLog& log, std::unique_ptr<FolderStore> store);

  QString m_dataDir;
  FolderStore* m_folder;  // owned by the base
};

std::unique_ptr<CalendarTarget> MakeFolderTarget(const QString& dataDir, CompanionLog& log);

}  // namespace ploven::calendar
