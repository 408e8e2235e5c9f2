#include "core/vectors.h"

#include <array>

namespace korvane {

std::string Join(const TStrVector& list) {
  std::string text;
  for (const auto& element : list) {
    text += element;
    text += ';';
  }
  if (!text.empty()) text.pop_back();
  return text;
}

TStrVector Split(const std::string& text) {
  // Three-state recogniser: 0 inside a piece, 1 just read a separator, 2 end.
  // A piece is emitted after every separator and at the end mark (code 255),
  // which is appended to the text and also ends the split when met inside it.
  constexpr char kEndMark = static_cast<char>(255);
  const std::string marked = text + kEndMark;
  TStrVector pieces;
  std::size_t pieceStart = 0;
  int state = 0;
  for (std::size_t i = 0; i < marked.size(); ++i) {
    const char c = marked[i];
    if (c == kEndMark)
      state = 2;
    else if (c == ';')
      state = 1;
    else
      state = 0;
    if (state != 0) {
      pieces.push_back(marked.substr(pieceStart, i - pieceStart));
      pieceStart = i + 1;
    }
    if (state == 2) break;
  }
  return pieces;
}

std::uint8_t Sum(const TByteVector& vector) {
  std::uint8_t sum = 0;
  for (std::uint8_t element : vector) sum = static_cast<std::uint8_t>(sum + element);
  return sum;
}

void SortDescendingInPlace(TByteVector& values) {
  // Counting sort up to the largest element: the vectors sorted here (graph
  // scores) hold small bytes, so this beats a comparison sort.
  std::uint8_t largest = 0;
  for (std::uint8_t value : values) largest = std::max(largest, value);
  std::array<std::uint32_t, 256> counts{};
  for (std::uint8_t value : values) ++counts[value];
  auto out = values.begin();
  for (int value = largest; value >= 0; --value) out = std::fill_n(out, counts[value], static_cast<std::uint8_t>(value));
}

TByteVector SortDescending(const TByteVector& source) {
  TByteVector sorted = source;
  SortDescendingInPlace(sorted);
  return sorted;
}

}  // namespace korvane
