#include "print/pdf_printout.h"

#include <QFile>
#include <QPdfWriter>

#include "platform/format.h"
#include "print/page_setup.h"
#include "print/print_messages.h"
#include "print/printout_painter.h"

namespace ploven {

namespace {
constexpr int kPdfResolution = 600;
}  // namespace

PdfResult WritePrintoutsPdf(const std::vector<PrintoutDocument>& documents,
                            const PrintFonts& fonts, const PaperSettings& paper,
                            const std::string& path) {
  PdfResult result;
  // The writer is given an open file, so that a path it cannot write is told here rather
  // than drawn into nothing.
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    result.message = Sprintf(print_text::kCannotWritePdf, path.c_str());
    return result;
  }
  {
    QPdfWriter writer(&file);
    writer.setResolution(kPdfResolution);
    writer.setCreator(print_text::kPdfCreator);
    if (!documents.empty()) writer.setTitle(QString::fromStdString(documents.front().what));
    writer.setPageLayout(PageLayoutOf(paper));
    result.pages = PaintPrintouts(documents, fonts, writer);
  }
  file.close();
  result.ok = result.pages > 0 && file.error() == QFileDevice::NoError;
  if (!result.ok) {
    file.remove();
    result.message = Sprintf(print_text::kCannotWritePdf, path.c_str());
  }
  return result;
}

}  // namespace ploven
