// The View menu's commands on the selected item (its whole title, when it was made, the
// segments of a split item, the web site in its title), the items by label, the 4-4-5 calendar
// and the 31-day busy navigator.

#include <QDesktopServices>
#include <QUrl>

#include "app/app_messages.h"
#include "app/main_window.h"
#include "app/menu_builder.h"
#include "dialogs/labels_dialog.h"
#include "engine/busy_days.h"
#include "present/item_facts.h"
#include "platform/settings_keys.h"
#include "store/project_reports.h"
#include "views/busy_navigator.h"
#include "views/month_view.h"

namespace ploven {

namespace t = app_text;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The item the View commands tell about: the selected item of the view, or the selected project
// of the Projects List; none is told.
ActHandle ItemToTell(ActHandle selected, Messages& messages) {
  if (selected == kNoAct) messages.InformationMessage(t::kSelectItemFirst);
  return selected;
}

}  // namespace

void MainWindow::ShowSelectedTitle() {
  const ActHandle h = ItemToTell(SelectedItem(), m_session.messages());
  if (h == kNoAct) return;
  m_session.messages().PlainMessage(m_session.schedule().GetActTitleFull(h), t::kItemTitleCaption);
}

void MainWindow::ShowCreationTime() {
  const ActHandle h = ItemToTell(SelectedItem(), m_session.messages());
  if (h == kNoAct) return;
  m_session.messages().PlainMessage(CreationText(m_session.schedule(), h, m_env->dateText()),
                                    t::kCreationCaption);
}

void MainWindow::ShowSplitBreakdown() {
  const ActHandle h = ItemToTell(SelectedItem(), m_session.messages());
  if (h == kNoAct) return;
  m_session.messages().PlainMessage(SplitBreakdownText(m_session.schedule(), h, m_env->dateText()),
                                    t::kSplitCaption);
}

void MainWindow::LaunchWebSiteInTitle() {
  const ActHandle h = ItemToTell(SelectedItem(), m_session.messages());
  if (h == kNoAct) return;
  const std::string url = FirstUrlIn(m_session.schedule().GetActTitleFull(h));
  if (url.empty()) {
    m_session.messages().InformationMessage(t::kNoWebSite);
    return;
  }
  const bool opened = m_openUrl ? m_openUrl(url) : QDesktopServices::openUrl(QUrl(Q(url)));
  if (!opened)
    m_session.messages().ErrorMessage(QString(t::kWebSiteFailed).arg(Q(url)).toStdString());
}

void MainWindow::ShowLocations() {
  std::vector<std::string> names = DefaultLabelNames(kLastLabel + 1);
  names.erase(names.begin());  // label 0 is no label
  const ReportText report = ItemsByLabelReport(
      m_session.schedule(), ReportFormatFor(m_env->dateText(), m_env->options.weekStartsMonday),
      names, m_env->hiddenByFilter);
  m_session.messages().PlainMessage(report.text, report.caption);
}

void MainWindow::ToggleFourFourFive() {
  const bool on = !m_month->fourFourFive();
  m_month->SetFourFourFive(on);
  m_calendar->SetFourFourFive(on);
  m_menus->SetChecked(Command::kFourFourFiveMode, on);
  m_session.settings().WriteInt(key::kFourFourFiveMode, on ? 1 : 0);
}

void MainWindow::ShowBusyNavigator() {
  if (!m_busyNavigator) {
    m_busyNavigator = new BusyNavigator(this);
    connect(m_busyNavigator, &BusyNavigator::dateChosen, this, [this](DayNumber date) {
      if (!DayViewShowing()) ShowView(Command::kDayView);
      GoToDate(date);
      ShowBusyNavigator();  // the viewed day's mark follows
    });
  }
  const DayNumber today = m_session.clock().Today();
  m_busyNavigator->SetDays(BusyDays(m_session.engine(), today), today, m_viewedDate);
  m_busyNavigator->show();
  m_busyNavigator->raise();
}

}  // namespace ploven
