#pragma once
/// A small JSON writer for the batch tool's machine-readable output.
///
/// Text is written compactly on one line. Numbers take their shortest text
/// that reads back to the same double ("0.1", "225", "3.5775e21"); numbers
/// that JSON cannot hold (infinities, NaN) are written as null. Strings are
/// escaped as JSON requires; bytes that do not form valid UTF-8 (names read
/// from files written with a single-byte code page) are taken as Latin-1 and
/// written as \u00XX escapes, so the output is always valid UTF-8.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/byte_sink.h"

namespace korvane {

/// Shortest text that reads back to the same double, without a "+" or
/// leading zeros in the exponent; "null" for infinities and NaN.
std::string JsonNumber(double value);

/// The string as a quoted JSON string literal.
std::string JsonString(std::string_view text);

/// Builds one JSON value. Calls must nest properly: inside an object every
/// value is preceded by Key; commas are inserted by the writer.
class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  JsonWriter& Key(std::string_view key);
  JsonWriter& String(std::string_view text);
  JsonWriter& Number(double value);
  JsonWriter& Integer(std::int64_t value);
  JsonWriter& Bool(bool value);
  JsonWriter& Null();

  /// The text written so far (since the last Drain).
  const std::string& Text() const { return m_text; }
  /// Hands the text written so far to `sink` and forgets it; the writer goes
  /// on where it was, so a long value is written record by record.
  void Drain(TByteSink& sink) {
    sink.Write(m_text);
    m_text.clear();
  }

 private:
  void beforeValue();
  void open(char bracket);
  void close(char bracket);

  struct Level {
    bool Object = false;
    bool HasItem = false;
  };

  std::string m_text;
  // The open objects and arrays, innermost last.
  std::vector<Level> m_levels;
  bool m_afterKey = false;
};

}  // namespace korvane
