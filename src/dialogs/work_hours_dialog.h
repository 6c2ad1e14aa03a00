#pragma once

#include <QDialog>
#include <array>

#include "store/date_format.h"
#include "store/date_parse.h"

class QCheckBox;
class QLineEdit;

namespace ploven {

class Engine;
class Settings;
struct ProgramSettings;

// Work Hours Settings: when a workday starts and ends (kept in the schedule) and which weekdays
// are workdays (kept in the program's settings; the others are the weekend). OK keeps the
// dialog open while an entry is refused.
class WorkHoursDialog : public QDialog {
  Q_OBJECT

 public:
  WorkHoursDialog(Engine& engine, ProgramSettings& program, Settings& settings, int country,
                  const DateText& text, QWidget* owner = nullptr);

  QLineEdit* startField() const { return m_start; }
  QLineEdit* endField() const { return m_end; }
  // 0 Sunday .. 6 Saturday, whatever order the boxes are shown in.
  QCheckBox* workdayBox(int weekday) const { return m_days[static_cast<size_t>(weekday)]; }
  // Something was taken over by OK.
  bool changed() const { return m_changed; }

 public slots:
  void accept() override;

 private:
  Engine& m_engine;
  ProgramSettings& m_program;
  Settings& m_settings;
  int m_country;
  DateText m_text;
  ParseContext m_context;
  QLineEdit* m_start = nullptr;
  QLineEdit* m_end = nullptr;
  std::array<QCheckBox*, 7> m_days{};
  bool m_changed = false;
};

// Shows the dialog; true when OK changed a setting. The engine then already plans with the new
// work hours and workdays, and the schedule is marked changed when its work hours changed.
bool RunWorkHoursDialog(QWidget* owner, Engine& engine, ProgramSettings& program,
                        Settings& settings, int country, const DateText& text);

}  // namespace ploven
