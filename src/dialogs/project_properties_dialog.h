#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "store/act_handle.h"
#include "store/project_edit.h"

class QFrame;
class QLineEdit;
class QPushButton;

namespace ploven {

class Schedule;
class Ui;

// The project properties: Project Name, Project Hue with its chooser, the note button, OK,
// Cancel and Help. OK hands the fields to the core, which makes or changes the project; a name
// it refuses is told and the window stays open.
class ProjectPropertiesDialog : public QDialog {
  Q_OBJECT

 public:
  // Picks a hue starting from the current one (COLORREF); nothing when the user cancelled.
  using HueChooser = std::function<std::optional<uint32_t>(uint32_t current, QWidget* owner)>;

  // `project` kNoAct: a new project. The title is the caller's ("New Project", or "Modify
  // Project | created ...").
  ProjectPropertiesDialog(Schedule& s, ActHandle project, const QString& title, Ui& ui,
                          QWidget* owner = nullptr);

  // The platform colour chooser by default; tests put their own.
  void SetHueChooser(HueChooser chooser) { m_chooseHue = std::move(chooser); }
  // The Note button opens the project's note with this (disabled without one).
  void SetNoteOpener(std::function<void(ActHandle)> open);

  // The project OK made or changed; kNoAct before that.
  ActHandle project() const { return m_result; }
  uint32_t hue() const { return m_fields.hue; }
  void SetHue(uint32_t hue);

  QLineEdit* nameField() const { return m_name; }
  QPushButton* hueButton() const { return m_hueButton; }
  QPushButton* noteButton() const { return m_noteButton; }
  QPushButton* helpButton() const { return m_helpButton; }

 public slots:
  void accept() override;
  void ChooseHue();
  void ShowHelp();

 private:
  Schedule& m_schedule;
  Ui& m_ui;
  ActHandle m_project;
  ActHandle m_result = kNoAct;
  ProjectFields m_fields;
  HueChooser m_chooseHue;
  QLineEdit* m_name = nullptr;
  QFrame* m_swatch = nullptr;
  QPushButton* m_hueButton = nullptr;
  QPushButton* m_noteButton = nullptr;
  QPushButton* m_helpButton = nullptr;
};

// Runs the window modally; the project made or changed, kNoAct when cancelled. New Project
// (662) passes kNoAct; Duplicate passes the copy DuplicateProject made; Modify the selected
// project.
ActHandle RunProjectPropertiesDialog(QWidget* owner, Schedule& s, ActHandle project,
                                     const QString& title, Ui& ui,
                                     std::function<void(ActHandle)> openNote = {});

}  // namespace ploven
