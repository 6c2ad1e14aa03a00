#pragma once

#include <string>
#include <vector>

namespace ploven {

// A manual page as the programs describe themselves; rendered to roff for man(1). The text is
// plain: lines are kept, blank lines start paragraphs, and a line that starts with two blanks
// is shown as written (option lists, examples).
struct ManPage {
  struct Section {
    std::string heading;  // "OPTIONS", "COMMANDS", ...
    std::string text;
  };
  std::string name;     // "plovenctl"
  int section = 1;
  std::string version;  // shown in the footer
  std::string summary;  // the NAME line after the dash
  std::vector<std::string> synopsis;  // one usage a line, without the program's name
  std::vector<Section> sections;
};

std::string RenderManPage(const ManPage& page);

}  // namespace ploven
