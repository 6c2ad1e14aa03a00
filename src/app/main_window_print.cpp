// The main window's printing: every Print command of the File menu through a print preview
// (from which the user prints or saves a PDF), Print Setup and Page Setup, the printer fonts
// and Printouts Settings.

#include <QFontDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "app/main_window.h"
#include "dialogs/print_range_dialog.h"
#include "dialogs/printouts_settings_dialog.h"
#include "dialogs/print_dialog_messages.h"
#include "platform/settings_keys.h"
#include "print/page_setup.h"
#include "print/printout_painter.h"
#include "printouts/compose_printout.h"
#include "printouts/print_notes.h"
#include "printouts/printout_requests.h"
#include "present/list_lines.h"
#include "store/calendar.h"
#include "views/list_view.h"
#include "views/multi_day_view.h"

namespace ploven {

namespace pt = print_dialog_text;

namespace {

// The printer that the page setup and the saved printer describe; a saved printer that is gone
// leaves the system's default.
void SetUpPrinter(QPrinter& printer, const PaperSettings& paper) {
  const QString name = QString::fromStdString(paper.printerName);
  if (!name.isEmpty() && QPrinterInfo::availablePrinterNames().contains(name))
    printer.setPrinterName(name);
  printer.setPageLayout(PageLayoutOf(paper));
}

bool SavePrintoutSettings(const PrintoutSettings& p, Settings& settings, Messages& msg) {
  if (p.Save(settings)) return true;
  msg.ErrorMessage(pt::kNotSaved);
  return false;
}

}  // namespace

void MainWindow::AddPrintHandlers() {
  using enum Command;
  const auto one = [this](PrintoutKind kind, bool firstPage = false) {
    return [this, kind, firstPage] {
      PrintoutRequest r(kind, m_viewedDate, m_viewedDate);
      r.firstPageOnly = firstPage;
      Print({r});
    };
  };
  const auto calendar = [this](CalendarSpan span) {
    return [this, span] {
      Print({CalendarRequest(span, m_viewedDate, m_env->options.weekStartsMonday)});
    };
  };
  const auto font = [this](Command c) { return [this, c] { ChoosePrinterFont(c); }; };
  m_handlers[kPrintMyPrintouts] = [this] {
    const PrintoutSettings settings = PrintoutSettings::Load(m_session.settings());
    const auto requests = MyPrintoutRequests(settings.mine, m_session.clock().Today(),
                                             m_env->options.weekStartsMonday);
    if (requests.empty()) {
      m_session.messages().InformationMessage(pt::kNoPrintoutsChosen);
      return;
    }
    Print(requests);
  };
  m_handlers[kPrintDayToday] = [this] {
    const DayNumber today = m_session.clock().Today();
    Print({PrintoutRequest(PrintoutKind::kDayView, today, today)});
  };
  m_handlers[kPrintDayViewed] = one(PrintoutKind::kDayView);
  m_handlers[kPrintDayRange] = [this] { PrintRange(false); };
  m_handlers[kPrintPriorityFirstPage] = one(PrintoutKind::kPriorityView, true);
  m_handlers[kPrintPriorityAllPages] = one(PrintoutKind::kPriorityView);
  m_handlers[kPrintAlphabeticalView] = one(PrintoutKind::kAlphabeticalView);
  m_handlers[kPrintProjectsList] = one(PrintoutKind::kProjectsList);
  m_handlers[kPrintCalendarWeek] = calendar(CalendarSpan::kWeek);
  m_handlers[kPrintCalendarFourWeeks] = calendar(CalendarSpan::kFourWeeks);
  m_handlers[kPrintCalendarMonth] = calendar(CalendarSpan::kMonth);
  m_handlers[kPrintCalendarQuarter] = calendar(CalendarSpan::kQuarter);
  m_handlers[kPrintCalendarRange] = [this] { PrintRange(true); };
  m_handlers[kPrintUnderscoredItems] = one(PrintoutKind::kUnderscoredItems);
  m_handlers[kPrintBrowsedNote] = [this] { PrintNotes(true); };
  m_handlers[kPrintViewNotes] = [this] { PrintNotes(false); };
  m_handlers[kPrintSetup] = [this] { PrintSetup(false); };
  m_handlers[kPageSetup] = [this] { PrintSetup(true); };
  m_handlers[kPrinterHeadingsFont] = font(kPrinterHeadingsFont);
  m_handlers[kPrinterTextFont] = font(kPrinterTextFont);
  m_handlers[kPrinterCalendarFont] = font(kPrinterCalendarFont);
  m_handlers[kPrintoutsSettings] = [this] { OpenPrintoutsSettings(); };
}

std::vector<PrintoutDocument> MainWindow::ComposePrintouts(
    const std::vector<PrintoutRequest>& requests) {
  const PrintoutSettings settings = PrintoutSettings::Load(m_session.settings());
  Schedule& s = m_session.schedule();
  std::vector<PrintoutDocument> documents;
  for (const PrintoutRequest& request : requests) {
    // The filter as the views apply it, except that a printout is being drawn.
    FilterContext base;
    base.view = request.kind == PrintoutKind::kProjectsList ? FilterView::kProjectsList
                                                             : FilterView::kOther;
    base.hideDoneItems =
        m_env->options.hideDoneItems && m_session.programSettings().enableHideDoneItems != 0;
    PrintSource source{m_session.engine(),
                       &m_session.recurrences(),
                       m_env->options,
                       MakePrintoutFilter(s, m_filters, base, settings.includePrivateItems),
                       m_session.settings().ReadString(key::kUserName),
                       FilterSummary(s, m_filters),
                       settings.daysPerPage};
    documents.push_back(ComposePrintout(source, request));
  }
  return documents;
}

void MainWindow::Print(const std::vector<PrintoutRequest>& requests) {
  const std::vector<PrintoutDocument> documents = ComposePrintouts(requests);
  // Making the days of the printout may have added their recurring occurrences.
  RefreshViews();
  if (documents.empty()) return;
  const PrintoutSettings settings = PrintoutSettings::Load(m_session.settings());
  const PrintFonts fonts = PrintFonts::From(settings);
  QPrinter printer(QPrinter::HighResolution);
  SetUpPrinter(printer, settings.paper);
  printer.setDocName(QString::fromStdString(documents.front().what));
  QPrintPreviewDialog preview(&printer, this);
  preview.setWindowTitle(QString::fromStdString(documents.front().what + " - " +
                                                documents.front().dates));
  connect(&preview, &QPrintPreviewDialog::paintRequested, this,
          [&](QPrinter* p) { PaintPrintouts(documents, fonts, *p); });
  if (m_printPreview)
    m_printPreview(preview);
  else
    preview.exec();
}

void MainWindow::PrintRange(bool calendar) {
  PrintRangeDialog dialog(calendar, m_viewedDate,
                          static_cast<DayNumber>(m_viewedDate + (calendar ? 27 : 6)),
                          m_env->dateText(), m_session.ParseContextFor(m_viewedDate),
                          m_session.messages(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  PrintoutRequest r(calendar ? PrintoutKind::kCalendar : PrintoutKind::kDayView, dialog.from(),
                    dialog.to());
  r.calendarFormat = dialog.format();
  Print({r});
}

void MainWindow::PrintNotes(bool browsed) {
  Schedule& s = m_session.schedule();
  std::vector<ShownItem> items;
  if (browsed) {
    const ActHandle h = SelectedItem();
    if (h != kNoAct) items.emplace_back(h, ShownDay());
  } else {
    const PrintoutFilter hidden = [this](ActHandle h, DayNumber) {
      return m_env->Hidden(h);
    };
    switch (m_viewCommand) {
      case Command::kPriorityView:
      case Command::kAlphabeticalView:
      case Command::kProjectsList:
      case Command::kProjectsTree:
        for (const ActHandle h : ListEntries(s, m_list->kind()))
          if (!hidden(h, kNoDate)) items.emplace_back(h, kNoDate);
        break;
      case Command::kMonthView: {
        const auto first =
            static_cast<DayNumber>(MakeDay(MonthOf(m_viewedDate), 1, YearOf(m_viewedDate)));
        const auto last = static_cast<DayNumber>(
            first + DaysInMonth(MonthOf(m_viewedDate), YearOf(m_viewedDate)) - 1);
        items = ItemsOnDays(s, first, last, hidden);
        break;
      }
      default:
        items = ItemsOnDays(s, m_days->firstDate(),
                            static_cast<DayNumber>(m_days->firstDate() + m_days->count() - 1),
                            hidden);
        break;
    }
  }
  const PrintoutSettings settings = PrintoutSettings::Load(m_session.settings());
  FilterContext base;
  PrintSource source{m_session.engine(), &m_session.recurrences(), m_env->options,
                     MakePrintoutFilter(s, m_filters, base, settings.includePrivateItems), "",
                     "", 1};
  // Private notes stay out as private items do.
  std::erase_if(items, [&](const ShownItem& i) { return source.hidden(i.first, i.second); });
  PrintoutRequest r(PrintoutKind::kNotes);
  r.notes = NotesToPrint(source, m_session.noteFiles(), items);
  if (r.notes.empty()) {
    m_session.messages().InformationMessage(browsed ? pt::kNoNoteToPrint : pt::kNoNotesToPrint);
    return;
  }
  Print({r});
}

void MainWindow::PrintSetup(bool pageOnly) {
  PrintoutSettings settings = PrintoutSettings::Load(m_session.settings());
  QPrinter printer(QPrinter::HighResolution);
  SetUpPrinter(printer, settings.paper);
  if (pageOnly) {
    QPageSetupDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
  } else {
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setWindowTitle(QString::fromStdString(CommandLabel(Command::kPrintSetup)));
    if (dialog.exec() != QDialog::Accepted) return;
    settings.paper.printerName = printer.printerName().toStdString();
  }
  StorePageLayout(printer.pageLayout(), settings.paper);
  SavePrintoutSettings(settings, m_session.settings(), m_session.messages());
}

void MainWindow::ChoosePrinterFont(Command command) {
  PrintoutSettings settings = PrintoutSettings::Load(m_session.settings());
  const PrintFonts fonts = PrintFonts::From(settings);
  std::string PrintoutSettings::*saved = &PrintoutSettings::textFont;
  QFont current = fonts.text;
  if (command == Command::kPrinterHeadingsFont) {
    saved = &PrintoutSettings::headingsFont;
    current = fonts.headings;
  } else if (command == Command::kPrinterCalendarFont) {
    saved = &PrintoutSettings::calendarFont;
    current = fonts.calendar;
  }
  bool ok = false;
  const QFont font =
      QFontDialog::getFont(&ok, current, this, QString::fromStdString(CommandLabel(command)));
  if (!ok) return;
  settings.*saved = font.toString().toStdString();
  SavePrintoutSettings(settings, m_session.settings(), m_session.messages());
}

void MainWindow::OpenPrintoutsSettings() {
  PrintoutsSettingsDialog dialog(PrintoutSettings::Load(m_session.settings()),
                                 m_session.messages(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  SavePrintoutSettings(dialog.Chosen(), m_session.settings(), m_session.messages());
}

}  // namespace ploven
