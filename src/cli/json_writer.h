#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace ploven::cli {

// One JSON value: null, true or false, a whole number, a number with a fraction, a text, a
// list, or an object whose keys keep the order they were set in. `Text` writes it on one line.
class JsonValue {
 public:
  using List = std::vector<JsonValue>;
  using Members = std::vector<std::pair<std::string, JsonValue>>;

  JsonValue() = default;  // null
  JsonValue(bool value) : m_value(value) {}
  JsonValue(int value) : m_value(static_cast<int64_t>(value)) {}
  JsonValue(long value) : m_value(static_cast<int64_t>(value)) {}
  JsonValue(long long value) : m_value(static_cast<int64_t>(value)) {}
  JsonValue(unsigned value) : m_value(static_cast<int64_t>(value)) {}
  JsonValue(unsigned long value) : m_value(static_cast<int64_t>(value)) {}
  JsonValue(double value) : m_value(value) {}
  JsonValue(std::string text) : m_value(std::move(text)) {}
  JsonValue(std::string_view text) : m_value(std::string(text)) {}
  JsonValue(const char* text) : m_value(std::string(text)) {}
  JsonValue(List list) : m_value(std::move(list)) {}
  JsonValue(Members members) : m_value(std::move(members)) {}

  static JsonValue Object() { return JsonValue(Members{}); }

  // On an object: sets `key` (a key set again keeps its first place).
  JsonValue& Set(std::string_view key, JsonValue value);
  // On an object: sets every member of another object, in its order.
  JsonValue& SetAll(JsonValue object);
  bool IsNull() const { return std::holds_alternative<std::monostate>(m_value); }

  std::string Text() const;
  void AppendTo(std::string& out) const;

  // The leaves of an object as name and value, for a plain-text line: nested objects' fields
  // named "outer.inner", lists joined with commas, null "-", texts as they are.
  void Flatten(const std::string& prefix,
               std::vector<std::pair<std::string, std::string>>& out) const;

 private:
  std::variant<std::monostate, bool, int64_t, double, std::string, List, Members> m_value;
};

// A text as a JSON string with its quotes: quotes, backslashes and control characters
// escaped, UTF-8 kept as it is, and each byte that is not part of valid UTF-8 written as
// U+FFFD so that the line stays valid JSON whatever a title holds.
std::string JsonString(std::string_view text);

}  // namespace ploven::cli
