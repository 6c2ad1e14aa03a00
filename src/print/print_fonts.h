#pragma once

#include <QFont>

#include "printouts/printout_settings.h"

namespace ploven {

// The three printer fonts: the headings, the rows, and the appointment calendar's text.
struct PrintFonts {
  QFont headings;
  QFont text;
  QFont calendar;

  // The saved fonts, or the defaults where none (or an unusable description) is saved.
  static PrintFonts From(const PrintoutSettings& settings);
};

// A font from Qt's description; nothing usable gives `fallback`.
QFont FontFromDescription(const std::string& description, const QFont& fallback);

}  // namespace ploven
