#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QTreeWidget;

namespace ploven {

class Settings;

// The world clocks: the time now in each chosen place and its offset from here, and Dial /
// Their Time & Location, the time in any one place picked from the list of time zones. The
// stock ticker needs the network, which Ploven does not use: the window says so and works
// without it.
class WorldClockWindow : public QDialog {
  Q_OBJECT

 public:
  WorldClockWindow(Settings& settings, QWidget* owner = nullptr);

  QTreeWidget* clocks() const { return m_clocks; }
  QComboBox* theirZoneBox() const { return m_their; }
  QLabel* theirTime() const { return m_theirTime; }
  QLabel* tickerLine() const { return m_ticker; }
  // Shows the zones of the settings again (after the settings changed).
  void Reload();
  void Tick();
  // Puts the keyboard on the zone chooser (Dial / Their Time & Location).
  void FocusTheirTime();

 private:
  void TheirZoneChosen();

  Settings& m_settings;
  std::vector<std::string> m_zones;
  QTimer m_timer;
  QTreeWidget* m_clocks = nullptr;
  QLabel* m_empty = nullptr;
  QComboBox* m_their = nullptr;
  QLabel* m_theirTime = nullptr;
  QLabel* m_ticker = nullptr;
};

// Time Zones Settings and World Clocks / Stock Ticker Settings: the list of the world clocks'
// places. OK stores it.
class ZoneListDialog : public QDialog {
  Q_OBJECT

 public:
  ZoneListDialog(Settings& settings, bool worldClocks, QWidget* owner = nullptr);

  QComboBox* zoneBox() const { return m_zone; }
  QListWidget* list() const { return m_list; }
  void AddChosen();
  void RemoveSelected();
  std::vector<std::string> zones() const;

 public slots:
  void accept() override;

 private:
  Settings& m_settings;
  QComboBox* m_zone = nullptr;
  QListWidget* m_list = nullptr;
};

// The offset of a zone against this computer's time zone now, in minutes.
int ZoneOffsetFromHere(const QByteArray& zone);

}  // namespace ploven
