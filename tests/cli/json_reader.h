#pragma once

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ploven::test {

// A strict reader of one JSON text, so that tests can take plovenctl's --json lines apart.
// Anything that is not JSON (a raw control character in a string, a bad escape, invalid UTF-8,
// text after the value) makes Parse return nothing.
struct Json {
  enum class Type { kNull, kBool, kNumber, kString, kList, kObject } type = Type::kNull;
  bool boolean = false;
  double number = 0;
  std::string text;
  std::vector<Json> list;
  std::vector<std::pair<std::string, Json>> members;

  bool Has(const std::string& key) const {
    for (const auto& [k, v] : members)
      if (k == key) return true;
    return false;
  }
  const Json& operator[](const std::string& key) const {
    static const Json kMissing;
    for (const auto& [k, v] : members)
      if (k == key) return v;
    return kMissing;
  }
  bool IsNull() const { return type == Type::kNull; }

  static std::optional<Json> Parse(const std::string& in) {
    Reader r{in};
    Json value;
    if (!r.Value(value)) return std::nullopt;
    r.Blanks();
    if (r.at != in.size()) return std::nullopt;
    return value;
  }

 private:
  struct Reader {
    const std::string& in;
    size_t at = 0;

    void Blanks() {
      while (at < in.size() &&
             (in[at] == ' ' || in[at] == '\t' || in[at] == '\n' || in[at] == '\r'))
        ++at;
    }
    bool Word(const char* word) {
      const std::string w(word);
      if (in.compare(at, w.size(), w) != 0) return false;
      at += w.size();
      return true;
    }
    bool Value(Json& v) {
      Blanks();
      if (at >= in.size()) return false;
      const char c = in[at];
      if (c == 'n') return Word("null");
      if (c == 't') {
        v.type = Type::kBool;
        v.boolean = true;
        return Word("true");
      }
      if (c == 'f') {
        v.type = Type::kBool;
        return Word("false");
      }
      if (c == '"') {
        v.type = Type::kString;
        return String(v.text);
      }
      if (c == '[') return List(v);
      if (c == '{') return Object(v);
      return Number(v);
    }
    bool Number(Json& v) {
      const size_t start = at;
      if (at < in.size() && in[at] == '-') ++at;
      if (at >= in.size() || in[at] < '0' || in[at] > '9') return false;
      while (at < in.size() && ((in[at] >= '0' && in[at] <= '9') || in[at] == '.' ||
                                in[at] == 'e' || in[at] == 'E' || in[at] == '+' || in[at] == '-'))
        ++at;
      v.type = Type::kNumber;
      char* end = nullptr;
      const std::string n = in.substr(start, at - start);
      v.number = std::strtod(n.c_str(), &end);
      return end == n.c_str() + n.size();
    }
    static void Put(std::string& out, uint32_t cp) {
      if (cp < 0x80) {
        out += static_cast<char>(cp);
      } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | cp >> 6);
        out += static_cast<char>(0x80 | (cp & 0x3F));
      } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | cp >> 12);
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
      } else {
        out += static_cast<char>(0xF0 | cp >> 18);
        out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
      }
    }
    bool Hex4(uint32_t& cp) {
      if (at + 4 > in.size()) return false;
      cp = 0;
      for (int i = 0; i < 4; ++i) {
        const char h = in[at++];
        cp <<= 4;
        if (h >= '0' && h <= '9')
          cp |= static_cast<uint32_t>(h - '0');
        else if (h >= 'a' && h <= 'f')
          cp |= static_cast<uint32_t>(h - 'a' + 10);
        else if (h >= 'A' && h <= 'F')
          cp |= static_cast<uint32_t>(h - 'A' + 10);
        else
          return false;
      }
      return true;
    }
    // One UTF-8 character copied through; false when the bytes are not valid UTF-8.
    bool Utf8(std::string& out) {
      const auto lead = static_cast<unsigned char>(in[at]);
      const size_t n = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
      if (n == 0 || lead > 0xF4 || at + n > in.size()) return false;
      uint32_t cp = lead & (n == 2 ? 0x1Fu : n == 3 ? 0x0Fu : 0x07u);
      for (size_t i = 1; i < n; ++i) {
        const auto b = static_cast<unsigned char>(in[at + i]);
        if ((b & 0xC0) != 0x80) return false;
        cp = cp << 6 | (b & 0x3Fu);
      }
      if ((n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000) || cp > 0x10FFFF ||
          (cp >= 0xD800 && cp <= 0xDFFF))
        return false;
      out.append(in, at, n);
      at += n;
      return true;
    }
    bool String(std::string& out) {
      ++at;  // the opening quote
      while (at < in.size()) {
        const auto c = static_cast<unsigned char>(in[at]);
        if (c == '"') {
          ++at;
          return true;
        }
        if (c < 0x20) return false;
        if (c >= 0x80) {
          if (!Utf8(out)) return false;
          continue;
        }
        ++at;
        if (c != '\\') {
          out += static_cast<char>(c);
          continue;
        }
        if (at >= in.size()) return false;
        const char e = in[at++];
        switch (e) {
          case '"':
            out += '"';
            break;
          case '\\':
            out += '\\';
            break;
          case '/':
            out += '/';
            break;
          case 'b':
            out += '\b';
            break;
          case 'f':
            out += '\f';
            break;
          case 'n':
            out += '\n';
            break;
          case 'r':
            out += '\r';
            break;
          case 't':
            out += '\t';
            break;
          case 'u': {
            uint32_t cp = 0;
            if (!Hex4(cp)) return false;
            if (cp >= 0xD800 && cp <= 0xDBFF) {
              uint32_t low = 0;
              if (!Word("\\u") || !Hex4(low) || low < 0xDC00 || low > 0xDFFF) return false;
              cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
            } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
              return false;
            }
            Put(out, cp);
            break;
          }
          default:
            return false;
        }
      }
      return false;
    }
    bool List(Json& v) {
      v.type = Type::kList;
      ++at;
      Blanks();
      if (at < in.size() && in[at] == ']') {
        ++at;
        return true;
      }
      for (;;) {
        Json item;
        if (!Value(item)) return false;
        v.list.push_back(std::move(item));
        Blanks();
        if (at >= in.size()) return false;
        if (in[at] == ']') {
          ++at;
          return true;
        }
        if (in[at++] != ',') return false;
      }
    }
    bool Object(Json& v) {
      v.type = Type::kObject;
      ++at;
      Blanks();
      if (at < in.size() && in[at] == '}') {
        ++at;
        return true;
      }
      for (;;) {
        Blanks();
        std::string key;
        if (at >= in.size() || in[at] != '"' || !String(key)) return false;
        Blanks();
        if (at >= in.size() || in[at++] != ':') return false;
        Json item;
        if (!Value(item)) return false;
        v.members.emplace_back(std::move(key), std::move(item));
        Blanks();
        if (at >= in.size()) return false;
        if (in[at] == '}') {
          ++at;
          return true;
        }
        if (in[at++] != ',') return false;
      }
    }
  };
};

}  // namespace ploven::test
