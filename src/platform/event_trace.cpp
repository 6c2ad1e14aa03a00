#include "platform/event_trace.h"

#include "platform/error_log.h"
#include "platform/ini_file.h"

namespace ploven {

bool EventTrace::Add(std::string entry) {
  if (m_logDirectly && m_log != nullptr) {
    m_log->Append(entry);
    return true;
  }
  m_ring[m_next] = std::move(entry);
  m_next = (m_next + 1) % kSize;
  return true;
}

std::vector<std::string> EventTrace::Entries() const {
  std::vector<std::string> out;
  for (size_t i = 0; i < kSize; ++i) {
    const std::string& entry = m_ring[(m_next + i) % kSize];
    if (!entry.empty()) out.push_back(entry);
  }
  return out;
}

size_t EventTrace::Count() const {
  size_t n = 0;
  for (const auto& entry : m_ring) n += entry.empty() ? 0 : 1;
  return n;
}

void EventTrace::Dump() {
  for (size_t i = 0; i < kSize; ++i) {
    std::string& entry = m_ring[(m_next + i) % kSize];
    if (entry.empty()) continue;
    if (m_log != nullptr) m_log->AppendRaw(entry);
    entry.clear();
    entry.shrink_to_fit();
  }
  m_next = 0;
}

bool ErrorLogSettingOn(const std::string& value) { return EqualsNoCase(value, "YES"); }

}  // namespace ploven
