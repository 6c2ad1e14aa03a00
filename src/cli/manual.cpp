#include "cli/manual.h"

#include <cctype>
#include <set>
#include <string_view>

#include "cli/usage.h"
#include "platform/man_page.h"

namespace ploven::cli {
namespace {

// The options a command's usage names ("--json", "--title"...), in the order they appear.
std::vector<std::string> OptionsOf(const CommandUsage& c) {
  std::vector<std::string> options;
  std::set<std::string> seen;
  for (std::string_view text : {std::string_view(c.synopsis), std::string_view(c.details)}) {
    for (size_t at = text.find("--"); at != std::string_view::npos; at = text.find("--", at)) {
      size_t end = at + 2;
      while (end < text.size() && (std::islower(static_cast<unsigned char>(text[end])) ||
                                   text[end] == '-' ||
                                   std::isdigit(static_cast<unsigned char>(text[end]))))
        ++end;
      std::string option(text.substr(at, end - at));
      // "--[no-]flexible" names both forms.
      if (end < text.size() && text[end] == '[') {
        const size_t close = text.find(']', end);
        if (close != std::string_view::npos) {
          size_t word = close + 1;
          while (word < text.size() && (std::islower(static_cast<unsigned char>(text[word])) ||
                                        text[word] == '-'))
            ++word;
          const std::string rest(text.substr(close + 1, word - close - 1));
          option += rest;
          const std::string negative = "--" + std::string(text.substr(end + 1, close - end - 1)) + rest;
          if (seen.insert(negative).second) options.push_back(negative);
          end = word;
        }
      }
      if (option.size() > 2 && seen.insert(option).second) options.push_back(option);
      at = end;
    }
  }
  return options;
}

}  // namespace

std::optional<std::string> ProgramInfo(std::string_view option) {
  if (option == "--help") return GeneralUsage();
  if (option == "--version") return std::string("plovenctl ") + PLOVEN_VERSION + "\n";
  if (option == "--man") return PlovenctlManPage();
  if (option == "--bash-completion") return BashCompletion();
  return std::nullopt;
}

std::string PlovenctlManPage() {
  ManPage page;
  page.name = "plovenctl";
  page.version = PLOVEN_VERSION;
  page.summary = "plan, inspect and change Ploven schedules from the command line";
  page.synopsis = {"[--today DATE] [--now TIME] [--intl KEY=VALUE]... COMMAND [ARGUMENT]...",
                   "--help | --version | COMMAND --help"};
  page.sections.push_back(
      {"Description",
       "plovenctl works on the same schedule files as the desktop program ploven(1), with the "
       "same rules: it makes, changes, plans and checks items without a display, for scripts "
       "and cron.\n\n" +
           GeneralNotes()});
  std::string group;
  std::string commands;
  for (const CommandUsage& c : CommandUsages()) {
    if (group != c.group) {
      group = c.group;
      commands += "\n" + group + ":\n";
    }
    commands += std::string("  ") + c.name + (*c.synopsis ? std::string(" ") + c.synopsis : "") +
                "\n      " + c.summary + "\n";
    if (*c.details) {
      std::string_view details = c.details;
      size_t from = 0;
      while (from < details.size()) {
        size_t end = details.find('\n', from);
        if (end == std::string_view::npos) end = details.size();
        commands += "      " + std::string(details.substr(from, end - from)) + "\n";
        from = end + 1;
      }
    }
  }
  page.sections.push_back({"Commands", commands.substr(1)});
  page.sections.push_back({"Files",
                           "  $PLOVEN_HOME or ~/.local/share/Ploven/Ploven.ini\n"
                           "      the program's settings, shared with ploven(1)\n"
                           "  ~/.config/Ploven/profile.ini\n"
                           "      the regional settings and the defaults of every setting"});
  page.sections.push_back({"Environment",
                           "  PLOVEN_PASSWORD\n"
                           "      the password of a schedule that has one; without it plovenctl\n"
                           "      asks on the terminal, and refuses when there is none\n"
                           "  PLOVEN_CALENDAR_PASSWORD\n"
                           "      for sync: the calendar server's password when the calendar\n"
                           "      plug-in has none; without it plovenctl asks on the terminal"});
  page.sections.push_back({"See also", "ploven(1)"});
  return RenderManPage(page);
}

std::string BashCompletion() {
  std::string commands;
  std::string cases;
  for (const CommandUsage& c : CommandUsages()) {
    commands += std::string(commands.empty() ? "" : " ") + c.name;
    std::string options;
    for (const std::string& o : OptionsOf(c)) options += " " + o;
    cases += std::string("    ") + c.name + ") opts=\"--help" + options + "\" ;;\n";
  }
  return "# bash completion for plovenctl (made by `plovenctl --bash-completion`)\n"
         "_plovenctl() {\n"
         "  local cur=\"${COMP_WORDS[COMP_CWORD]}\" command=\"\" i opts\n"
         "  for ((i = 1; i < COMP_CWORD; i++)); do\n"
         "    case \"${COMP_WORDS[i]}\" in\n"
         "      --today|--now|--intl) ((i++)) ;;\n"
         "      -*) ;;\n"
         "      *) command=\"${COMP_WORDS[i]}\"; break ;;\n"
         "    esac\n"
         "  done\n"
         "  if [[ -z \"$command\" ]]; then\n"
         "    if [[ \"$cur\" == -* ]]; then\n"
         "      COMPREPLY=($(compgen -W \"--today --now --intl --help --version\" -- \"$cur\"))\n"
         "    else\n"
         "      COMPREPLY=($(compgen -W \"" + commands + "\" -- \"$cur\"))\n"
         "    fi\n"
         "    return\n"
         "  fi\n"
         "  case \"$command\" in\n" + cases +
         "    *) opts=\"--help\" ;;\n"
         "  esac\n"
         "  if [[ \"$cur\" == -* ]]; then\n"
         "    COMPREPLY=($(compgen -W \"$opts\" -- \"$cur\"))\n"
         "  else\n"
         "    COMPREPLY=($(compgen -f -- \"$cur\"))\n"
         "  fi\n"
         "}\n"
         "complete -o filenames -F _plovenctl plovenctl\n";
}

}  // namespace ploven::cli
