#include "alarm/triggered_launch.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace ploven {

namespace {

struct Keyword {
  const char* text;
  LaunchKind kind;
  bool completes;
};

// The at-once forms first: "autoexec" also holds "exec".
constexpr Keyword kKeywords[] = {
    {"st@rtyes", LaunchKind::kAtOnce, false},
    {"autoexec", LaunchKind::kAtOnce, true},
    {"st@rt ", LaunchKind::kAsk, false},
    {"exec ", LaunchKind::kAsk, true},
};

std::string Trim(const std::string& s) {
  const size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

bool LooksLikeLink(const std::string& word) {
  return word.find("://") != std::string::npos || word.rfind("mailto:", 0) == 0;
}

std::filesystem::path ExpandHome(const std::string& word) {
  if (word.rfind("~/", 0) == 0) {
    if (const char* home = std::getenv("HOME")) return std::filesystem::path(home) / word.substr(2);
  }
  return word;
}

bool IsProgramFile(const std::filesystem::path& p) {
  std::error_code ec;
  const auto st = std::filesystem::status(p, ec);
  if (ec || !std::filesystem::is_regular_file(st)) return false;
  return (st.permissions() & std::filesystem::perms::owner_exec) != std::filesystem::perms::none;
}

}  // namespace

LaunchRequest FindLaunch(const std::string& title) {
  for (const Keyword& k : kKeywords) {
    const size_t at = title.find(k.text);
    if (at == std::string::npos) continue;
    LaunchRequest r;
    r.kind = k.kind;
    r.completesItem = k.completes;
    // Only the first line: the rest of a multi-line title is the item's description.
    std::string rest = title.substr(at + std::char_traits<char>::length(k.text));
    rest = rest.substr(0, rest.find_first_of("\r\n"));
    r.target = Trim(rest);
    return r;
  }
  return {};
}

std::vector<std::string> SplitCommandLine(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  char quote = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quote != 0) {
      if (c == quote) {
        quote = 0;
      } else {
        word += c;
      }
      continue;
    }
    if (c == '"' || c == '\'') {
      quote = c;
      inWord = true;
    } else if (c == '\\' && i + 1 < line.size()) {
      word += line[++i];
      inWord = true;
    } else if (c == ' ' || c == '\t') {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

LaunchOutcome LaunchTarget(AlarmDevice& device, const std::string& target) {
  std::vector<std::string> words = SplitCommandLine(target);
  if (words.empty()) return LaunchOutcome::kNothingNamed;
  if (LooksLikeLink(words[0]))
    return device.OpenWithDesktop(words[0]) ? LaunchOutcome::kOpened : LaunchOutcome::kFailed;
  const std::filesystem::path first = ExpandHome(words[0]);
  std::error_code ec;
  // A document (or a folder) opens in its program; anything else is a program to start.
  if (words.size() == 1 && std::filesystem::exists(first, ec) && !IsProgramFile(first))
    return device.OpenWithDesktop(first.string()) ? LaunchOutcome::kOpened : LaunchOutcome::kFailed;
  words[0] = first.string();
  return device.StartDetached(words) ? LaunchOutcome::kStarted : LaunchOutcome::kFailed;
}

}  // namespace ploven
