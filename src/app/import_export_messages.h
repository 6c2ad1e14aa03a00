#pragma once

// Texts of the File menu's Import Items and Export commands.
namespace ploven::import_export_text {

inline constexpr char kImportCaption[] = "Import Items";
inline constexpr char kImportFilter[] =
    "Calendar files and item lines (*.ics *.ical *.txt);;Calendar files (*.ics *.ical);;"
    "All files (*)";
inline constexpr char kCalendarFilter[] = "Calendar files (*.ics)";
inline constexpr char kExportAppointmentsCaption[] = "Export Appointments to Your Calendar";
inline constexpr char kExportTasksCaption[] = "Export Tasks to Your Calendar";
inline constexpr char kRangeCaption[] = "Export: Range of Days";
inline constexpr char kAppointmentsFile[] = "appointments.ics";
inline constexpr char kTasksFile[] = "tasks.ics";
inline constexpr char kExportFile[] = "export.txt";
inline constexpr char kExportFileCaption[] = "Export File (export.txt)";
inline constexpr char kLinesImported[] = "%d items imported from %s.";
inline constexpr char kCalendarExported[] = "%d items written to %s.";
inline constexpr char kTextExported[] = "The %s was written to %s.";
inline constexpr char kDayViewName[] = "Day View";
inline constexpr char kAlphabeticalViewName[] = "Alphabetical View";
inline constexpr char kNothingExported[] =
    "Nothing has been exported yet: the Export commands of the File menu write %s.";
inline constexpr char kNotReadable[] = "The file %s could not be read.";
inline constexpr char kNotWritable[] = "The file %s could not be written (%s).";
inline constexpr char kReadOnly[] = "This schedule is open for reading only: nothing was imported.";

}  // namespace ploven::import_export_text
