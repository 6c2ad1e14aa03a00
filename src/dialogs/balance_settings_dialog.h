#pragma once

#include <QDialog>

#include "store/date_format.h"
#include "store/date_parse.h"

class QLineEdit;

namespace ploven {

class Engine;

// Balance Settings: the reserves for interruptions, the Keep Clear range and the minimum split
// duration. A refused entry keeps the dialog open with its message.
class BalanceSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  BalanceSettingsDialog(Engine& engine, const DateText& text, QWidget* owner = nullptr);

  QLineEdit* reserveTodayField() const { return m_reserveToday; }
  QLineEdit* reserveFutureField() const { return m_reserveFuture; }
  QLineEdit* keepClearFromField() const { return m_from; }
  QLineEdit* keepClearThroughField() const { return m_through; }
  QLineEdit* minSplitField() const { return m_minSplit; }

 public slots:
  void accept() override;

 private:
  Engine& m_engine;
  DateText m_text;
  ParseContext m_context;
  QLineEdit* m_reserveToday = nullptr;
  QLineEdit* m_reserveFuture = nullptr;
  QLineEdit* m_from = nullptr;
  QLineEdit* m_through = nullptr;
  QLineEdit* m_minSplit = nullptr;
};

// Shows the dialog; true when OK took the settings over (the engine plans with them at once and
// the schedule is marked changed).
bool RunBalanceSettingsDialog(QWidget* owner, Engine& engine, const DateText& text);

}  // namespace ploven
