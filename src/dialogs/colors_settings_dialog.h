#pragma once

#include <QColor>
#include <QDialog>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class QLabel;
class QPushButton;

namespace ploven {

class Messages;
class Settings;
struct ProgramSettings;

// Colors Settings: the colours the day views draw with (five for text and background, three
// for free time, past time and the selection), a preview that follows every
// choice, and a button that puts the defaults back. Nothing is stored before OK.
class ColorsSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  // The colours in the order the dialog lists them.
  enum Entry {
    kBackground,
    kNormalText,
    kFluid,
    kUnscheduled,
    kDone,
    kFreeTime,
    kPastTime,
    kSelection,
    kEntryCount
  };
  // Asks for a colour; nothing when the user cancels. Tests give their own.
  using Picker = std::function<std::optional<QColor>(const QColor& start, const QString& title)>;

  ColorsSettingsDialog(ProgramSettings& program, Settings& settings, Messages& messages,
                       QWidget* owner = nullptr, Picker pick = {});

  QPushButton* colourButton(Entry e) const { return m_buttons[e]; }
  QPushButton* resetButton() const { return m_reset; }
  QWidget* preview() const { return m_preview; }
  QLabel* contrastWarning() const { return m_warning; }
  uint32_t chosen(Entry e) const { return m_chosen[e]; }
  bool changed() const { return m_changed; }

  // Takes a colour for one entry, as picking it with its button does.
  void Choose(Entry e, uint32_t colour);
  void ResetToDefaults();

 public slots:
  void accept() override;

 private:
  void Pick(Entry e);
  void ShowChoices();

  ProgramSettings& m_program;
  Settings& m_settings;
  Messages& m_messages;
  Picker m_pick;
  std::array<uint32_t, kEntryCount> m_chosen{};
  std::array<QPushButton*, kEntryCount> m_buttons{};
  QPushButton* m_reset = nullptr;
  QWidget* m_preview = nullptr;
  QLabel* m_warning = nullptr;
  bool m_changed = false;
};

// Shows the dialog; true when OK changed a colour (the program settings hold the new ones).
bool RunColorsSettingsDialog(QWidget* owner, ProgramSettings& program, Settings& settings,
                             Messages& messages);

}  // namespace ploven
