#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ploven {

// The world clocks' time zones as the settings keep them: IANA names separated by ";".
// Blanks around names and repeated names are dropped; the order is the user's.
std::vector<std::string> ParseZoneList(std::string_view text);
std::string FormatZoneList(const std::vector<std::string>& zones);

// "5 h 30 min ahead", "3 h behind" or "" for the same time: a zone's offset against here, in
// minutes (positive: their clock is later).
std::string OffsetFromHereText(int minutes);
// "Asia/Kolkata" -> "Kolkata", "America/Argentina/Buenos_Aires" -> "Buenos Aires".
std::string ZoneCityName(std::string_view zone);

}  // namespace ploven
