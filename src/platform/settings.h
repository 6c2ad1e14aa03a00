#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ini_file.h"

namespace ploven {

inline constexpr char kSettingsSection[] = "Ploven";
inline constexpr char kDoNotAskSection[] = "DoNotAsk";
inline constexpr char kRegionalSection[] = "intl";

// Four integers kept as one setting, "%d %d %d %d".
struct SettingsRect {
  int a = 0, b = 0, c = 0, d = 0;
  bool operator==(const SettingsRect&) const = default;
};

// The settings store: "Ploven.ini" in the data folder and the same section of
// the user's profile. Reads take the private file first; writes go to both, so
// either file alone carries every setting. Both files are re-read when another
// program (the calendar plug-in) changed them.
// Integer settings are read with their default raised by this base, so that a value missing
// from the private file (read as the raised default) can be told from one that is stored.
inline constexpr int kEncodedDefaultBase = 10000;
inline constexpr int EncodedDefault(int plainDefault) { return kEncodedDefaultBase + plainDefault; }

class Settings {
 public:
  Settings(std::filesystem::path privateFile, std::filesystem::path profileFile);

  // Reads both files; false when one of them exists but cannot be read (it is
  // then never overwritten).
  bool Load();

  // Private file first; when that gives an empty text, the profile with the same
  // default. The result is cut to maxLength characters.
  std::string ReadString(std::string_view key, std::string_view def = "",
                         size_t maxLength = std::string::npos) const;
  // Profile first, then the private file. False when either could not be written.
  bool WriteString(std::string_view key, std::string_view value);

  // encodedDefault is EncodedDefault(the default). A private value above 9998 (which is
  // what a missing key gives) falls back to the profile read with the plain default.
  int ReadInt(std::string_view key, int encodedDefault) const;
  bool WriteInt(std::string_view key, long value);
  // An integer setting that may also tick a menu item (tick gets value != 0).
  int ReadFlag(std::string_view key, int encodedDefault,
               const std::function<void(bool)>& tick = {}) const;
  // A colour number read as text the way atol reads it; empty text gives def.
  uint32_t ReadColour(std::string_view key, uint32_t def) const;
  // Four integers, or nothing when the setting does not hold four.
  std::optional<SettingsRect> ReadRect(std::string_view key) const;
  bool WriteRect(std::string_view key, const SettingsRect& rect);

  // Other sections of "Ploven.ini" ("DoNotAsk").
  std::string ReadPrivate(std::string_view section, std::string_view key,
                          std::string_view def = "") const;
  bool WritePrivate(std::string_view section, std::string_view key, std::string_view value);

  // The profile as a whole, for its "intl" section.
  const IniFile& Profile() const;
  const IniFile& PrivateFile() const;

  // Holds every write in memory until the last open batch ends, then saves each
  // file once (writing all settings touches a hundred keys).
  class Batch {
   public:
    explicit Batch(Settings& settings) : m_settings(settings) { ++m_settings.m_batchDepth; }
    ~Batch() { m_settings.EndBatch(); }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    Settings& m_settings;
  };
  // True when a save failed since the last call (and clears it).
  bool TakeSaveFailure();

 private:
  void Refresh() const;
  bool SaveFile(IniFile& file, bool& dirty);
  void EndBatch();

  mutable IniFile m_private;
  mutable IniFile m_profile;
  int m_batchDepth = 0;
  bool m_privateDirty = false;
  bool m_profileDirty = false;
  bool m_saveFailed = false;
};

}  // namespace ploven
