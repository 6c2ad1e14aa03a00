#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "filters/item_filter.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ploven {

class Messages;
class Schedule;
class Settings;
struct LayoutRecord;
struct ProgramSettings;

// What the Filters window works on; all of it outlives the window.
struct FiltersWindowPorts {
  Schedule& schedule;
  FilterState& state;
  Settings& settings;
  ProgramSettings& program;  // carries the check boxes too; kept in step on close
  LayoutRecord& layout;
  Messages& messages;
  std::function<bool()> scheduleWritable;  // empty: writable
  std::vector<std::string> labelNames;     // label n is names[n]
};

// The modeless Filters window. Showing it (Open) turns filtering on; closing it in any way
// saves the combination and its placement and turns filtering off. Every accepted change
// takes effect at once: the window emits filtersChanged() and the views repaint.
class FiltersWindow : public QDialog {
  Q_OBJECT

 public:
  explicit FiltersWindow(FiltersWindowPorts ports, QWidget* owner = nullptr);

  // Turns filtering on and shows the window (raises it when it is already open).
  void Open();
  bool filteringOn() const;
  // Re-reads the settings into the controls (after the projects list changed, say).
  void Reload();

  QCheckBox* titleBox() const { return m_titleBox; }
  QLineEdit* titleField() const { return m_title; }
  QCheckBox* matchCaseBox() const { return m_matchCase; }
  QCheckBox* projectBox() const { return m_projectBox; }
  QComboBox* projectCombo() const { return m_project; }
  QCheckBox* jobBox() const { return m_jobBox; }
  QLineEdit* jobField() const { return m_job; }
  QCheckBox* labelsBox() const { return m_labelsBox; }
  QPushButton* labelsButton() const { return m_labelsButton; }
  QCheckBox* doableNowBox() const { return m_doableNow; }
  QCheckBox* minimumDurationBox() const { return m_durationBox; }
  QLineEdit* hoursField() const { return m_hours; }
  QLineEdit* minutesField() const { return m_minutes; }
  QCheckBox* nonRoutineBox() const { return m_nonRoutine; }
  QCheckBox* todayOnlyBox() const { return m_todayOnly; }
  QCheckBox* conflictsOnlyBox() const { return m_conflictsOnly; }
  QCheckBox* calendarTooBox() const { return m_calendarToo; }
  QLabel* statusLine() const { return m_status; }
  QPushButton* helpButton() const { return m_help; }
  QPushButton* closeButton() const { return m_close; }

  // The Select Labels button's work; the dialog is replaceable for tests.
  void SelectLabels();
  using LabelsPicker = std::function<bool(QWidget*, const std::vector<std::string>&, uint32_t&)>;
  void SetLabelsPicker(LabelsPicker picker) { m_pickLabels = std::move(picker); }

 public slots:
  void done(int r) override;

 signals:
  // The filter combination changed, or filtering was turned on or off: repaint the views.
  void filtersChanged();
  // The window closed; `saved` is false when the settings could not be written (the user has
  // been told).
  void filtersClosed(bool saved);
  void helpRequested(const QString& topic);

 private:
  void Build();
  void Connect();
  // Takes the controls into the settings; refused entries keep their last good value.
  void TakeControls();
  void SavePlacement();
  void RestorePlacement();

  FiltersWindowPorts m_ports;
  std::vector<uint32_t> m_projectIDs;  // one per combo entry, 0 for "none"
  LabelsPicker m_pickLabels;
  bool m_loading = false;

  QCheckBox* m_titleBox = nullptr;
  QLineEdit* m_title = nullptr;
  QCheckBox* m_matchCase = nullptr;
  QCheckBox* m_projectBox = nullptr;
  QComboBox* m_project = nullptr;
  QCheckBox* m_jobBox = nullptr;
  QLineEdit* m_job = nullptr;
  QCheckBox* m_labelsBox = nullptr;
  QPushButton* m_labelsButton = nullptr;
  QCheckBox* m_durationBox = nullptr;
  QLineEdit* m_hours = nullptr;
  QLineEdit* m_minutes = nullptr;
  QCheckBox* m_doableNow = nullptr;
  QCheckBox* m_nonRoutine = nullptr;
  QCheckBox* m_todayOnly = nullptr;
  QCheckBox* m_conflictsOnly = nullptr;
  QCheckBox* m_calendarToo = nullptr;
  QLabel* m_status = nullptr;
  QPushButton* m_help = nullptr;
  QPushButton* m_close = nullptr;
};

}  // namespace ploven
