#pragma once

#include <array>
#include <string>

namespace ploven {

// The ten regional settings that shape dates, times and money in text.
struct Regional {
  int iDate = 0;         // 0 month-day-year, 1 day-month-year, 2 year-month-day
  int iTime = 0;         // 1 = 24-hour clock
  int iTLZero = 0;       // leading zero on hours
  int iDayLzero = 0;     // leading zero on days
  int iMonLzero = 0;     // leading zero on months
  int iCountry = 1;      // selects the weekend days
  std::string sCurrency = "$";
  char sDate = '/';
  char sTime = ':';
  std::string sShortDate = "mm/dd/yy";

  bool Uses24Hour() const { return iTime == 1; }
};

// Month and weekday names of the user's locale (English unless told otherwise).
struct LocaleNames {
  std::array<std::string, 7> weekdays{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                      "Thursday", "Friday", "Saturday"};
  std::array<std::string, 7> weekdayAbbrevs{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<std::string, 12> months{"January", "February", "March",     "April",
                                     "May",     "June",     "July",      "August",
                                     "September", "October", "November", "December"};
  std::array<std::string, 12> monthAbbrevs{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
};

}  // namespace ploven
