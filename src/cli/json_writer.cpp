#include "cli/json_writer.h"

#include <array>
#include <cassert>
#include <charconv>
#include <cmath>

namespace korvane {
namespace {

// Length of the valid UTF-8 sequence starting at text[i], or 0 when the
// bytes there do not form one (overlong forms and surrogates included).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  std::size_t length = 0;
  std::uint32_t min = 0;
  std::uint32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, min = 0x80, code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, min = 0x800, code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, min = 0x10000, code = lead & 0x07;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i + k) & 0x3F);
  }
  if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

void AppendUnicodeEscape(std::string& out, unsigned code) {
  constexpr std::array<char, 16> kHex = {'0', '1', '2', '3', '4', '5', '6', '7',
                                         '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
  out += "\\u00";
  out += kHex[(code >> 4) & 0xF];
  out += kHex[code & 0xF];
}

}  // namespace

std::string JsonNumber(double value) {
  if (!std::isfinite(value)) return "null";
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  assert(result.ec == std::errc());
  std::string text(buffer.data(), result.ptr);
  // "3.5775e+21" -> "3.5775e21", "1e-05" -> "1e-5": the same number, written
  // as people write it.
  if (const std::size_t e = text.find('e'); e != std::string::npos) {
    std::string exponent = text.substr(e + 1);
    const bool negative = !exponent.empty() && exponent[0] == '-';
    if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) exponent.erase(0, 1);
    const std::size_t digits = exponent.find_first_not_of('0');
    exponent = digits == std::string::npos ? "0" : exponent.substr(digits);
    text = text.substr(0, e + 1) + (negative ? "-" : "") + exponent;
  }
  return text;
}

std::string JsonString(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      if (const std::size_t length = Utf8SequenceLength(text, i); length != 0) {
        out.append(text.substr(i, length));
        i += length;
      } else {
        AppendUnicodeEscape(out, c);
        ++i;
      }
      continue;
    }
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20)
          AppendUnicodeEscape(out, c);
        else
          out += static_cast<char>(c);
    }
    ++i;
  }
  out += '"';
  return out;
}

void JsonWriter::beforeValue() {
  if (m_afterKey) {
    m_afterKey = false;
    return;
  }
  if (m_levels.empty()) return;
  // A value inside an object needs its key first.
  assert(!m_levels.back().Object);
  if (m_levels.back().HasItem) m_text += ',';
  m_levels.back().HasItem = true;
}

void JsonWriter::open(char bracket) {
  beforeValue();
  m_text += bracket;
  m_levels.push_back({bracket == '{', false});
}

void JsonWriter::close(char bracket) {
  assert(!m_levels.empty() && m_levels.back().Object == (bracket == '}') && !m_afterKey);
  m_levels.pop_back();
  m_text += bracket;
}

JsonWriter& JsonWriter::BeginObject() {
  open('{');
  return *this;
}

JsonWriter& JsonWriter::EndObject() {
  close('}');
  return *this;
}

JsonWriter& JsonWriter::BeginArray() {
  open('[');
  return *this;
}

JsonWriter& JsonWriter::EndArray() {
  close(']');
  return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
  assert(!m_levels.empty() && m_levels.back().Object && !m_afterKey);
  if (m_levels.back().HasItem) m_text += ',';
  m_levels.back().HasItem = true;
  m_text += JsonString(key);
  m_text += ':';
  m_afterKey = true;
  return *this;
}

JsonWriter& JsonWriter::String(std::string_view text) {
  beforeValue();
  m_text += JsonString(text);
  return *this;
}

JsonWriter& JsonWriter::Number(double value) {
  beforeValue();
  m_text += JsonNumber(value);
  return *this;
}

JsonWriter& JsonWriter::Integer(std::int64_t value) {
  beforeValue();
  m_text += std::to_string(value);
  return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
  beforeValue();
  m_text += value ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::Null() {
  beforeValue();
  m_text += "null";
  return *this;
}

}  // namespace korvane
