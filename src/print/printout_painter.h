#pragma once

#include <QPagedPaintDevice>
#include <vector>

#include "print/print_fonts.h"
#include "printouts/printout_document.h"

namespace ploven {

// Draws the printouts one after another on a printer or a PDF, each with its own heading on
// every page and its own page numbers. The number of pages drawn; 0 when nothing could be
// painted on the device.
int PaintPrintouts(const std::vector<PrintoutDocument>& documents, const PrintFonts& fonts,
                   QPagedPaintDevice& device);

}  // namespace ploven
