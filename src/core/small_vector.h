#pragma once
/// TSmallVector: a vector of trivially copyable items that keeps up to N of
/// them inside itself and moves to the heap only beyond that. A reaction's
/// sides hold one or two participants almost always; as std::vectors they
/// cost four heap blocks per reaction, a quarter of a large network.
///
/// It offers the part of std::vector's interface the code uses, converts to
/// std::span, and compares equal to a std::vector with the same items.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <type_traits>
#include <vector>

namespace korvane {

template <class T, std::size_t N>
class TSmallVector {
  static_assert(std::is_trivially_copyable_v<T> && N > 0);

 public:
  using value_type = T;
  using size_type = std::size_t;
  using difference_type = std::ptrdiff_t;
  using reference = T&;
  using const_reference = const T&;
  using pointer = T*;
  using const_pointer = const T*;
  using iterator = T*;
  using const_iterator = const T*;
  using reverse_iterator = std::reverse_iterator<iterator>;
  using const_reverse_iterator = std::reverse_iterator<const_iterator>;

  TSmallVector() = default;
  TSmallVector(std::initializer_list<T> items) { assign(items.begin(), items.end()); }
  // Implicit, like a copy: sides are often built as std::vectors first.
  TSmallVector(const std::vector<T>& items) { assign(items.begin(), items.end()); }  // NOLINT
  TSmallVector(const TSmallVector& other) { assign(other.begin(), other.end()); }
  TSmallVector(TSmallVector&& other) noexcept { take(other); }
  ~TSmallVector() { release(); }

  TSmallVector& operator=(const TSmallVector& other) {
    if (this != &other) assign(other.begin(), other.end());
    return *this;
  }
  TSmallVector& operator=(TSmallVector&& other) noexcept {
    if (this != &other) {
      release();
      take(other);
    }
    return *this;
  }
  TSmallVector& operator=(std::initializer_list<T> items) {
    assign(items.begin(), items.end());
    return *this;
  }
  TSmallVector& operator=(const std::vector<T>& items) {
    assign(items.begin(), items.end());
    return *this;
  }

  template <class Iterator>
  void assign(Iterator first, Iterator last) {
    const auto count = static_cast<std::size_t>(std::distance(first, last));
    m_size = 0;
    reserve(count);
    std::copy(first, last, data());
    m_size = static_cast<std::uint32_t>(count);
  }

  std::size_t size() const { return m_size; }
  bool empty() const { return m_size == 0; }
  std::size_t capacity() const { return m_capacity; }
  /// Whether the items are on the heap (more than N were held at once).
  bool spilled() const { return m_capacity > N; }

  T* data() { return spilled() ? m_heap : m_inline; }
  const T* data() const { return spilled() ? m_heap : m_inline; }
  iterator begin() { return data(); }
  iterator end() { return data() + m_size; }
  const_iterator begin() const { return data(); }
  const_iterator end() const { return data() + m_size; }
  reverse_iterator rbegin() { return reverse_iterator(end()); }
  reverse_iterator rend() { return reverse_iterator(begin()); }
  const_reverse_iterator rbegin() const { return const_reverse_iterator(end()); }
  const_reverse_iterator rend() const { return const_reverse_iterator(begin()); }

  T& operator[](std::size_t index) { return data()[index]; }
  const T& operator[](std::size_t index) const { return data()[index]; }
  T& front() { return data()[0]; }
  const T& front() const { return data()[0]; }
  T& back() { return data()[m_size - 1]; }
  const T& back() const { return data()[m_size - 1]; }

  void reserve(std::size_t capacity) {
    if (capacity <= m_capacity) return;
    T* items = new T[capacity];
    std::copy(begin(), end(), items);
    release();
    m_heap = items;
    m_capacity = static_cast<std::uint32_t>(capacity);
  }
  void push_back(const T& item) {
    if (m_size == m_capacity) {
      const T copy = item;  // the item may live in this vector
      reserve(2 * m_capacity);
      data()[m_size++] = copy;
      return;
    }
    data()[m_size++] = item;
  }
  void pop_back() { --m_size; }
  void clear() { m_size = 0; }
  void resize(std::size_t size, const T& value = T()) {
    reserve(size);
    if (size > m_size) std::fill(data() + m_size, data() + size, value);
    m_size = static_cast<std::uint32_t>(size);
  }
  iterator erase(const_iterator position) { return erase(position, position + 1); }
  iterator erase(const_iterator first, const_iterator last) {
    T* at = begin() + (first - begin());
    std::copy(last, static_cast<const_iterator>(end()), at);
    m_size -= static_cast<std::uint32_t>(last - first);
    return at;
  }
  iterator insert(const_iterator position, const T& item) {
    const std::ptrdiff_t offset = position - begin();
    push_back(item);
    std::rotate(begin() + offset, end() - 1, end());
    return begin() + offset;
  }

  friend bool operator==(const TSmallVector& a, const TSmallVector& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
  }
  friend bool operator==(const TSmallVector& a, const std::vector<T>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
  }

 private:
  void release() {
    if (spilled()) delete[] m_heap;
    m_capacity = N;
  }
  void take(TSmallVector& other) {
    m_size = other.m_size;
    m_capacity = other.m_capacity;
    if (other.spilled())
      m_heap = other.m_heap;
    else
      std::copy(other.m_inline, other.m_inline + other.m_size, m_inline);
    other.m_capacity = N;
    other.m_size = 0;
  }

  union {
    T m_inline[N];
    T* m_heap;
  };
  std::uint32_t m_size = 0;
  std::uint32_t m_capacity = N;
};

}  // namespace korvane
