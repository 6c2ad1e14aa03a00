#pragma once

#include <string>
#include <vector>

#include "print/print_fonts.h"
#include "printouts/printout_document.h"
#include "printouts/printout_settings.h"

namespace ploven {

struct PdfResult {
  bool ok = false;
  int pages = 0;
  std::string message;  // why it failed
};

// Writes the printouts as one PDF on the saved paper. Needs a QGuiApplication (the offscreen
// platform will do). A file that cannot be written is reported and nothing else is touched.
PdfResult WritePrintoutsPdf(const std::vector<PrintoutDocument>& documents,
                            const PrintFonts& fonts, const PaperSettings& paper,
                            const std::string& path);

}  // namespace ploven
