#include "dialogs/qt_ui.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <cstdlib>
#include <system_error>

#include "dialogs/dialog_messages.h"
#include "dialogs/message_box_dialog.h"
#include "platform/paths.h"

namespace ploven {

namespace {

// A topic is a page name inside the help folder, never a path that leaves it.
bool IsPlainPageName(const std::string& page) {
  if (page.empty()) return false;
  const std::filesystem::path p(page);
  if (p.is_absolute() || p.has_root_name() || p.has_root_directory()) return false;
  for (const auto& part : p)
    if (part == "..") return false;
  return true;
}

}  // namespace

QtUi::QtUi(QWidget* owner) : m_owner(owner) {
  if (QCoreApplication::instance() != nullptr)
    m_helpFolders = ResourceFolders(QCoreApplication::applicationDirPath().toStdString(),
                                    kHelpFolderName);
  m_openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

QWidget* QtUi::BoxOwner() const {
  // A box raised from inside a dialog belongs to that dialog.
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (m_owner) return m_owner.data();
  return QApplication::activeWindow();
}

BoxAnswer QtUi::ShowBox(const BoxRequest& box) {
  QWidget* owner = BoxOwner();
  if (box.plainSystemBox) return ShowPlainSystemBox(box, owner);
  MessageBoxDialog dialog(box, owner, m_tickMilliseconds);
  return dialog.Run();
}

void QtUi::Beep() { QApplication::beep(); }

std::optional<QUrl> QtUi::HelpTopicUrl(const std::string& topic) const {
  const size_t hash = topic.find('#');
  const std::string page = topic.substr(0, hash);
  if (!IsPlainPageName(page)) return std::nullopt;
  for (const std::filesystem::path& folder : m_helpFolders) {
    const std::filesystem::path file = folder / page;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) continue;
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(file.string()));
    if (hash != std::string::npos && hash + 1 < topic.size())
      url.setFragment(QString::fromStdString(topic.substr(hash + 1)));
    return url;
  }
  return std::nullopt;
}

bool QtUi::OpenHelpTopic(const std::string& topic) {
  const std::optional<QUrl> url = HelpTopicUrl(topic);
  if (!url || !m_openUrl) return false;
  return m_openUrl(*url);
}

void QtUi::ShutDown(int exitCode) {
  // Windows are hidden, not closed: a close handler could ask questions or save a schedule
  // that the internal error has just called into doubt.
  if (QCoreApplication::instance() != nullptr) {
    for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
    QApplication::processEvents();
  }
  std::exit(exitCode);
}

}  // namespace ploven
