#pragma once
/// The one way the application services report how a command went: a value,
/// or an error with a code and a message the windows and the batch tool show
/// as they stand.

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace korvane {

enum class TErrorCode {
  /// Another command holds the network (generation, save, export, ...).
  Busy,
  /// A file could not be read or written (the message names it).
  FileSystem,
  /// The data does not fit the file format, or a file is not of it.
  FileFormat,
  /// The command cannot apply: nothing to undo, a missing database, ...
  Refused,
};

struct TError {
  TErrorCode Code = TErrorCode::Refused;
  std::string Message;
};

/// A value of type T or an error; TResult<> carries no value.
template <class T = std::monostate>
class TResult {
 public:
  TResult() requires std::is_same_v<T, std::monostate> : m_content(std::monostate{}) {}
  TResult(T value) : m_content(std::move(value)) {}  // NOLINT: a value converts to a result
  TResult(TError error) : m_content(std::move(error)) {}  // NOLINT: so does an error

  bool ok() const { return std::holds_alternative<T>(m_content); }
  explicit operator bool() const { return ok(); }
  const T& value() const { return std::get<T>(m_content); }
  T& value() { return std::get<T>(m_content); }
  const TError& error() const { return std::get<TError>(m_content); }

 private:
  std::variant<T, TError> m_content;
};

}  // namespace korvane
