#include "alarm/sound_choices.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace ploven {

namespace {

constexpr char kThemeSubfolder[] = "sounds/freedesktop/stereo";
constexpr char kAlarmSoundName[] = "alarm-clock-elapsed";

std::string LowerExtension(const std::filesystem::path& p) {
  std::string e = p.extension().string();
  for (char& c : e) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return e;
}

bool IsSoundFile(const std::filesystem::path& p) {
  const std::string e = LowerExtension(p);
  return e == ".wav" || e == ".oga" || e == ".ogg";
}

}  // namespace

std::vector<std::filesystem::path> SoundThemeFolders(const std::string& xdgDataDirs,
                                                     const std::string& xdgDataHome) {
  std::vector<std::filesystem::path> out;
  if (!xdgDataHome.empty()) out.push_back(std::filesystem::path(xdgDataHome) / kThemeSubfolder);
  const std::string dirs = xdgDataDirs.empty() ? "/usr/local/share:/usr/share" : xdgDataDirs;
  size_t from = 0;
  while (from <= dirs.size()) {
    const size_t colon = dirs.find(':', from);
    const std::string dir =
        dirs.substr(from, colon == std::string::npos ? std::string::npos : colon - from);
    if (!dir.empty()) out.push_back(std::filesystem::path(dir) / kThemeSubfolder);
    if (colon == std::string::npos) break;
    from = colon + 1;
  }
  return out;
}

std::string ThemeAlarmSound(const std::vector<std::filesystem::path>& themeFolders) {
  std::error_code ec;
  for (const auto& folder : themeFolders)
    for (const char* ext : {".oga", ".ogg", ".wav"}) {
      const std::filesystem::path p = folder / (std::string(kAlarmSoundName) + ext);
      if (std::filesystem::is_regular_file(p, ec)) return p.string();
    }
  return "";
}

std::vector<std::string> SoundFilesIn(const std::vector<std::filesystem::path>& folders) {
  std::vector<std::string> out;
  for (const auto& folder : folders) {
    std::error_code ec;
    std::vector<std::string> here;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec))
      if (it->is_regular_file(ec) && IsSoundFile(it->path())) here.push_back(it->path().string());
    std::sort(here.begin(), here.end());
    out.insert(out.end(), here.begin(), here.end());
  }
  return out;
}

}  // namespace ploven
