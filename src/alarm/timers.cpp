#include "alarm/timers.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "platform/format.h"

namespace ploven {

void Stopwatch::Start(int64_t nowMs) {
  if (m_running) return;
  m_running = true;
  m_startedMs = nowMs;
}

void Stopwatch::Stop(int64_t nowMs) {
  if (!m_running) return;
  m_banked += std::max<int64_t>(0, nowMs - m_startedMs);
  m_running = false;
}

void Stopwatch::Reset() { *this = Stopwatch{}; }

int64_t Stopwatch::ElapsedMs(int64_t nowMs) const {
  return m_banked + (m_running ? std::max<int64_t>(0, nowMs - m_startedMs) : 0);
}

void Countdown::Start(int64_t lengthMs, int64_t nowMs) {
  m_lengthMs = std::max<int64_t>(0, lengthMs);
  m_usedMs = 0;
  m_startedMs = nowMs;
  m_running = m_lengthMs > 0;
  m_expiryTaken = false;
}

void Countdown::Pause(int64_t nowMs) {
  if (!m_running) return;
  m_usedMs += std::max<int64_t>(0, nowMs - m_startedMs);
  m_running = false;
}

void Countdown::Resume(int64_t nowMs) {
  if (m_running || RemainingMs(nowMs) == 0) return;
  m_startedMs = nowMs;
  m_running = true;
}

void Countdown::Reset() { *this = Countdown{}; }

int64_t Countdown::RemainingMs(int64_t nowMs) const {
  const int64_t used = m_usedMs + (m_running ? std::max<int64_t>(0, nowMs - m_startedMs) : 0);
  return std::max<int64_t>(0, m_lengthMs - used);
}

bool Countdown::TakeExpiry(int64_t nowMs) {
  if (!started() || m_expiryTaken || RemainingMs(nowMs) > 0) return false;
  m_expiryTaken = true;
  m_running = false;
  m_usedMs = m_lengthMs;  // all of it is used: Resume has nothing left to run
  return true;
}

std::string FormatTimerSeconds(int64_t seconds) {
  seconds = std::max<int64_t>(0, seconds);
  const int64_t h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
  if (h > 0)
    return Sprintf("%lld:%02lld:%02lld", static_cast<long long>(h), static_cast<long long>(m),
                   static_cast<long long>(s));
  return Sprintf("%lld:%02lld", static_cast<long long>(m), static_cast<long long>(s));
}

std::optional<int64_t> ParseCountdownLength(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  std::vector<int64_t> parts;
  size_t at = 0;
  while (true) {
    const size_t colon = text.find(':', at);
    const std::string_view part = text.substr(at, colon == std::string_view::npos ? text.npos
                                                                                  : colon - at);
    int64_t value = 0;
    const auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), value);
    if (part.empty() || ec != std::errc() || end != part.data() + part.size() || value < 0)
      return std::nullopt;
    parts.push_back(value);
    if (colon == std::string_view::npos) break;
    at = colon + 1;
  }
  int64_t seconds = 0;
  switch (parts.size()) {
    case 1:
      seconds = parts[0] * 60;
      break;
    case 2:
      if (parts[1] > 59) return std::nullopt;
      seconds = parts[0] * 60 + parts[1];
      break;
    case 3:
      if (parts[1] > 59 || parts[2] > 59) return std::nullopt;
      seconds = parts[0] * 3600 + parts[1] * 60 + parts[2];
      break;
    default:
      return std::nullopt;
  }
  if (seconds <= 0 || seconds > 24 * 3600) return std::nullopt;
  return seconds;
}

}  // namespace ploven
