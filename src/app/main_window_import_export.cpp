// The main window's Import Items and Export commands: iCalendar files for the user's calendar,
// item lines, and the views as plain text in "export.txt" of the data folder.

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <span>
#include <sstream>

#include "app/import_export_messages.h"
#include "app/import_once.h"
#include "app/main_window.h"
#include "dialogs/print_range_dialog.h"
#include "engine/engine_hold.h"
#include "ical/calendar_memory.h"
#include "ical/calendar_notes.h"
#include "ical/ical_export.h"
#include "ical/ical_import.h"
#include "ical/ical_messages.h"
#include "platform/format.h"
#include "present/view_text_export.h"

namespace ploven {

namespace t = import_export_text;

namespace {

std::optional<std::string> ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A calendar by its name, or by its first line when the name says nothing.
bool IsCalendarFile(const std::string& path, const std::string& text) {
  const std::string extension = std::filesystem::path(path).extension().string();
  if (extension == ".ics" || extension == ".ical" || extension == ".ICS") return true;
  size_t at = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
  return text.compare(at, 15, "BEGIN:VCALENDAR") == 0;
}

int CountItems(const std::string& calendar) {
  int n = 0;
  for (const char* begin : {"BEGIN:VEVENT", "BEGIN:VTODO"}) {
    for (size_t at = calendar.find(begin); at != std::string::npos;
         at = calendar.find(begin, at + 1))
      ++n;
  }
  return n;
}

}  // namespace

void MainWindow::AddImportExportHandlers() {
  using enum Command;
  const auto calendar = [this](bool tasks, bool range) {
    return [this, tasks, range] { ExportCalendarFile(tasks, range); };
  };
  m_handlers[kImportItems] = [this] { ImportItems(); };
  m_handlers[kExportAppointmentsToday] = calendar(false, false);
  m_handlers[kExportAppointmentsRange] = calendar(false, true);
  m_handlers[kExportTasksToday] = calendar(true, false);
  m_handlers[kExportTasksRange] = calendar(true, true);
  m_handlers[kExportDayViewToday] = [this] { ExportDayViewText(false); };
  m_handlers[kExportDayViewRange] = [this] { ExportDayViewText(true); };
  m_handlers[kExportAlphabeticalView] = [this] { ExportAlphabeticalText(); };
  m_handlers[kViewExportFile] = [this] { ViewExportFile(); };
}

std::optional<std::pair<DayNumber, DayNumber>> MainWindow::ExportDays(bool range) {
  const DayNumber today = m_session.clock().Today();
  if (!range) return std::pair{today, today};
  PrintRangeDialog dialog(false, m_viewedDate, static_cast<DayNumber>(m_viewedDate + 6),
                          m_env->dateText(), m_session.ParseContextFor(m_viewedDate),
                          m_session.messages(), this);
  dialog.setWindowTitle(t::kRangeCaption);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return std::pair{dialog.from(), dialog.to()};
}

QString MainWindow::ChooseFile(const FileQuestion& question) {
  if (m_chooseFile) return m_chooseFile(question);
  return question.save ? QFileDialog::getSaveFileName(this, question.caption, question.start,
                                                      question.filter)
                       : QFileDialog::getOpenFileName(this, question.caption, question.start,
                                                      question.filter);
}

void MainWindow::ImportItems() {
  Messages& msg = m_session.messages();
  if (!m_session.writable()) {
    msg.InformationMessage(t::kReadOnly);
    return;
  }
  const QString chosen =
      ChooseFile({false, t::kImportCaption,
                  QString::fromStdString(m_session.places().dataFolder.string()), t::kImportFilter});
  if (chosen.isEmpty()) return;
  const std::string path = chosen.toStdString();
  const std::optional<std::string> text = ReadWhole(path);
  if (!text) {
    msg.ErrorMessage(Sprintf(t::kNotReadable, path.c_str()));
    return;
  }
  const EngineHold importing(m_session.engine(), EngineHoldReason::kImporting);
  if (!IsCalendarFile(path, *text)) {
    ImportOnceResult result;
    const int made = ImportItemLines(m_session, path, result);
    if (made > 0) m_session.SaveIfChanged();
    AfterChange();
    msg.InformationMessage(Sprintf(t::kLinesImported, made, path.c_str()));
    return;
  }
  const std::string schedule = m_session.files().path();
  CalendarMemory memory = LoadCalendarMemory(m_session.fs(), schedule);
  CalendarImportHooks hooks;
  hooks.saveNote = NoteWriter(m_session.noteFiles());
  const CalendarImportReport report =
      ImportCalendar(m_session.engine(), m_session.recurrences(), memory, *text, hooks);
  if (!report.calendar) {
    msg.ErrorMessage(Sprintf(ical_text::kNotCalendar, path.c_str()));
    return;
  }
  // The UIDs are remembered once the items they stand for are saved.
  if (m_session.SaveIfChanged()) {
    const std::string failure = SaveCalendarMemory(m_session.fs(), schedule, memory);
    if (!failure.empty())
      msg.ErrorMessage(Sprintf(ical_text::kMemoryNotWritten, CalendarMemoryPath(schedule).c_str(),
                               failure.c_str()));
  }
  AfterChange();
  std::string lines;
  for (const std::string& line : report.Lines()) lines += line + "\n";
  msg.InformationMessage(lines);
}

void MainWindow::ExportCalendarFile(bool tasks, bool range) {
  const auto days = ExportDays(range);
  if (!days) return;
  const std::filesystem::path suggested =
      m_session.places().dataFolder / (tasks ? t::kTasksFile : t::kAppointmentsFile);
  const QString chosen =
      ChooseFile({true, tasks ? t::kExportTasksCaption : t::kExportAppointmentsCaption,
                  QString::fromStdString(suggested.string()), t::kCalendarFilter});
  if (chosen.isEmpty()) return;
  const std::string schedule = m_session.files().path();
  CalendarMemory memory = LoadCalendarMemory(m_session.fs(), schedule);
  CalendarExportOptions options;
  options.from = days->first;
  options.to = days->second;
  options.events = !tasks;
  options.todos = tasks;
  options.noteText = NoteReader(m_session.noteFiles());
  const std::string text = ExportCalendar(m_session.recurrences(), memory, options);
  const std::string path = chosen.toStdString();
  if (WriteExport(path, text)) {
    SaveCalendarMemory(m_session.fs(), schedule, memory);
    m_session.messages().InformationMessage(
        Sprintf(t::kCalendarExported, CountItems(text), path.c_str()));
  }
}

bool MainWindow::WriteExport(const std::string& path, const std::string& text) {
  const FileOutcome out = WriteWholeFile(
      m_session.fs(), path, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
  if (out.ok()) return true;
  m_session.messages().ErrorMessage(
      Sprintf(t::kNotWritable, path.c_str(), std::strerror(out.error)));
  return false;
}

std::string MainWindow::ExportFilePath() const {
  return (m_session.places().dataFolder / t::kExportFile).string();
}

void MainWindow::ExportDayViewText(bool range) {
  const auto days = ExportDays(range);
  if (!days) return;
  const DaySource source{m_session.engine(), &m_session.recurrences(), m_env->options,
                         m_env->hiddenByFilter, m_env->hasNote};
  const std::string text = DayViewText(source, days->first, days->second, m_env->dateText());
  if (WriteExport(ExportFilePath(), text))
    m_session.messages().InformationMessage(
        Sprintf(t::kTextExported, t::kDayViewName, ExportFilePath().c_str()));
  AfterChange();
}

void MainWindow::ExportAlphabeticalText() {
  ListLineOptions options;
  options.showProjectName = m_env->options.showProjectName;
  const std::string text =
      AlphabeticalViewText(m_session.schedule(), m_env->dateText(), options, m_env->hiddenByFilter);
  if (WriteExport(ExportFilePath(), text))
    m_session.messages().InformationMessage(
        Sprintf(t::kTextExported, t::kAlphabeticalViewName, ExportFilePath().c_str()));
}

void MainWindow::ViewExportFile() {
  const std::optional<std::string> text = ReadWhole(ExportFilePath());
  if (!text) {
    m_session.messages().InformationMessage(Sprintf(t::kNothingExported, ExportFilePath().c_str()));
    return;
  }
  QDialog viewer(this);
  viewer.setObjectName("ExportFileViewer");
  viewer.setWindowTitle(t::kExportFileCaption);
  auto* layout = new QVBoxLayout(&viewer);
  auto* shown = new QPlainTextEdit(QString::fromStdString(*text), &viewer);
  shown->setReadOnly(true);
  shown->setLineWrapMode(QPlainTextEdit::NoWrap);
  shown->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  layout->addWidget(shown);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &viewer);
  connect(buttons, &QDialogButtonBox::rejected, &viewer, &QDialog::reject);
  layout->addWidget(buttons);
  viewer.resize(720, 480);
  viewer.exec();
}

}  // namespace ploven
