#pragma once

#include <string>

namespace ploven {

class Settings;

// The printouts Print My Printouts makes, in the order it makes them.
struct MyPrintouts {
  bool dayToday = true;
  bool calendarWeek = false;
  bool calendarMonth = false;
  bool priorityFirstPage = false;
  bool underscoredItems = false;
  bool operator==(const MyPrintouts&) const = default;
};

// The paper the printouts are laid out on. Margins in millimetres.
struct PaperSettings {
  std::string paper = "A4";  // the page size's name ("A4", "Letter", "Legal", "A5")
  bool landscape = false;
  int marginLeft = 15, marginTop = 15, marginRight = 15, marginBottom = 15;
  std::string printerName;   // "" for the system's default printer
  bool operator==(const PaperSettings&) const = default;
};

// Printouts Settings and the page setup, kept in the program's settings.
struct PrintoutSettings {
  MyPrintouts mine;
  bool includePrivateItems = false;  // items whose title begins with "!"
  int daysPerPage = 1;               // day sheets: a new page after this many days
  PaperSettings paper;
  // The printer fonts, each Qt's font description ("family,points,..."); "" for the default.
  std::string headingsFont;
  std::string textFont;
  std::string calendarFont;
  bool operator==(const PrintoutSettings&) const = default;

  static constexpr int kMaxDaysPerPage = 7;
  static constexpr int kMaxMargin = 60;

  // Missing or unusable values give their defaults.
  static PrintoutSettings Load(const Settings& settings);
  // False when the settings could not be written.
  bool Save(Settings& settings) const;
};

}  // namespace ploven
