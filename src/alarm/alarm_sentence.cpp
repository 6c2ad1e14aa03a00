#include "alarm/alarm_sentence.h"

#include <cstdlib>

#include "alarm/alarm_messages.h"
#include "platform/format.h"

namespace ploven {

namespace t = alarm_text;

namespace {

struct SentenceForms {
  const char* now;
  const char* inHoursMinutes;
  const char* inHourMinutes;
  const char* inMinutes;
  const char* inMinute;
  const char* minuteAgo;
  const char* minutesAgo;
  const char* hourMinutesAgo;
  const char* overHoursAgo;
};

constexpr SentenceForms kBeginForms{
    t::kBeginNow,        t::kBeginInHoursMinutes, t::kBeginInHourMinutes,
    t::kBeginInMinutes,  t::kBeginInMinute,       t::kBeganMinuteAgo,
    t::kBeganMinutesAgo, t::kBeganHourMinutesAgo, t::kBeganOverHoursAgo};
constexpr SentenceForms kEndForms{
    t::kEndNow,          t::kEndInHoursMinutes,   t::kEndInHourMinutes,
    t::kEndInMinutes,    t::kEndInMinute,         t::kEndedMinuteAgo,
    t::kEndedMinutesAgo, t::kEndedHourMinutesAgo, t::kEndedOverHoursAgo};

}  // namespace

std::string AlarmSentence(AlarmPoint point, bool memo, int m, bool latest) {
  if (memo) return t::kOccurToday;
  const SentenceForms& f = point == AlarmPoint::kBegin ? kBeginForms : kEndForms;
  const char* s = latest ? t::kAtTheLatest : "";
  const int hours = std::abs(m) / 60;
  const int minutes = std::abs(m) % 60;
  // The bands keep the wording the program always had: "1 hour" up to 2:39 ahead, "over N
  // hours" from 2:39 past.
  if (m == 0) return Sprintf(f.now, s);
  if (m < -159) return Sprintf(f.inHoursMinutes, hours, minutes, s);
  if (m < -60) return Sprintf(f.inHourMinutes, hours, minutes, s);
  if (m < -1) return Sprintf(f.inMinutes, -m, s);
  if (m == -1) return Sprintf(f.inMinute, 1, s);
  if (m == 1) return Sprintf(f.minuteAgo, 1, s);
  if (m < 60) return Sprintf(f.minutesAgo, m, s);
  if (m <= 158) return Sprintf(f.hourMinutesAgo, hours, minutes, s);
  return Sprintf(f.overHoursAgo, hours, s);
}

}  // namespace ploven
