#pragma once

#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace ploven {

// The desktop program's screen for the core's message boxes: each BoxRequest becomes a
// MessageBoxDialog, help topics are HTML pages opened in the desktop's browser.
class QtUi : public Ui {
 public:
  using UrlOpener = std::function<bool(const QUrl&)>;

  // The help folders are "help" beside the executable (the build copies the pages there), then
  // the installed share/ploven/help beside the executable's bin folder.
  explicit QtUi(QWidget* owner = nullptr);

  // The window boxes belong to when no modal window is active (normally the main window).
  void SetOwner(QWidget* owner) { m_owner = owner; }
  QWidget* owner() const { return m_owner.data(); }

  // Folders searched for help pages, in order.
  void SetHelpFolders(std::vector<std::filesystem::path> folders) {
    m_helpFolders = std::move(folders);
  }
  const std::vector<std::filesystem::path>& helpFolders() const { return m_helpFolders; }
  // How a page is opened (the desktop's browser by default).
  void SetUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }
  // Length of a countdown second of the boxes (tests shorten it).
  void SetTickMilliseconds(int ms) { m_tickMilliseconds = ms; }

  BoxAnswer ShowBox(const BoxRequest& box) override;
  void Beep() override;
  bool OpenHelpTopic(const std::string& topic) override;
  [[noreturn]] void ShutDown(int exitCode) override;

  // The page of a topic such as "NewItem.htm#Recurring" with its anchor; nothing when the
  // page is not in a help folder or the topic names anything but a page there.
  std::optional<QUrl> HelpTopicUrl(const std::string& topic) const;

 private:
  QWidget* BoxOwner() const;

  QPointer<QWidget> m_owner;
  std::vector<std::filesystem::path> m_helpFolders;
  UrlOpener m_openUrl;
  int m_tickMilliseconds = 1000;
};

}  // namespace ploven
