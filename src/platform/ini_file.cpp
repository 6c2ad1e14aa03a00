#include "platform/ini_file.h"
#include "platform/replace_file.h"

#include <cctype>
#include <climits>
#include <fstream>
#include <sstream>
#include <system_error>

namespace ploven {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::string Unquote(std::string_view s) {
  s = Trim(s);
  if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front()) {
    s = s.substr(1, s.size() - 2);
  }
  return std::string(s);
}

bool HasLineBreakOrNul(std::string_view s) {
  return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// A value that reading would change (outer blanks, outer quotes) is written in quotes.
std::string EncodeValue(std::string_view value) {
  const bool blanks = !value.empty() && (Trim(value).size() != value.size());
  const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                      value.back() == value.front();
  if (blanks || quoted) return "\"" + std::string(value) + "\"";
  return std::string(value);
}

}  // namespace

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

int ParseProfileInt(std::string_view text, int def) {
  if (text.empty()) return def;
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  long long value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(value);
}

void IniFile::Parse(std::string_view text) {
  m_lines.clear();
  m_bom = text.substr(0, kBom.size()) == kBom;
  if (m_bom) text.remove_prefix(kBom.size());
  bool inSection = false;
  while (!text.empty()) {
    const size_t eol = text.find('\n');
    std::string_view raw = text.substr(0, eol);
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);

    Line line;
    line.raw = std::string(raw);
    const std::string_view t = Trim(raw);
    if (t.empty() || t.front() == ';' || t.front() == '#') {
      // Blank line or comment.
    } else if (t.front() == '[') {
      const size_t close = t.find(']');
      const std::string_view name =
          close == std::string_view::npos ? std::string_view() : Trim(t.substr(1, close - 1));
      if (!name.empty()) {
        line.kind = Line::Kind::kSection;
        line.name = std::string(name);
        inSection = true;
      } else {
        // A damaged header: what follows belongs to no section we know.
        line.kind = Line::Kind::kBadSection;
        inSection = false;
      }
    } else if (const size_t eq = t.find('='); inSection && eq != std::string_view::npos) {
      const std::string_view key = Trim(t.substr(0, eq));
      if (!key.empty()) {
        line.kind = Line::Kind::kEntry;
        line.name = std::string(key);
        line.value = Unquote(t.substr(eq + 1));
      }
    }
    // A line that fits none of these is kept as it stands.
    m_lines.push_back(std::move(line));
  }
}

std::string IniFile::Text() const {
  std::string out;
  for (const Line& line : m_lines) {
    out += line.raw;
    out += '\n';
  }
  return out;
}

bool IniFile::Load() {
  std::error_code ec;
  const bool exists = std::filesystem::exists(m_path, ec);
  if (ec) {
    m_unreadable = true;
    return false;
  }
  if (!exists) {
    m_lines.clear();
    m_bom = false;
    m_unreadable = false;
    m_loadedTime.reset();
    m_loadedSize = 0;
    return true;
  }
  std::ifstream in(m_path, std::ios::binary);
  if (!in) {
    m_unreadable = true;
    return false;
  }
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) {
    m_unreadable = true;
    return false;
  }
  Parse(content.str());
  m_unreadable = false;
  m_loadedTime = std::filesystem::last_write_time(m_path, ec);
  if (ec) m_loadedTime.reset();
  m_loadedSize = std::filesystem::file_size(m_path, ec);
  return true;
}

bool IniFile::Refresh() {
  if (m_path.empty()) return true;
  std::error_code ec;
  const bool exists = std::filesystem::exists(m_path, ec);
  if (ec) return false;
  if (!exists) {
    // Nothing on disk: keep what is in memory unless the file was there before.
    return m_loadedTime ? Load() : true;
  }
  const auto time = std::filesystem::last_write_time(m_path, ec);
  if (ec) return false;
  const auto size = std::filesystem::file_size(m_path, ec);
  if (ec) return false;
  if (m_unreadable || !m_loadedTime || *m_loadedTime != time || m_loadedSize != size) return Load();
  return true;
}

bool IniFile::Save() {
  if (m_unreadable || m_path.empty()) return false;
  std::error_code ec;
  if (m_path.has_parent_path()) std::filesystem::create_directories(m_path.parent_path(), ec);
  std::filesystem::path tmp = m_path;
  tmp += ".tmp";
  std::string bytes = m_bom ? std::string(kBom) : std::string();
  bytes += Text();
  if (!ReplaceFileContents(m_path, tmp, bytes)) return false;
  m_loadedTime = std::filesystem::last_write_time(m_path, ec);
  if (ec) m_loadedTime.reset();
  m_loadedSize = std::filesystem::file_size(m_path, ec);
  return true;
}

size_t IniFile::FindEntry(std::string_view section, std::string_view key) const {
  bool inWanted = false;
  for (size_t i = 0; i < m_lines.size(); ++i) {
    const Line& line = m_lines[i];
    if (line.kind == Line::Kind::kSection) {
      inWanted = EqualsNoCase(line.name, section);
    } else if (line.kind == Line::Kind::kBadSection) {
      inWanted = false;  // a damaged header ends the section
    } else if (inWanted && line.kind == Line::Kind::kEntry && EqualsNoCase(line.name, key)) {
      return i;
    }
  }
  return std::string::npos;
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
  const size_t i = FindEntry(section, key);
  if (i == std::string::npos) return std::nullopt;
  return m_lines[i].value;
}

std::string IniFile::GetString(std::string_view section, std::string_view key,
                               std::string_view def) const {
  auto value = Get(section, key);
  return value ? *value : std::string(def);
}

int IniFile::GetInt(std::string_view section, std::string_view key, int def) const {
  auto value = Get(section, key);
  return value ? ParseProfileInt(*value, def) : def;
}

bool IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
  const std::string_view s = Trim(section);
  const std::string_view k = Trim(key);
  if (s.empty() || s.size() != section.size() || HasLineBreakOrNul(section) ||
      section.find(']') != std::string_view::npos)
    return false;
  if (k.empty() || k.size() != key.size() || HasLineBreakOrNul(key) ||
      key.find('=') != std::string_view::npos || key.front() == '[' || key.front() == ';' ||
      key.front() == '#')
    return false;
  if (HasLineBreakOrNul(value)) return false;

  const size_t found = FindEntry(section, key);
  if (found != std::string::npos) {
    Line& line = m_lines[found];
    line.raw = line.name + "=" + EncodeValue(value);
    line.value = std::string(value);
    return true;
  }

  Line entry;
  entry.kind = Line::Kind::kEntry;
  entry.name = std::string(key);
  entry.value = std::string(value);
  entry.raw = entry.name + "=" + EncodeValue(value);

  // Append to the first block of the section, after its last entry.
  size_t insertAt = std::string::npos;
  bool inWanted = false;
  for (size_t i = 0; i < m_lines.size(); ++i) {
    const Line& line = m_lines[i];
    if (line.kind == Line::Kind::kSection) {
      if (inWanted) break;
      inWanted = EqualsNoCase(line.name, section);
      if (inWanted) insertAt = i + 1;
    } else if (inWanted && line.kind == Line::Kind::kBadSection) {
      break;
    } else if (inWanted && line.kind == Line::Kind::kEntry) {
      insertAt = i + 1;
    }
  }
  if (insertAt != std::string::npos) {
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(entry));
    return true;
  }
  Line header;
  header.kind = Line::Kind::kSection;
  header.name = std::string(section);
  header.raw = "[" + header.name + "]";
  m_lines.push_back(std::move(header));
  m_lines.push_back(std::move(entry));
  return true;
}

bool IniFile::Remove(std::string_view section, std::string_view key) {
  const size_t i = FindEntry(section, key);
  if (i == std::string::npos) return false;
  m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(i));
  return true;
}

bool IniFile::HasSection(std::string_view section) const {
  for (const Line& line : m_lines)
    if (line.kind == Line::Kind::kSection && EqualsNoCase(line.name, section)) return true;
  return false;
}

std::vector<std::string> IniFile::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  bool inWanted = false;
  for (const Line& line : m_lines) {
    if (line.kind == Line::Kind::kSection) {
      inWanted = EqualsNoCase(line.name, section);
    } else if (line.kind == Line::Kind::kBadSection) {
      inWanted = false;
    } else if (inWanted && line.kind == Line::Kind::kEntry) {
      bool seen = false;
      for (const auto& k : keys) seen = seen || EqualsNoCase(k, line.name);
      if (!seen) keys.push_back(line.name);
    }
  }
  return keys;
}

}  // namespace ploven
