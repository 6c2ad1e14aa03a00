#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace ploven {

class Settings;

// Label 0 is an item without a label; labels 1..9 are the user's own.
inline constexpr int kLabelCount = 10;

struct LabelEntry {
  std::string name;
  uint32_t colour = 0;  // COLORREF number: red in the low byte
  bool operator==(const LabelEntry&) const = default;
};

// The names and colours of the labels, kept in the program's settings ("Label1Name",
// "Label1Color" ... ); the item dialog offers the names and the filters list them.
struct LabelTable {
  std::array<LabelEntry, kLabelCount> entries;

  static LabelTable Defaults();
  // The names by label number, for the item dialog and the filters.
  std::vector<std::string> Names() const;
  bool operator==(const LabelTable&) const = default;
};

// What the settings hold; a missing or blank name reads as the default name.
LabelTable ReadLabelTable(const Settings& settings);
// Writes labels 1..9 (label 0 is not the user's to rename); false when the file was not written.
bool WriteLabelTable(Settings& settings, const LabelTable& table);

}  // namespace ploven
