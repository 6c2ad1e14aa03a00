#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace ploven::test {

// What a command printed on its standard output.
inline std::string CommandOutput(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  pclose(pipe);
  return out;
}

// The text of a PDF as poppler reads it, laid out as on the page; one page when `page` > 0.
inline std::string PdfText(const std::filesystem::path& pdf, int page = 0) {
  std::string command = "pdftotext -layout -enc UTF-8";
  if (page > 0) command += " -f " + std::to_string(page) + " -l " + std::to_string(page);
  return CommandOutput(command + " '" + pdf.string() + "' - 2>/dev/null");
}

// The number of pages, from pdfinfo; 0 when it cannot be read.
inline int PdfPages(const std::filesystem::path& pdf) {
  const std::string info = CommandOutput("pdfinfo '" + pdf.string() + "' 2>/dev/null");
  const size_t at = info.find("Pages:");
  return at == std::string::npos ? 0 : std::stoi(info.substr(at + 6));
}

// The text's lines that hold `word`, in order.
inline size_t CountOf(const std::string& text, const std::string& word) {
  size_t n = 0;
  for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++n;
  return n;
}

}  // namespace ploven::test
