#include "cli/json_writer.h"

#include <cmath>
#include <cstdio>

namespace ploven::cli {
namespace {

// The length of the valid UTF-8 sequence that starts at `at`, or 0 when it is not one
// (overlong forms, surrogates and code points past U+10FFFF included).
size_t Utf8Length(std::string_view text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  size_t length = 0;
  uint32_t point = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    point = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    point = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    point = lead & 0x07u;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0u) != 0x80u) return 0;
    point = point << 6 | (byte(at + i) & 0x3Fu);
  }
  if ((length == 3 && point < 0x800) || (length == 4 && point < 0x10000) || point > 0x10FFFF ||
      (point >= 0xD800 && point <= 0xDFFF))
    return 0;
  return length;
}

void AppendString(std::string& out, std::string_view text) {
  out += '"';
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      switch (c) {
        case '"':
          out += "\\\"";
          break;
        case '\\':
          out += "\\\\";
          break;
        case '\b':
          out += "\\b";
          break;
        case '\f':
          out += "\\f";
          break;
        case '\n':
          out += "\\n";
          break;
        case '\r':
          out += "\\r";
          break;
        case '\t':
          out += "\\t";
          break;
        default:
          if (c < 0x20 || c == 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
          } else {
            out += static_cast<char>(c);
          }
      }
      ++i;
      continue;
    }
    const size_t length = Utf8Length(text, i);
    if (length == 0) {
      out += "\\ufffd";
      ++i;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
  out += '"';
}

void AppendNumber(std::string& out, double value) {
  // JSON has no infinities or NaN: a record's float that is not a number reads as null.
  if (!std::isfinite(value)) {
    out += "null";
    return;
  }
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.9g", value);
  out += buf;
}

}  // namespace

JsonValue& JsonValue::Set(std::string_view key, JsonValue value) {
  if (!std::holds_alternative<Members>(m_value)) m_value = Members{};
  Members& members = std::get<Members>(m_value);
  for (auto& [k, v] : members) {
    if (k == key) {
      v = std::move(value);
      return *this;
    }
  }
  members.emplace_back(std::string(key), std::move(value));
  return *this;
}

JsonValue& JsonValue::SetAll(JsonValue object) {
  if (auto* members = std::get_if<Members>(&object.m_value))
    for (auto& [key, value] : *members) Set(key, std::move(value));
  return *this;
}

std::string JsonValue::Text() const {
  std::string out;
  AppendTo(out);
  return out;
}

void JsonValue::AppendTo(std::string& out) const {
  struct Writer {
    std::string& out;
    void operator()(std::monostate) const { out += "null"; }
    void operator()(bool b) const { out += b ? "true" : "false"; }
    void operator()(int64_t n) const { out += std::to_string(n); }
    void operator()(double d) const { AppendNumber(out, d); }
    void operator()(const std::string& s) const { AppendString(out, s); }
    void operator()(const List& list) const {
      out += '[';
      for (size_t i = 0; i < list.size(); ++i) {
        if (i > 0) out += ',';
        list[i].AppendTo(out);
      }
      out += ']';
    }
    void operator()(const Members& members) const {
      out += '{';
      for (size_t i = 0; i < members.size(); ++i) {
        if (i > 0) out += ',';
        AppendString(out, members[i].first);
        out += ':';
        members[i].second.AppendTo(out);
      }
      out += '}';
    }
  };
  std::visit(Writer{out}, m_value);
}

void JsonValue::Flatten(const std::string& prefix,
                        std::vector<std::pair<std::string, std::string>>& out) const {
  struct Leaf {
    std::string operator()(std::monostate) const { return "-"; }
    std::string operator()(bool b) const { return b ? "true" : "false"; }
    std::string operator()(int64_t n) const { return std::to_string(n); }
    std::string operator()(double d) const {
      std::string text;
      AppendNumber(text, d);
      return text == "null" ? "-" : text;
    }
    std::string operator()(const std::string& s) const { return s; }
    std::string operator()(const List& list) const {
      std::string text;
      for (size_t i = 0; i < list.size(); ++i) {
        if (i > 0) text += ',';
        text += list[i].IsNull() ? "-" : std::visit(*this, list[i].m_value);
      }
      return text;
    }
    std::string operator()(const Members& members) const { return JsonValue(members).Text(); }
  };
  if (const auto* members = std::get_if<Members>(&m_value)) {
    for (const auto& [key, value] : *members)
      value.Flatten(prefix.empty() ? key : prefix + "." + key, out);
    return;
  }
  out.emplace_back(prefix, std::visit(Leaf{}, m_value));
}

std::string JsonString(std::string_view text) {
  std::string out;
  AppendString(out, text);
  return out;
}

}  // namespace ploven::cli
