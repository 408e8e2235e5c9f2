#pragma once
/// The one way every layer reports how an operation went: a value, or an
/// error with a code and a message that windows and the batch tool show as
/// it stands. Readers, writers and exports of files, the SMILES conversions,
/// the property calculations and the network session's commands all answer
/// with it; nothing of theirs throws for a file, a format or an input they
/// cannot handle.

#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace korvane {

enum class TErrorCode {
  /// Another command holds the network (generation, save, export, ...).
  Busy,
  /// A file could not be read or written. A writer's message names the
  /// file; a reader's message is the system's reason, since its caller
  /// named the file it asked for.
  FileSystem,
  /// A file is not of its format or is damaged (Damage holds the format's
  /// code), or data does not fit the format a writer writes (Damage 0).
  FileFormat,
  /// The command cannot apply: nothing to undo, no destination chosen, ...
  Refused,
  /// The input cannot be used: a SMILES that does not read, a molecule no
  /// SMILES names, a network the exported format cannot state.
  InvalidInput,
  /// The kinetic parameters lack a value the network's recipes name, or
  /// hold one the operation cannot use.
  KineticParameters,
  /// A calculation has no value for its input (a radical, a pole of the
  /// formula, no root in the search interval, ...); the message says why.
  NoValue,
};

struct TError {
  TErrorCode Code = TErrorCode::Refused;
  std::string Message;
  /// The format's own damage or status code when a reader reports one
  /// (structure file 1..4, database file 1..3, network file 1..12): with
  /// FileFormat, and with FileSystem for a database file that does not
  /// exist (1). 0 for every other error.
  std::uint16_t Damage = 0;
};

/// A reader's FileFormat error: the format's damage code and its message.
inline TError FileFormatError(std::uint16_t damage, std::string message) {
  return {TErrorCode::FileFormat, std::move(message), damage};
}

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
  /// The value, or `fallback` for an error.
  T value_or(T fallback) const { return ok() ? value() : std::move(fallback); }
  const T* operator->() const { return &value(); }
  T* operator->() { return &value(); }
  const TError& error() const { return std::get<TError>(m_content); }

 private:
  std::variant<T, TError> m_content;
};

}  // namespace korvane
