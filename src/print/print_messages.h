#pragma once

// The texts of the printing front end.
namespace ploven::print_text {

inline constexpr const char* kCannotWritePdf = "Can't write the PDF file %s.";
inline constexpr const char* kPdfCreator = "Ploven";

}  // namespace ploven::print_text
