#include "store/act_record.h"

#include "store/byte_io.h"

namespace ploven {

// One table drives both directions, so the two can never disagree on an offset.
template <typename Io>
static void VisitActFields(Io&& io) {
  io(0, &Act::hActName);
  io(4, &Act::startTime);
  io(6, &Act::duration);
  io(8, &Act::earliestTime);
  io(10, &Act::latestTime);
  io(12, &Act::earliestDate);
  io(14, &Act::deadlineDate);
  io(16, &Act::ddate);
  io(18, &Act::weekdays);
  io(19, &Act::label);
  io(20, &Act::hBeta);
  io(24, &Act::pitem);
  io(28, &Act::noteNumber);
  io(32, &Act::projectID);
  io(36, &Act::color);
  io(40, &Act::flags);
  io(44, &Act::reserved44);
  io(46, &Act::alarmMinutes);
  io(48, &Act::alarmState);
  io(50, &Act::createdDate);
  io(52, &Act::createdTime);
  io(54, &Act::touchedDate);
  io(56, &Act::touchedTime);
  io(58, &Act::ID);
  io(62, &Act::reserved62);
  io(66, &Act::earliestDateTime);
  io(68, &Act::deadlineTime);
  io(70, &Act::typeFlags);
  io(72, &Act::tier);
  io(73, &Act::reminderDays);
  io(74, &Act::reserved74);
  io(78, &Act::expectedReturn);
  io(82, &Act::reserved82);
  io(90, &Act::firstYear);
  io(94, &Act::prereqID);
  io(98, &Act::prereqDays);
  io(100, &Act::prereqMinutes);
  io(102, &Act::alarmHours);
  io(103, &Act::reserved103);
  io(106, &Act::expense);
  io(110, &Act::jobNumber);
  io(114, &Act::mileage);
  io(116, &Act::postponeCount);
  io(118, &Act::reserved118);
  io(128, &Act::extra);
}

template <typename T>
struct IsByteArray : std::false_type {};
template <size_t N>
struct IsByteArray<std::array<uint8_t, N>> : std::true_type {};

void EncodeAct(const Act& act, std::span<uint8_t, kActRecordSize> out) {
  VisitActFields([&](size_t offset, auto member) {
    const auto& value = act.*member;
    using T = std::decay_t<decltype(value)>;
    if constexpr (IsByteArray<T>::value)
      PutBytes(out, offset, value);
    else
      PutLE<T>(out, offset, value);
  });
}

Act DecodeAct(std::span<const uint8_t, kActRecordSize> in) {
  Act act;
  VisitActFields([&](size_t offset, auto member) {
    auto& value = act.*member;
    using T = std::decay_t<decltype(value)>;
    if constexpr (IsByteArray<T>::value)
      value = GetBytes<std::tuple_size_v<T>>(in, offset);
    else
      value = GetLE<T>(in, offset);
  });
  return act;
}

}  // namespace ploven
