#include "platform/label_table.h"

#include "platform/format.h"
#include "platform/platform_messages.h"
#include "platform/settings.h"
#include "platform/settings_keys.h"

namespace ploven {

namespace {

// Distinct, darkish hues that stay readable as text on the pale day background.
constexpr std::array<uint32_t, kLabelCount> kDefaultColours{
    0x000000,  // no label
    0x2020C0,  // red
    0x006AD0,  // orange
    0x208020,  // green
    0xC05010,  // blue
    0x900090,  // purple
    0x707000,  // teal
    0x204080,  // brown
    0x800060,  // indigo
    0x505050,  // grey
};

std::string NameKey(int label) { return Sprintf(key::kLabelNameFormat, label); }
std::string ColourKey(int label) { return Sprintf(key::kLabelColorFormat, label); }

std::string Trimmed(const std::string& s) {
  const size_t first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

}  // namespace

LabelTable LabelTable::Defaults() {
  LabelTable t;
  for (int n = 0; n < kLabelCount; ++n) {
    LabelEntry& e = t.entries[static_cast<size_t>(n)];
    e.name = n == 0 ? std::string(msg::kNoLabelName) : Sprintf(msg::kLabelDefaultName, n);
    e.colour = kDefaultColours[static_cast<size_t>(n)];
  }
  return t;
}

std::vector<std::string> LabelTable::Names() const {
  std::vector<std::string> names;
  for (const LabelEntry& e : entries) names.push_back(e.name);
  return names;
}

LabelTable ReadLabelTable(const Settings& settings) {
  LabelTable t = LabelTable::Defaults();
  for (int n = 1; n < kLabelCount; ++n) {
    LabelEntry& e = t.entries[static_cast<size_t>(n)];
    const std::string name = Trimmed(settings.ReadString(NameKey(n)));
    if (!name.empty()) e.name = name;
    e.colour = settings.ReadColour(ColourKey(n), e.colour) & 0xFFFFFF;
  }
  return t;
}

bool WriteLabelTable(Settings& settings, const LabelTable& table) {
  const LabelTable defaults = LabelTable::Defaults();
  settings.TakeSaveFailure();
  bool stored = true;
  {
    Settings::Batch batch(settings);
    for (int n = 1; n < kLabelCount; ++n) {
      const LabelEntry& e = table.entries[static_cast<size_t>(n)];
      const std::string name = Trimmed(e.name);
      stored &= settings.WriteString(
          NameKey(n), name.empty() ? defaults.entries[static_cast<size_t>(n)].name : name);
      stored &= settings.WriteInt(ColourKey(n), static_cast<long>(e.colour & 0xFFFFFF));
    }
  }
  return !settings.TakeSaveFailure() && stored;
}

}  // namespace ploven
