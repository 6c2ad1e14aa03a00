// The main window's Settings commands for the colours, the labels, My Multiple Day View, the
// value of time, the user name and the schedule's password.

#include "app/main_window.h"
#include "password/sodium_password_hasher.h"
#include "dialogs/colors_settings_dialog.h"
#include "dialogs/labels_settings_dialog.h"
#include "dialogs/multiple_day_settings_dialog.h"
#include "dialogs/passwords_dialog.h"
#include "dialogs/user_name_dialog.h"
#include "dialogs/value_of_time_dialog.h"
#include "platform/settings_keys.h"
#include "views/multi_day_view.h"

namespace ploven {

void MainWindow::ApplyDisplaySettings() {
  const ProgramSettings& p = m_session.programSettings();
  DisplayOptions& o = m_env->options;
  o.colorNormalBackground = p.colorNormalBackground;
  o.colorNormalText = p.colorNormalText;
  o.colorFluid = p.colorFluid;
  o.colorUnscheduled = p.colorUnscheduled;
  o.colorDone = p.colorDone;
  o.colorFreeTime = p.colorFreeTime;
  o.colorPastTime = p.colorPastTime;
  o.colorSelection = p.colorSelection;
  o.showOppCosts = p.showOppCosts != 0;
  // The fonts stay; only the colours follow the settings.
  const ViewStyle fresh = ViewStyle::From(o);
  ViewStyle& st = m_env->style;
  st.background = fresh.background;
  st.text = fresh.text;
  st.fluid = fresh.fluid;
  st.unscheduled = fresh.unscheduled;
  st.done = fresh.done;
  st.freeTime = fresh.freeTime;
  st.pastTime = fresh.pastTime;
  st.selection = fresh.selection;
  RefreshViews();
  update();
}

void MainWindow::OpenColorsSettings() {
  if (RunColorsSettingsDialog(this, m_session.programSettings(), m_session.settings(),
                              m_session.messages()))
    ApplyDisplaySettings();
}

void MainWindow::OpenLabelsSettings() {
  if (RunLabelsSettingsDialog(this, m_session.settings(), m_session.messages())) RefreshViews();
}

void MainWindow::OpenMultipleDaySettings() {
  if (!m_session.writable()) return;
  if (!RunMultipleDaySettingsDialog(this, m_session.schedule(), MultiDayView::kMaxViews)) return;
  m_multipleDays = MultipleDayWindows(m_session.schedule(), MultiDayView::kMaxViews);
  if (m_viewCommand == Command::kMyMultipleDayView) ShowView(Command::kMyMultipleDayView);
  AfterChange();
}

void MainWindow::OpenValueOfTimeSettings() {
  if (!m_session.writable()) return;
  if (RunValueOfTimeDialog(this, m_session.engine(), m_session.programSettings(),
                           m_session.settings(), m_env->dateText().regional.iCountry)) {
    ApplyDisplaySettings();
    AfterChange();
  }
}

void MainWindow::OpenUserNameSetting() {
  if (!RunUserNameDialog(this, m_session.settings(), m_session.messages())) return;
  // The alarm boxes and the title name the user too.
  m_session.SetUserName(m_session.settings().ReadString(key::kUserName));
  RefreshTitle();
}

void MainWindow::OpenPasswordsSettings() {
  if (!m_session.writable()) return;
  SodiumPasswordHasher hasher;
  RunPasswordsDialog(this, m_session.fs(), hasher, m_session.files().schedulePath(),
                     m_session.messages());
}

}  // namespace ploven
