#pragma once

#include <QColor>
#include <QDialog>
#include <array>
#include <functional>
#include <optional>

#include "platform/label_table.h"

class QLineEdit;
class QPushButton;

namespace ploven {

class Messages;
class Settings;

// Labels Settings: the names and colours of labels 1..9. A blank name goes back to the
// default name at OK.
class LabelsSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  using Picker = std::function<std::optional<QColor>(const QColor& start, const QString& title)>;

  LabelsSettingsDialog(Settings& settings, Messages& messages, QWidget* owner = nullptr,
                       Picker pick = {});

  // Label n (1..9).
  QLineEdit* nameField(int label) const { return m_names[static_cast<size_t>(label)]; }
  QPushButton* colourButton(int label) const { return m_colours[static_cast<size_t>(label)]; }
  const LabelTable& table() const { return m_table; }
  bool changed() const { return m_changed; }
  void Choose(int label, uint32_t colour);

 public slots:
  void accept() override;

 private:
  void Pick(int label);

  Settings& m_settings;
  Messages& m_messages;
  Picker m_pick;
  LabelTable m_table;
  LabelTable m_before;
  std::array<QLineEdit*, kLabelCount> m_names{};
  std::array<QPushButton*, kLabelCount> m_colours{};
  bool m_changed = false;
};

bool RunLabelsSettingsDialog(QWidget* owner, Settings& settings, Messages& messages);

}  // namespace ploven
