#include "platform/settings.h"

#include <cctype>
#include <cstdlib>

#include "platform/format.h"

namespace ploven {

namespace {

constexpr int kLargestStoredInt = 9998;

// atol: leading blanks, a sign, digits; anything else ends the number.
long AtoL(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > 0xFFFFFFFFLL) value = 0xFFFFFFFFLL;  // no colour is larger
  }
  return static_cast<long>(negative ? -value : value);
}

}  // namespace

Settings::Settings(std::filesystem::path privateFile, std::filesystem::path profileFile)
    : m_private(std::move(privateFile)), m_profile(std::move(profileFile)) {}

bool Settings::Load() {
  const bool a = m_private.Load();
  const bool b = m_profile.Load();
  return a && b;
}

void Settings::Refresh() const {
  // Inside a batch the memory copy is ahead of the disk and must not be replaced.
  if (m_batchDepth > 0 || m_privateDirty || m_profileDirty) return;
  m_private.Refresh();
  m_profile.Refresh();
}

std::string Settings::ReadString(std::string_view key, std::string_view def,
                                 size_t maxLength) const {
  Refresh();
  std::string value = m_private.GetString(kSettingsSection, key, def);
  if (value.empty()) value = m_profile.GetString(kSettingsSection, key, def);
  if (value.size() > maxLength) value.resize(maxLength);
  return value;
}

bool Settings::SaveFile(IniFile& file, bool& dirty) {
  if (m_batchDepth > 0) {
    dirty = true;
    return true;
  }
  dirty = false;
  if (!file.Save()) {
    m_saveFailed = true;
    return false;
  }
  return true;
}

bool Settings::WriteString(std::string_view key, std::string_view value) {
  Refresh();
  if (!m_profile.Set(kSettingsSection, key, value)) return false;
  const bool profileSaved = SaveFile(m_profile, m_profileDirty);
  if (!m_private.Set(kSettingsSection, key, value)) return false;
  const bool privateSaved = SaveFile(m_private, m_privateDirty);
  return profileSaved && privateSaved;
}

int Settings::ReadInt(std::string_view key, int encodedDefault) const {
  Refresh();
  const int value = m_private.GetInt(kSettingsSection, key, encodedDefault);
  if (value <= kLargestStoredInt) return value;
  return m_profile.GetInt(kSettingsSection, key, encodedDefault - kEncodedDefaultBase);
}

bool Settings::WriteInt(std::string_view key, long value) {
  return WriteString(key, Sprintf("%ld", value));
}

int Settings::ReadFlag(std::string_view key, int encodedDefault,
                       const std::function<void(bool)>& tick) const {
  const int value = ReadInt(key, encodedDefault);
  if (tick) tick(value != 0);
  return value;
}

uint32_t Settings::ReadColour(std::string_view key, uint32_t def) const {
  const std::string text = ReadString(key);
  if (text.empty()) return def;
  return static_cast<uint32_t>(AtoL(text));
}

std::optional<SettingsRect> Settings::ReadRect(std::string_view key) const {
  const std::string text = ReadString(key);
  int v[4];
  const char* p = text.c_str();
  for (int& out : v) {
    char* end = nullptr;
    const long n = std::strtol(p, &end, 10);
    if (end == p || n < INT32_MIN || n > INT32_MAX) return std::nullopt;
    out = static_cast<int>(n);
    p = end;
  }
  return SettingsRect{v[0], v[1], v[2], v[3]};
}

bool Settings::WriteRect(std::string_view key, const SettingsRect& rect) {
  return WriteString(key, Sprintf("%d %d %d %d", rect.a, rect.b, rect.c, rect.d));
}

std::string Settings::ReadPrivate(std::string_view section, std::string_view key,
                                  std::string_view def) const {
  Refresh();
  return m_private.GetString(section, key, def);
}

bool Settings::WritePrivate(std::string_view section, std::string_view key,
                            std::string_view value) {
  Refresh();
  if (!m_private.Set(section, key, value)) return false;
  return SaveFile(m_private, m_privateDirty);
}

const IniFile& Settings::Profile() const {
  Refresh();
  return m_profile;
}

const IniFile& Settings::PrivateFile() const {
  Refresh();
  return m_private;
}

void Settings::EndBatch() {
  if (--m_batchDepth > 0) return;
  if (m_profileDirty) SaveFile(m_profile, m_profileDirty);
  if (m_privateDirty) SaveFile(m_private, m_privateDirty);
}

bool Settings::TakeSaveFailure() {
  const bool failed = m_saveFailed;
  m_saveFailed = false;
  return failed;
}

}  // namespace ploven
