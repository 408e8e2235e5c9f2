#pragma once
/// Replacing a file's contents safely: the bytes go to a new temporary file
/// beside the target, which is then renamed over it, so a failure at any
/// point leaves the previous file (or no file) exactly as it was. Every
/// writer of the project saves through this.

#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "core/byte_sink.h"
#include "core/result.h"

namespace korvane {

/// Writes `bytes` as the new contents of `path`. A symbolic link is written
/// through (the file it points to is replaced); an existing file keeps its
/// permissions; a target that exists but is not a regular file is refused.
/// On failure the target is untouched and no temporary file is left; the
/// error (FileSystem) gives the reason only, for the writer built on this to
/// name the file in its own words.
TResult<> ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes);

/// Writes the new contents of `path` as `produce` hands them to the sink:
/// through a buffer of bounded size into the temporary file, which replaces
/// the target only when `produce` succeeded and every byte reached the disk.
/// An error of `produce` (a cancelled save, data the format cannot hold
/// found on the way) leaves the target untouched and is returned as it is;
/// a file-system error is as ReplaceFileContents gives it.
TResult<> ReplaceFileStreaming(const std::filesystem::path& path,
                               const std::function<TResult<>(TByteSink& sink)>& produce);

/// One file of a set replaced together.
struct TFileContents {
  std::filesystem::path Path;
  std::string_view Bytes;
};

/// One file of a set replaced together, its contents made by `Produce` as
/// ReplaceFileStreaming takes them. The producers run one after the other,
/// in the order of the set.
struct TFileProducer {
  std::filesystem::path Path;
  std::function<TResult<>(TByteSink& sink)> Produce;
};

/// Replaces several files together, each as ReplaceFileStreaming does, so
/// that either all of them hold their new contents or all are as they were
/// (see ReplaceFilesContents). An error of a producer (a cancelled export,
/// data found unfit on the way) leaves every target untouched and is
/// returned as it is; a file-system error reads "<file>: <reason>".
TResult<> ReplaceFilesStreaming(std::span<const TFileProducer> files);

/// Replaces several files together, each as ReplaceFileContents does, so
/// that either all of them hold their new contents or all are as they were:
/// every new file is written completely before the first one is renamed
/// into place, and a rename that still fails puts the earlier ones back.
/// Two entries naming the same file are refused. The error (FileSystem)
/// reads "<file>: <reason>".
TResult<> ReplaceFilesContents(std::span<const TFileContents> files);

}  // namespace korvane
