#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ploven {

// An INI file read and written the way the platform profile functions treat
// one: sections and keys compared without regard to case, values trimmed of
// blanks and one pair of quotes, the first occurrence of a key winning. Lines
// it does not understand (comments, damaged lines) are kept as they are, so a
// save never loses anything that was in the file.
class IniFile {
 public:
  IniFile() = default;
  explicit IniFile(std::filesystem::path path) : m_path(std::move(path)) {}

  const std::filesystem::path& Path() const { return m_path; }

  // Reads the file. A missing file is an empty one. Returns false (and keeps the
  // current content) when the file exists but cannot be read; Save then refuses
  // to overwrite it.
  bool Load();
  // Loads again only when the file changed on disk since the last Load or Save.
  bool Refresh();
  // Writes the whole file through "<name>.tmp" and a rename, creating the folder
  // when needed. False when it could not be written; the old file is then untouched.
  bool Save();

  // Replaces the content with the lines of text (for tests and the fuzzer).
  void Parse(std::string_view text);
  std::string Text() const;

  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  // The value, or def when the key is missing.
  std::string GetString(std::string_view section, std::string_view key, std::string_view def) const;
  // The profile functions' integer reading: def when the key is missing or empty,
  // otherwise the leading (signed) decimal number, 0 when there is none.
  int GetInt(std::string_view section, std::string_view key, int def) const;

  // Sets a value in memory. False (and nothing changed) when the section, key or
  // value could not be stored on one line.
  bool Set(std::string_view section, std::string_view key, std::string_view value);
  bool Remove(std::string_view section, std::string_view key);

  bool HasSection(std::string_view section) const;
  std::vector<std::string> Keys(std::string_view section) const;

 private:
  struct Line {
    enum class Kind { kOther, kSection, kBadSection, kEntry };
    Kind kind = Kind::kOther;
    std::string raw;    // the line as read (or as last written)
    std::string name;   // section name, or key
    std::string value;  // entry value, trimmed and unquoted
  };

  // Index of the entry line for the key, or npos.
  size_t FindEntry(std::string_view section, std::string_view key) const;

  std::filesystem::path m_path;
  std::vector<Line> m_lines;
  bool m_bom = false;
  bool m_unreadable = false;
  std::optional<std::filesystem::file_time_type> m_loadedTime;
  std::uintmax_t m_loadedSize = 0;
};

// The profile functions' integer reading of one text (see IniFile::GetInt).
int ParseProfileInt(std::string_view text, int def);

// ASCII comparison without regard to case.
bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace ploven
