// The main window's one-key changes on the selected item (Edit: Properties, the Balance steps),
// Add Date & Time to Item Title, the deletes by tag, Interrupt..., Record Failed Attempt and
// Cancel Item. The window asks what it must and hands the item to the core.

#include <QDockWidget>
#include <QInputDialog>
#include <QStackedWidget>
#include <cstring>
#include <filesystem>

#include "app/app_messages.h"
#include "app/main_window.h"
#include "dialogs/interrupt_dialog.h"
#include "dialogs/labels_dialog.h"
#include "done/attempt_outcomes.h"
#include "done/interruption_log.h"
#include "edit/tagged_items.h"
#include "platform/format.h"
#include "store/date_format.h"
#include "store/project_reports.h"
#include "views/day_view.h"
#include "views/month_view.h"
#include "views/multi_day_view.h"

namespace ploven {

namespace t = app_text;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The interruptions the report looks back on.
constexpr int kInterruptionReportDays = 30;

}  // namespace

void MainWindow::BuildEditCommands() {
  using enum Command;
  auto quick = [this](QuickChange c) { return [this, c] { QuickChangeSelected(c); }; };
  // F4 tags a project in the Projects List and sequences the selected item everywhere else.
  auto sequenced = [this](Command c) {
    return [this, c] {
      if (m_viewCommand == kProjectsList)
        TagUntagProject(c);
      else
        QuickChangeSelected(QuickChange::kSequenced);
    };
  };
  const std::pair<Command, std::function<void()>> handlers[] = {
      // ---- Edit ----
      {kFlexibleDate, quick(QuickChange::kFlexibleDate)},
      {kAppointment, quick(QuickChange::kAppointment)},
      {kScheduled, quick(QuickChange::kScheduled)},
      {kUnderscore, quick(QuickChange::kUnderscore)},
      {kPrivate, quick(QuickChange::kPrivate)},
      {kHideUntilStartable, quick(QuickChange::kHideUntilStartable)},
      {kSequenced, sequenced(kSequenced)},
      {kKeyF4, sequenced(kKeyF4)},
      {kTagUntagProject,
       [this] {
         if (m_viewCommand == kProjectsList)
           TagUntagProject(kTagUntagProject);
         else
           m_session.messages().InformationMessage(t::kTagUntagOutsideProjects);
       }},
      {kLabel, [this] { LabelSelected(); }},
      {kAddDateTimeToTitle, [this] { StampSelectedTitle(); }},
      {kDeleteSampleItems, [this] { DeleteTaggedItems(kDeleteSampleItems); }},
      {kDeleteSpecialDayItems, [this] { DeleteTaggedItems(kDeleteSpecialDayItems); }},
      {kInterrupt, [this] { Interrupt(); }},
      {kRecordFailedAttempt, [this] { FailedAttemptOnSelected(); }},
      {kCancelItem, [this] { CancelSelected(); }},
      // ---- Balance ----
      {kRaisePriority, quick(QuickChange::kRaisePriority)},
      {kLowerPriority, quick(QuickChange::kLowerPriority)},
      {kEarlierSetStartTime, quick(QuickChange::kEarlierStart)},
      {kLaterSetStartTime, quick(QuickChange::kLaterStart)},
      {kShorterDuration, quick(QuickChange::kShorter)},
      {kLongerDuration, quick(QuickChange::kLonger)},
      // ---- Keys without a menu item ----
      {kKeyAltUp, quick(QuickChange::kRaisePriority)},
      {kKeyAltDown, quick(QuickChange::kLowerPriority)},
      {kKeyCtrlShiftF2, quick(QuickChange::kSplittable)},
      {kKeyDollar, [this] { OpenItemDialog(kCashTransaction); }},
      {kKeyCtrlAltG, [this] { PopUpGapfillers(); }},
      {kKeyCtrlAltL, [this] { ShowLocations(); }},
      {kKeyCtrlShiftDelete, [this] { CancelSelected(); }},
      {kKeyCtrlAltShiftDelete, [this] { DeleteTaggedItems(kDeleteSampleItems); }},
      {kSwitchWindowFocus, [this] { SwitchWindowFocus(); }},
      // ---- View ----
      {kLocations, [this] { ShowLocations(); }},
      {kLaunchWebSite, [this] { LaunchWebSiteInTitle(); }},
      {kBusyNavigator, [this] { ShowBusyNavigator(); }},
      {kFourFourFiveMode, [this] { ToggleFourFourFive(); }},
      {kShowItemTitle, [this] { ShowSelectedTitle(); }},
      {kShowCreationTime, [this] { ShowCreationTime(); }},
      {kSplitItemBreakdown, [this] { ShowSplitBreakdown(); }},
      // ---- Reports ----
      {kItemsReport, [this] { ShowItemsReport(); }},
      {kSleepReport, [this] { ShowSleepReport(); }},
      {kWeekMonthTurnoverScore, [this] { ShowPeriodTurnover(); }},
  };
  for (const auto& [command, handler] : handlers) m_handlers[command] = handler;
}

// Ctrl+Tab: the keyboard goes to the calendar window while it is open, and back.
void MainWindow::SwitchWindowFocus() {
  const bool toCalendar = m_calendarDock->isVisible() && !m_calendar->hasFocus();
  QWidget* target = toCalendar ? static_cast<QWidget*>(m_calendar) : m_stack->currentWidget();
  if (target == nullptr) return;
  target->activateWindow();
  target->setFocus(Qt::TabFocusReason);
}

void MainWindow::QuickChangeSelected(QuickChange change) {
  if (!m_session.writable()) return;
  const QuickTarget target{SelectedTask(), SelectedItem()};
  if (target.task == nullptr && target.item == kNoAct) {
    m_session.messages().InformationMessage(t::kSelectItemFirst);
    return;
  }
  const int step =
      m_session.programSettings().keyIncre1min != 0 ? kQuickFineStepMinutes : kQuickStepMinutes;
  const QuickChangeResult r =
      ApplyQuickChange(m_session.engine(), &m_session.recurrences(), target, change, step);
  if (!r.refusal.empty()) m_session.messages().InformationMessage(r.refusal);
  if (!r.applied) return;
  AfterChange();
  ShowNewItem(r.item);
}

void MainWindow::LabelSelected() {
  if (!m_session.writable()) return;
  const QuickTarget target{SelectedTask(), SelectedItem()};
  if (target.task == nullptr && target.item == kNoAct) {
    m_session.messages().InformationMessage(t::kSelectItemFirst);
    return;
  }
  const ActHandle h = target.task != nullptr ? target.task->act : target.item;
  const std::vector<std::string> names = DefaultLabelNames(kLastLabel + 1);
  QStringList choices;
  for (const std::string& name : names) choices << Q(name);
  const int current = std::min<int>(m_session.schedule().ReadAct(h).label, kLastLabel);
  bool ok = false;
  const QString chosen =
      QInputDialog::getItem(this, t::kLabelCaption, t::kLabelPrompt, choices, current, false, &ok);
  if (!ok) return;
  const QuickChangeResult r = SetItemLabel(m_session.engine(), &m_session.recurrences(), target,
                                           static_cast<int>(choices.indexOf(chosen)));
  if (!r.refusal.empty()) m_session.messages().InformationMessage(r.refusal);
  if (r.applied) AfterChange();
}

void MainWindow::StampSelectedTitle() {
  if (!m_session.writable()) return;
  const QuickTarget target{SelectedTask(), SelectedItem()};
  if (target.task == nullptr && target.item == kNoAct) {
    m_session.messages().InformationMessage(t::kSelectItemFirst);
    return;
  }
  const Clock& clock = m_session.clock();
  const std::string stamp = FormatDate(clock.Today(), m_env->dateText()) + " " +
                            FormatTime(clock.Now(), m_env->dateText());
  const QuickChangeResult r =
      AppendToTitle(m_session.engine(), &m_session.recurrences(), target, stamp);
  if (!r.refusal.empty()) m_session.messages().InformationMessage(r.refusal);
  if (r.applied) AfterChange();
}

void MainWindow::DeleteTaggedItems(Command command) {
  if (!m_session.writable()) return;
  const bool special = command == Command::kDeleteSpecialDayItems;
  const std::vector<std::string_view> tags =
      special ? std::vector<std::string_view>{kSpecialDayTag}
              : std::vector<std::string_view>{kSampleTag, kLessonTag};
  QString tagText;
  for (std::string_view tag : tags)
    tagText += (tagText.isEmpty() ? "" : " or ") + Q(std::string(tag));
  const size_t count = ItemsTagged(m_session.schedule(), tags).size();
  if (count == 0) {
    m_session.messages().InformationMessage(
        QString(t::kDeleteTaggedNone).arg(tagText).toStdString());
    return;
  }
  const QString question = QString(t::kDeleteTaggedQuestion).arg(count).arg(tagText);
  if (m_session.messages().QuestionNoDefault(question.toStdString()) != kIdYes) return;
  for (const ActHandle h : ItemsTagged(m_session.schedule(), tags))
    m_session.deletedNotes().ItemDeleting(m_session.schedule(), h);
  const int deleted = DeleteItemsTagged(m_session.recurrences(), *m_undelete, tags);
  AfterChange();
  m_session.messages().InformationMessage(QString(t::kDeleteTaggedDone).arg(deleted).toStdString());
}

void MainWindow::FailedAttemptOnSelected() {
  TaskNode* task = SelectedTask();
  if (!m_session.writable()) return;
  if (task == nullptr) {
    m_session.messages().InformationMessage(t::kSelectItemFirst);
    return;
  }
  if (RecordFailedAttempt(m_session.engine(), task) == kNoAct) {
    m_session.messages().InformationMessage(t::kFailedAttemptRefused);
    return;
  }
  AfterChange();
}

void MainWindow::CancelSelected() {
  TaskNode* task = SelectedTask();
  if (!m_session.writable()) return;
  if (task == nullptr) {
    m_session.messages().InformationMessage(t::kSelectItemFirst);
    return;
  }
  Schedule& s = m_session.schedule();
  if (s.ActFlags(task->act) & AF_DONE) {
    m_session.messages().InformationMessage(t::kCancelRefused);
    return;
  }
  const QString question = QString(t::kCancelQuestion).arg(Q(s.GetActTitleFull(task->act)));
  if (m_session.messages().QuestionNoDefault(question.toStdString()) != kIdYes) return;
  if (!CancelItem(m_session.engine(), task)) {
    m_session.messages().InformationMessage(t::kCancelRefused);
    return;
  }
  AfterChange();
}

void MainWindow::Interrupt() {
  const Clock& clock = m_session.clock();
  const std::optional<Interruption> entry =
      RunInterruptDialog(this, clock.Today(), clock.Now(), [this] { ShowInterruptionsReport(); });
  if (!entry) return;
  const std::string path = InterruptionLogPath(m_session.files().schedulePath());
  if (const int error = AppendInterruption(m_session.fs(), path, *entry); error != 0) {
    m_session.messages().ErrorMessage(
        QString(t::kInterruptSaveFailed).arg(Q(path), Q(std::strerror(error))).toStdString());
  }
}

void MainWindow::ShowInterruptionsReport() {
  const std::string path = InterruptionLogPath(m_session.files().schedulePath());
  const InterruptionLog log = ReadInterruptions(m_session.fs(), path);
  const DayNumber today = m_session.clock().Today();
  const ReportFormat format = ReportFormatFor(m_env->dateText(), m_env->options.weekStartsMonday);
  const ReportText report = InterruptionsReport(
      log, static_cast<DayNumber>(today - kInterruptionReportDays + 1), today, format,
      [this](TimeOfDay time) { return FormatTime(time, m_env->dateText()); });
  m_session.messages().PlainMessage(report.text, report.caption);
}

}  // namespace ploven
