#include "store/act_title.h"

#include "store/act_record.h"

namespace ploven {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
}  // namespace

std::string ShortTitle(std::string_view fullTitle, bool privateHidden) {
  std::string s(fullTitle.substr(0, 138));
  if (s.size() > kShortTitleMax) {
    const size_t brace = s.find('}');
    if (brace != std::string::npos && brace >= kShortTitleMax) {
      // A title variable that runs past the cut stays whole.
      s.resize(brace + 1);
    } else {
      size_t cut = 97;
      for (size_t i = 97; i-- > 0;) {
        if (IsBlank(s[i])) {
          cut = i;
          break;
        }
      }
      s.resize(cut);
    }
    s += "...";
  }
  const size_t cr = s.find('\r');
  if (cr != std::string::npos && cr < 97) {
    s.resize(cr);
    s += "...";
  }
  if (s.size() > kShortTitleMax) s.resize(kShortTitleMax);
  if (privateHidden && !s.empty() && s[0] == '!') s = "!";
  return s;
}

std::string MakeLifeProjectTitle(std::string_view title) {
  std::string s;
  if (title.empty() || title[0] != '!') s.push_back('!');
  s.append(title);
  if (s.size() > kActTitleMax) s.resize(kActTitleMax);
  return s;
}

std::string UnmakeLifeProjectTitle(std::string_view title) {
  if (!title.empty() && title[0] == '!') title.remove_prefix(1);
  return std::string(title);
}

}  // namespace ploven
