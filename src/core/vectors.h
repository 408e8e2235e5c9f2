#pragma once
/// Zero-based growable arrays shared by every layer, and the few operations
/// on them that the molecule model and the file formats rely on.
///
/// Vectors are std::vector. Matrices are rectangular and stored in one block
/// (row-major), indexed as m[i][j]; the molecule matrices are square with one
/// row per atom. Byte arithmetic (sums, counters) wraps modulo 256.

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace korvane {

using TBoolVector = std::vector<bool>;
using TByteVector = std::vector<std::uint8_t>;
using TIntVector = std::vector<std::int32_t>;
using TVector = std::vector<double>;
using TStrVector = std::vector<std::string>;
/// Non-owning references to objects of any kind.
using TObjVector = std::vector<void*>;

/// Rectangular matrix in one contiguous block. `size()` is the row count, so
/// code written for a vector of rows reads the same: m.size(), m[i][j].
template <class T>
class TMatrixOf {
 public:
  TMatrixOf() = default;
  TMatrixOf(std::size_t rows, std::size_t cols, const T& value = T{}) { assign(rows, cols, value); }
  TMatrixOf(std::initializer_list<std::initializer_list<T>> rows) {
    for (const auto& row : rows) appendRow(std::span<const T>(row.begin(), row.size()));
  }
  TMatrixOf(const TMatrixOf& other) { *this = other; }
  TMatrixOf(TMatrixOf&&) noexcept = default;
  TMatrixOf& operator=(TMatrixOf&&) noexcept = default;
  TMatrixOf& operator=(const TMatrixOf& other) {
    if (this != &other) {
      reallocate(other.m_rows * other.m_cols);
      m_rows = other.m_rows;
      m_cols = other.m_cols;
      std::copy(other.m_data.get(), other.m_data.get() + m_rows * m_cols, m_data.get());
    }
    return *this;
  }

  std::size_t size() const { return m_rows; }
  std::size_t rows() const { return m_rows; }
  std::size_t cols() const { return m_cols; }
  bool empty() const { return m_rows == 0; }

  T* operator[](std::size_t r) {
    assert(r < m_rows);
    return m_data.get() + r * m_cols;
  }
  const T* operator[](std::size_t r) const {
    assert(r < m_rows);
    return m_data.get() + r * m_cols;
  }
  std::span<T> row(std::size_t r) { return {(*this)[r], m_cols}; }
  std::span<const T> row(std::size_t r) const { return {(*this)[r], m_cols}; }
  T* data() { return m_data.get(); }
  const T* data() const { return m_data.get(); }

  /// Resizes to rows x cols with every element equal to value.
  void assign(std::size_t rows, std::size_t cols, const T& value) {
    reallocate(rows * cols);
    m_rows = rows;
    m_cols = cols;
    std::fill(m_data.get(), m_data.get() + rows * cols, value);
  }

  /// Resizes to rows x cols keeping the storage when it is large enough; the
  /// entries are left unspecified, for a caller that writes every one.
  void reshape(std::size_t rows, std::size_t cols) {
    reallocate(rows * cols);
    m_rows = rows;
    m_cols = cols;
  }

  /// Appends a copy of the row. The first row fixes the column count; every
  /// later row must have the same length (matrices here are rectangular).
  void appendRow(std::span<const T> values) {
    if (m_rows == 0) m_cols = values.size();
    assert(values.size() == m_cols);
    const std::size_t used = m_rows * m_cols;
    if (used + m_cols > m_capacity) {
      const std::size_t capacity = std::max(2 * m_capacity, used + m_cols);
      std::unique_ptr<T[]> grown(new T[capacity]);
      std::copy(m_data.get(), m_data.get() + used, grown.get());
      m_data = std::move(grown);
      m_capacity = capacity;
    }
    std::copy(values.begin(), values.end(), m_data.get() + used);
    ++m_rows;
  }

  void clear() {
    m_data.reset();
    m_rows = m_cols = m_capacity = 0;
  }

  friend bool operator==(const TMatrixOf& a, const TMatrixOf& b) {
    return a.m_rows == b.m_rows && a.m_cols == b.m_cols &&
           std::equal(a.m_data.get(), a.m_data.get() + a.m_rows * a.m_cols, b.m_data.get());
  }

 private:
  void reallocate(std::size_t count) {
    if (count > m_capacity) {
      m_data.reset(new T[count]);
      m_capacity = count;
    }
  }

  std::size_t m_rows = 0;
  std::size_t m_cols = 0;
  std::size_t m_capacity = 0;
  std::unique_ptr<T[]> m_data;
};

using TBoolMatrix = TMatrixOf<bool>;
using TByteMatrix = TMatrixOf<std::uint8_t>;
using TIntMatrix = TMatrixOf<std::int32_t>;
using TMatrix = TMatrixOf<double>;
using TStrMatrix = std::vector<TStrVector>;
using TBoolTenzor3 = std::vector<TBoolMatrix>;
using TByteTenzor3 = std::vector<TByteMatrix>;

/// Output gets exactly n elements, all equal to value.
template <class V>
void Fill(std::size_t n, const typename V::value_type& value, V& out) {
  out.assign(n, value);
}

/// Output gets `rows` rows of `cols` elements, all equal to value.
template <class T>
void FillMatrix(std::size_t rows, std::size_t cols, const T& value, TMatrixOf<T>& out) {
  out.assign(rows, cols, value);
}

/// Empties a vector, matrix or tensor; clearing an empty one does nothing.
template <class A>
void Clear(A& array) {
  array.clear();
}

/// Output becomes an independent deep copy of the source.
template <class A>
void Copy(const A& source, A& out) {
  out = source;
}

template <class V>
void Append(V& vector, const typename V::value_type& element) {
  vector.push_back(element);
}

template <class T>
void AppendRow(TMatrixOf<T>& matrix, std::span<const T> row) {
  matrix.appendRow(row);
}

/// Removes element i; later elements move down. An index past the last
/// element drops only the last one. Deleting from an empty vector does nothing.
template <class V>
void DeleteAt(V& vector, std::size_t i) {
  if (vector.empty()) return;
  if (i >= vector.size()) i = vector.size() - 1;
  vector.erase(vector.begin() + static_cast<std::ptrdiff_t>(i));
}

/// The elements in order separated by ";" (a, b, c gives "a;b;c").
std::string Join(const TStrVector& list);

/// Pieces of the text between semicolons: "a;;b" gives a, "", b; an empty
/// text gives one empty piece; a character with code 255 ends the text.
TStrVector Split(const std::string& text);

/// Sum of the elements modulo 256.
std::uint8_t Sum(const TByteVector& vector);

/// The elements ordered from largest to smallest; the source is unchanged.
TByteVector SortDescending(const TByteVector& source);
/// Orders the elements from largest to smallest.
void SortDescendingInPlace(TByteVector& values);

}  // namespace korvane
