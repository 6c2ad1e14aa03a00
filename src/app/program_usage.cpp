#include "app/program_usage.h"

#include <filesystem>
#include <system_error>

#include "platform/man_page.h"
#include "platform/paths.h"

namespace ploven {
namespace {

constexpr char kUsage[] =
    "usage: ploven [--new-item] [SCHEDULE]\n"
    "       ploven --help | --version\n"
    "\n"
    "Starts the Ploven day planner on SCHEDULE (a schedule file, or a folder that holds\n"
    "Timedata.pak); without one, on the schedule it had open last, or a new one.\n"
    "\n"
    "  --new-item            open the New Item dialog (in the program that already has the\n"
    "                        schedule open, when there is one)\n"
    "  --help                print this and end\n"
    "  --version             print the version and end\n"
    "\n"
    "The data folder is $PLOVEN_HOME when set, else the program's folder when it holds\n"
    "Ploven.ini, else ~/.local/share/Ploven. The profile is ~/.config/Ploven/profile.ini.\n";

// Where this program finds its help pages (an installed copy: PREFIX/share/ploven/help).
std::string HelpPagesLine() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  const auto folder = ec ? std::nullopt : FindResourceFolder(exe.parent_path(), kHelpFolderName);
  return "\nHelp pages: " + (folder ? folder->string() : std::string("not found")) + "\n";
}

std::string ManualPage() {
  ManPage page;
  page.name = "ploven";
  page.version = PLOVEN_VERSION;
  page.summary = "a day planner that plans your work for you";
  page.synopsis = {"[--new-item] [SCHEDULE]", "--help | --version"};
  page.sections = {
      {"Description",
       "Ploven plans your days. Set items (appointments, items on a set date) stay where you "
       "put them; flexible items are placed into the free time of your days, in priority "
       "order, before their deadlines. Balance Day and Balance All Days plan again.\n\n"
       "Ploven starts on SCHEDULE, a schedule file (.pak) or a folder that holds Timedata.pak; "
       "without one, on the schedule it had open last, or on a new one after a few questions. "
       "A second start on a schedule that is open already brings that window forward."},
      {"Options",
       "  --new-item\n"
       "      open the New Item dialog at start, or in the program that has the schedule open\n"
       "  --help\n"
       "      print the usage and end\n"
       "  --version\n"
       "      print the version and end"},
      {"Environment",
       "  PLOVEN_HOME\n"
       "      the data folder, in place of ~/.local/share/Ploven"},
      {"Files",
       "  ~/.local/share/Ploven/Timedata.pak\n"
       "      the default schedule; its backups and done logs sit beside it\n"
       "  ~/.local/share/Ploven/Ploven.ini\n"
       "      the program's settings\n"
       "  ~/.config/Ploven/profile.ini\n"
       "      the regional settings and the defaults of every setting\n"
       "  /usr/share/ploven/help\n"
       "      the help pages each dialog's Help button opens"},
      {"See also", "plovenctl(1)"},
  };
  return RenderManPage(page);
}

}  // namespace

std::optional<std::string> DesktopProgramInfo(std::string_view option) {
  if (option == "--help") return std::string(kUsage) + HelpPagesLine();
  if (option == "--version") return std::string("ploven ") + PLOVEN_VERSION + "\n";
  if (option == "--man") return ManualPage();
  return std::nullopt;
}

}  // namespace ploven
