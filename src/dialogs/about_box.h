#pragma once

#include <QDialog>
#include <QUrl>
#include <functional>
#include <string>

class QLabel;
class QPushButton;

namespace ploven {

// What the About box reports; the caller gathers it.
struct AboutFacts {
  std::string programLocation;  // the folder of the executable
  std::string programFileDate;
  std::string scheduleFile;
  bool pluginInstalled = false;
  std::string pluginFileDate;  // of the plug-in's program file
  bool pluginRunning = false;
  std::string errorLogPath;  // "PlovenErrorLog.txt" in the data folder
};

// "Ploven calendar plug-in file date: ..., running" and its variants.
std::string AboutPluginLine(const AboutFacts& facts);
// "Program location: ...", the file date and the schedule, one a line.
std::string AboutLocationLines(const AboutFacts& facts);

// The About box: product, version, plug-in state and where things are, with Close, Help,
// View Error Log, Cleanup and More.
class AboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit AboutBox(const AboutFacts& facts, QWidget* owner = nullptr);

  // Help opens the topic through this handler.
  void SetHelpHandler(std::function<void(const std::string& topic)> handler) {
    m_help = std::move(handler);
  }
  // Cleanup and More are run by the program, which knows the schedule.
  void SetCleanupHandler(std::function<void()> handler) { m_cleanup = std::move(handler); }
  void SetMoreHandler(std::function<void()> handler) { m_more = std::move(handler); }
  // How the error log is opened (the desktop's program for text files by default).
  void SetUrlOpener(std::function<bool(const QUrl&)> opener) { m_openUrl = std::move(opener); }

  enum class Button { kClose, kHelp, kViewErrorLog, kCleanup, kMore };
  QPushButton* button(Button which) const;

 private:
  void OnButton(Button which);

  AboutFacts m_facts;
  std::function<void(const std::string&)> m_help;
  std::function<void()> m_cleanup;
  std::function<void()> m_more;
  std::function<bool(const QUrl&)> m_openUrl;
  QPushButton* m_buttons[5] = {};
};

}  // namespace ploven
