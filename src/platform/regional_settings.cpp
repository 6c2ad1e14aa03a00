#include "platform/regional_settings.h"

#include "platform/settings.h"
#include "platform/settings_keys.h"

namespace ploven {

namespace {

constexpr size_t kCurrencyMax = 4;
constexpr size_t kShortDateMax = 10;

std::string Text(const IniFile& profile, const char* key, const std::string& def, size_t max) {
  std::string value = profile.GetString(kRegionalSection, key, def);
  if (value.empty()) value = def;
  if (value.size() > max) value.resize(max);
  return value;
}

}  // namespace

Regional ReadRegional(const IniFile& profile) {
  Regional r;
  r.iDate = profile.GetInt(kRegionalSection, key::kIDate, r.iDate);
  r.iTime = profile.GetInt(kRegionalSection, key::kITime, r.iTime);
  r.iTLZero = profile.GetInt(kRegionalSection, key::kITLZero, r.iTLZero);
  r.iDayLzero = profile.GetInt(kRegionalSection, key::kIDayLzero, r.iDayLzero);
  r.iMonLzero = profile.GetInt(kRegionalSection, key::kIMonLzero, r.iMonLzero);
  // Kept whole: the weekend rules name country codes above 127.
  r.iCountry = profile.GetInt(kRegionalSection, key::kICountry, r.iCountry);
  r.sCurrency = Text(profile, key::kSCurrency, r.sCurrency, kCurrencyMax);
  r.sDate = Text(profile, key::kSDate, std::string(1, r.sDate), 1)[0];
  r.sTime = Text(profile, key::kSTime, std::string(1, r.sTime), 1)[0];
  r.sShortDate = Text(profile, key::kSShortDate, r.sShortDate, kShortDateMax);
  return r;
}

}  // namespace ploven
