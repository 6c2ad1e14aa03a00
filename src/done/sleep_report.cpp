#include "done/sleep_report.h"

#include <algorithm>

#include "done/done_messages.h"
#include "platform/format.h"

namespace ploven {

namespace t = done_text;

int SleepNight::minutes() const {
  return known() ? std::max(0, kMinutesPerDay - lastEnd + firstStart) : 0;
}

std::vector<SleepNight> SleepNights(const std::vector<DoneLogFields>& work, DayNumber first,
                                    DayNumber last) {
  std::vector<SleepNight> nights;
  if (last < first) return nights;
  for (int d = first; d <= last; ++d) nights.push_back({static_cast<DayNumber>(d)});
  auto at = [&](int day) -> SleepNight* {
    return day >= first && day <= last ? &nights[static_cast<size_t>(day - first)] : nullptr;
  };
  for (const DoneLogFields& f : work) {
    if (f.noBeganTime || f.start == kNoTime) continue;
    const int begin = f.start - 1;
    if (SleepNight* evening = at(f.day))
      evening->lastEnd = std::max(evening->lastEnd, begin + std::max(0, f.duration));
    if (SleepNight* before = at(f.day - 1))
      before->firstStart = before->firstStart < 0 ? begin : std::min(before->firstStart, begin);
  }
  return nights;
}

ReportText SleepReport(const std::vector<SleepNight>& nights, const ReportFormat& format,
                       const std::function<std::string(TimeOfDay)>& time) {
  auto clock = [&](int minutes) {
    return time(static_cast<TimeOfDay>(minutes % kMinutesPerDay + 1));
  };
  std::string text = t::kSleepHeading;
  int known = 0;
  int total = 0;
  for (const SleepNight& n : nights) {
    if (!n.known()) {
      text += Sprintf(t::kSleepUnknown, format.date(n.day).c_str());
      continue;
    }
    text += Sprintf(t::kSleepLine, format.date(n.day).c_str(), format.duration(n.minutes()).c_str(),
                    clock(n.lastEnd).c_str(), clock(n.firstStart).c_str());
    ++known;
    total += n.minutes();
  }
  if (known > 0)
    text += Sprintf(t::kSleepAverage, known, format.duration(total / known).c_str());
  else
    text += t::kSleepNoNights;
  return {t::kSleepCaption, text};
}

}  // namespace ploven
