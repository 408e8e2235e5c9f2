#include "cli/json_writer.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>

namespace korvane {
namespace {

TEST(JsonString, EscapesWhatJsonRequiresAndKeepsOutputUtf8) {
  EXPECT_EQ(JsonString("a\"b\\c"), R"("a\"b\\c")");
  EXPECT_EQ(JsonString("line\nnext\ttab\r\b\f"), R"("line\nnext\ttab\r\b\f")");
  EXPECT_EQ(JsonString(std::string("\x01\x1f", 2)), R"("\u0001\u001f")");
  EXPECT_EQ(JsonString(std::string("nul\0x", 5)), R"("nul\u0000x")");
  // Valid UTF-8 passes unchanged; a lone single-byte-code-page letter, a
  // truncated sequence and an overlong form are escaped as Latin-1.
  EXPECT_EQ(JsonString("\xC3\xA9t\xC3\xA9"), "\"\xC3\xA9t\xC3\xA9\"");
  EXPECT_EQ(JsonString("\xE9t\xE9"), R"("\u00e9t\u00e9")");
  EXPECT_EQ(JsonString("ab\xC3"), R"("ab\u00c3")");
  EXPECT_EQ(JsonString("\xC0\xAF"), R"("\u00c0\u00af")");
  EXPECT_EQ(JsonString("\xED\xA0\x80"), R"("\u00ed\u00a0\u0080")");  // a surrogate
}

TEST(JsonNumber, ShortestFormReadsBackExactly) {
  EXPECT_EQ(JsonNumber(1050), "1050");
  EXPECT_EQ(JsonNumber(0.01), "0.01");
  EXPECT_EQ(JsonNumber(3.5775e21), "3.5775e21");
  EXPECT_EQ(JsonNumber(-2.5e-7), "-2.5e-7");
  EXPECT_EQ(JsonNumber(1e100), "1e100");
  for (double value : {0.1, 1.0 / 3.0, 3.5775e21, 2.0 / 3.0 * 1e-300, 5e-324, 1.7976931348623157e308, -123.456,
                       1e15 + 1, 0.30000000000000004}) {
    const std::string text = JsonNumber(value);
    double back = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), back);
    EXPECT_EQ(error, std::errc()) << text;
    EXPECT_EQ(end, text.data() + text.size()) << text;
    EXPECT_EQ(back, value) << text;
  }
  for (double value : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(), std::nan("")})
    EXPECT_EQ(JsonNumber(value), "null");
}

TEST(JsonWriter, SeparatesItemsOfNestedObjectsAndArrays) {
  JsonWriter json;
  json.BeginObject();
  json.Key("a").BeginArray().Integer(-6).Bool(true).Null().BeginObject().Key("b").String("x").EndObject().EndArray();
  json.Key("empty").BeginArray().EndArray();
  json.Key("o").BeginObject().EndObject();
  json.Key("n").Number(std::nan(""));
  json.EndObject();
  EXPECT_EQ(json.Text(), R"({"a":[-6,true,null,{"b":"x"}],"empty":[],"o":{},"n":null})");
}

}  // namespace
}  // namespace korvane
