// The two popups filled each time they open: Gapfillers (the flexible items that fit the free
// time left today) and Multiusers (the other users' schedules beside this one's folder).

#include <QCursor>
#include <QMenu>

#include "app/app_messages.h"
#include "app/main_window.h"
#include "app/menu_builder.h"
#include "engine/gap_fillers.h"
#include "file/schedule_format.h"
#include "file/shared_users.h"
#include "present/item_facts.h"
#include "store/date_format.h"
#include "store/schedule.h"
#include "views/month_view.h"

namespace ploven {

namespace t = app_text;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

void AddNothing(QMenu* menu, const char* text) {
  QAction* none = menu->addAction(text);
  none->setEnabled(false);
}

}  // namespace

void MainWindow::FillRunTimeMenu(QMenu* menu) {
  if (menu == nullptr) return;
  // The tick of a switch the menus do not keep across a mode change.
  m_menus->SetChecked(Command::kFourFourFiveMode, m_month->fourFourFive());
  if (menu == m_menus->Popup(Command::kGapfillers)) FillGapfillers(menu);
  if (menu == m_menus->Popup(Command::kMultiusers)) FillMultiusers(menu);
}

void MainWindow::FillGapfillers(QMenu* menu) {
  menu->clear();
  Schedule& s = m_session.schedule();
  const std::vector<GapFiller> fillers = GapFillers(m_session.engine(), m_session.clock().Now());
  if (fillers.empty() || !m_session.writable()) {
    AddNothing(menu, t::kNoGapfillers);
    return;
  }
  for (const GapFiller& filler : fillers) {
    const QString text = QString(t::kGapfillerItem)
                             .arg(Q(s.GetActTitleFull(filler.item)))
                             .arg(Q(FormatDuration(filler.duration, m_env->dateText())));
    QAction* action = menu->addAction(text);
    const ActHandle item = filler.item;
    connect(action, &QAction::triggered, this, [this, item] {
      if (!m_session.writable() || !m_session.schedule().IsActValid(item)) return;
      if (PlaceGapFiller(m_session.engine(), item)) {
        AfterChange();
        ShowNewItem(item);
      }
    });
  }
}

void MainWindow::PopUpGapfillers() {
  QMenu menu(this);
  FillGapfillers(&menu);
  menu.exec(QCursor::pos());
}

void MainWindow::FillMultiusers(QMenu* menu) {
  menu->clear();
  const std::vector<SharedUser> users = SharedScheduleUsers(m_session.files().folder());
  if (users.empty()) {
    AddNothing(menu, t::kNoMultiusers);
    return;
  }
  for (const SharedUser& user : users) {
    QAction* action = menu->addAction(Q(user.name));
    connect(action, &QAction::triggered, this, [this, user] {
      // The other schedule is read, never locked or written: it stays its owner's.
      const auto bytes = m_session.fs().ReadFile(user.schedulePath);
      Schedule other(m_session.messages(), m_session.clock());
      if (!bytes.ok() || !LoadSchedule(other, *bytes.value).ok) {
        m_session.messages().ErrorMessage(
            QString(t::kOtherScheduleUnreadable).arg(Q(user.name)).toStdString());
        return;
      }
      const ReportText glance =
          ScheduleGlance(other, user.name, m_session.clock().Today(),
                         ReportFormatFor(m_env->dateText(), m_env->options.weekStartsMonday));
      m_session.messages().PlainMessage(glance.text, glance.caption);
    });
  }
}

}  // namespace ploven
