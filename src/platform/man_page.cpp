#include "platform/man_page.h"

#include <cctype>

namespace ploven {
namespace {

// roff reads a leading '.' or '\'' as a request and '\' as an escape; '-' is a hyphen unless
// escaped, and options must stay minus signs so that they can be searched for and pasted.
std::string Escaped(const std::string& line) {
  std::string out;
  for (char c : line) {
    if (c == '\\') out += "\\e";
    else if (c == '-') out += "\\-";
    else out += c;
  }
  if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out.insert(0, "\\&");
  return out;
}

void AppendText(std::string& out, const std::string& text) {
  bool literal = false;
  size_t from = 0;
  while (from <= text.size()) {
    size_t end = text.find('\n', from);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(from, end - from);
    from = end + 1;
    const bool indented = line.rfind("  ", 0) == 0;
    if (line.empty()) {
      if (literal) out += ".fi\n";
      literal = false;
      out += ".PP\n";
      continue;
    }
    if (indented && !literal) {
      out += ".nf\n";
      literal = true;
    } else if (!indented && literal) {
      out += ".fi\n";
      literal = false;
    }
    out += Escaped(line) + "\n";
  }
  if (literal) out += ".fi\n";
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

std::string RenderManPage(const ManPage& page) {
  std::string out = ".TH " + Upper(page.name) + " " + std::to_string(page.section) +
                    " \"\" \"Ploven " + page.version + "\" \"Ploven Manual\"\n";
  out += ".SH NAME\n" + Escaped(page.name) + " \\- " + Escaped(page.summary) + "\n";
  out += ".SH SYNOPSIS\n";
  for (const std::string& usage : page.synopsis)
    out += ".B " + Escaped(page.name) + "\n" + Escaped(usage) + "\n.br\n";
  for (const ManPage::Section& s : page.sections) {
    out += ".SH " + Upper(s.heading) + "\n";
    AppendText(out, s.text);
  }
  return out;
}

}  // namespace ploven
