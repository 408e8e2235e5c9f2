#include "core/file_replace.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <optional>
#include <random>
#include <system_error>
#include <vector>

namespace korvane {
namespace fs = std::filesystem;
namespace {

std::string ErrnoText(int error) { return std::error_code(error, std::generic_category()).message(); }

// A name beside `target` with a random suffix; `create` makes it exclusively
// and reports errno (EEXIST asks for another name).
template <class Create>
bool CreateBeside(const fs::path& target, const char* tag, fs::path& created, int& error, Create create) {
  std::random_device seed;
  std::mt19937 random(seed());
  error = EEXIST;
  for (int attempt = 0; attempt < 100; ++attempt) {
    created = target;
    created += tag + std::to_string(::getpid()) + "-" + std::to_string(random() % 1000000u);
    errno = 0;
    if (create(created)) return true;
    error = errno != 0 ? errno : EIO;
    if (error != EEXIST) return false;
  }
  return false;
}

// The file a replacement writes: a link is written through, and a target
// that exists must be a regular file.
struct TReplacement {
  fs::path Target;
  fs::path Temporary;
  bool Existed = false;
  fs::perms Permissions = fs::perms::none;
};

std::string ResolveTarget(const fs::path& path, TReplacement& replacement) {
  if (path.empty()) return "no file name";
  replacement.Target = path;
  std::error_code ec;
  if (fs::is_symlink(fs::symlink_status(path, ec))) {
    replacement.Target = fs::weakly_canonical(path, ec);
    if (ec) return ec.message();
  }
  const fs::file_status status = fs::status(replacement.Target, ec);
  replacement.Existed = fs::exists(status);
  if (replacement.Existed && !fs::is_regular_file(status)) return "not a regular file";
  replacement.Permissions = status.permissions();
  return {};
}

// Buffers what a producer writes and hands it to the file in large blocks;
// after the first failure it only remembers the error.
class TBufferedFileSink final : public TByteSink {
 public:
  explicit TBufferedFileSink(std::FILE* file) : m_file(file) { m_buffer.reserve(kBufferBytes); }

  using TByteSink::Write;
  void Write(std::span<const std::uint8_t> bytes) override {
    if (m_error != 0) return;
    if (m_buffer.size() + bytes.size() > kBufferBytes) flush();
    if (bytes.size() >= kBufferBytes)
      put(bytes);
    else
      m_buffer.insert(m_buffer.end(), bytes.begin(), bytes.end());
  }
  /// Everything written reached the disk; otherwise errno of the failure.
  int Finish() {
    flush();
    if (m_error == 0) {
      errno = 0;
      if (std::fflush(m_file) != 0 || ::fsync(::fileno(m_file)) != 0) m_error = errno != 0 ? errno : EIO;
    }
    return m_error;
  }

 private:
  static constexpr std::size_t kBufferBytes = std::size_t{1} << 20;

  void flush() {
    put(m_buffer);
    m_buffer.clear();
  }
  void put(std::span<const std::uint8_t> bytes) {
    if (m_error != 0 || bytes.empty()) return;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size()) m_error = errno != 0 ? errno : EIO;
  }

  std::FILE* m_file;
  std::vector<std::uint8_t> m_buffer;
  int m_error = 0;
};

using TProducer = std::function<TResult<>(TByteSink&)>;

// Writes what `produce` makes to a new temporary file beside the target
// (exclusive creation, so an unrelated file is never reused), flushed to the
// disk. A file-system failure is a FileSystem error with the reason only.
TResult<> WriteTemporary(TReplacement& replacement, const TProducer& produce) {
  std::FILE* file = nullptr;
  int error = 0;
  const bool created = CreateBeside(replacement.Target, ".tmp-", replacement.Temporary, error,
                                    [&file](const fs::path& name) { return (file = std::fopen(name.c_str(), "wbx")); });
  if (!created) return TError{TErrorCode::FileSystem, ErrnoText(error)};

  TBufferedFileSink sink(file);
  TResult<> produced = produce(sink);
  error = sink.Finish();
  if (std::fclose(file) != 0 && error == 0) error = errno != 0 ? errno : EIO;
  std::error_code ignored;
  if (!produced || error != 0) {
    fs::remove(replacement.Temporary, ignored);
    replacement.Temporary.clear();
    if (!produced) return produced;
    return TError{TErrorCode::FileSystem, ErrnoText(error)};
  }
  if (replacement.Existed)
    fs::permissions(replacement.Temporary, replacement.Permissions, fs::perm_options::replace, ignored);
  return {};
}

TProducer BytesProducer(std::string_view bytes) {
  return [bytes](TByteSink& sink) -> TResult<> {
    sink.Write({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
    return {};
  };
}

// Keeps the previous contents of an existing target under a second name (a
// hard link, or a copy where the file system has none) until every file of
// a set is in place.
std::string KeepPrevious(const fs::path& target, fs::path& backup) {
  int error = 0;
  if (CreateBeside(target, ".old-", backup, error,
                   [&target](const fs::path& name) { return ::link(target.c_str(), name.c_str()) == 0; }))
    return {};
  std::error_code ec;
  if (CreateBeside(target, ".old-", backup, error, [&target, &ec](const fs::path& name) {
        const bool copied = fs::copy_file(target, name, fs::copy_options::none, ec);
        errno = ec.value();
        return copied;
      }))
    return {};
  return ErrnoText(error);
}

// Why the file at position File of a set could not be written: a
// file-system reason, or the error of its producer as it is.
struct TReplaceFailure {
  std::size_t File = 0;
  std::string Reason;
  std::optional<TError> Produced;
};

std::optional<TReplaceFailure> ReplaceAll(std::span<const TFileProducer> files) {
  std::vector<TReplacement> replacements(files.size());
  std::error_code ignored;
  auto removeTemporaries = [&] {
    for (const TReplacement& replacement : replacements)
      if (!replacement.Temporary.empty()) fs::remove(replacement.Temporary, ignored);
  };

  for (std::size_t i = 0; i < files.size(); ++i) {
    if (const std::string problem = ResolveTarget(files[i].Path, replacements[i]); !problem.empty())
      return TReplaceFailure{i, problem, std::nullopt};
    for (std::size_t j = 0; j < i; ++j)
      if (fs::weakly_canonical(replacements[j].Target, ignored) == fs::weakly_canonical(replacements[i].Target, ignored))
        return TReplaceFailure{i, "named twice among the files to write", std::nullopt};
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (const auto written = WriteTemporary(replacements[i], files[i].Produce); !written) {
      removeTemporaries();
      if (written.error().Code != TErrorCode::FileSystem) return TReplaceFailure{i, {}, written.error()};
      return TReplaceFailure{i, written.error().Message, std::nullopt};
    }
  }

  // One file is renamed atomically and needs nothing more; a set keeps the
  // previous files until the last rename succeeded.
  std::vector<fs::path> previous(files.size());
  auto removePrevious = [&] {
    for (const fs::path& backup : previous)
      if (!backup.empty()) fs::remove(backup, ignored);
  };
  if (files.size() > 1) {
    for (std::size_t i = 0; i < files.size(); ++i) {
      if (!replacements[i].Existed) continue;
      if (const std::string problem = KeepPrevious(replacements[i].Target, previous[i]); !problem.empty()) {
        removeTemporaries();
        removePrevious();
        return TReplaceFailure{i, problem, std::nullopt};
      }
    }
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    std::error_code ec;
    fs::rename(replacements[i].Temporary, replacements[i].Target, ec);
    if (!ec) {
      replacements[i].Temporary.clear();
      continue;
    }
    for (std::size_t j = 0; j < i; ++j) {
      if (previous[j].empty()) {
        fs::remove(replacements[j].Target, ignored);
      } else {
        fs::rename(previous[j], replacements[j].Target, ignored);
        previous[j].clear();
      }
    }
    removeTemporaries();
    removePrevious();
    return TReplaceFailure{i, ec.message(), std::nullopt};
  }
  removePrevious();
  return std::nullopt;
}

}  // namespace

TResult<> ReplaceFileContents(const fs::path& path, std::string_view bytes) {
  const TFileProducer file{path, BytesProducer(bytes)};
  if (const auto failure = ReplaceAll({&file, 1})) return TError{TErrorCode::FileSystem, failure->Reason};
  return {};
}

TResult<> ReplaceFileStreaming(const fs::path& path, const TProducer& produce) {
  TReplacement replacement;
  if (const std::string problem = ResolveTarget(path, replacement); !problem.empty())
    return TError{TErrorCode::FileSystem, problem};
  if (auto written = WriteTemporary(replacement, produce); !written) return written;
  std::error_code ec;
  fs::rename(replacement.Temporary, replacement.Target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(replacement.Temporary, ignored);
    return TError{TErrorCode::FileSystem, ec.message()};
  }
  return {};
}

TResult<> ReplaceFilesContents(std::span<const TFileContents> files) {
  std::vector<TFileProducer> producers;
  producers.reserve(files.size());
  for (const TFileContents& file : files) producers.push_back({file.Path, BytesProducer(file.Bytes)});
  return ReplaceFilesStreaming(producers);
}

TResult<> ReplaceFilesStreaming(std::span<const TFileProducer> files) {
  if (const auto failure = ReplaceAll(files)) {
    if (failure->Produced) return *failure->Produced;
    return TError{TErrorCode::FileSystem, files[failure->File].Path.string() + ": " + failure->Reason};
  }
  return {};
}

}  // namespace korvane
