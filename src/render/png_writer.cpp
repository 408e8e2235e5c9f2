#include "render/png_writer.h"

#include <fcntl.h>
#include <png.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

namespace korvane {
namespace {

void OnPngError(png_structp png, png_const_charp message) {
  auto* text = static_cast<std::string*>(png_get_error_ptr(png));
  if (text) *text = message;
  png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// libpng reports errors by longjmp, which must not cross objects with
// destructors: this function owns none.
bool Encode(std::FILE* file, int width, int height, bool alpha, png_bytep* rows, std::string* message) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, message, OnPngError, OnPngWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

std::string TemporaryPath(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  return path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

}  // namespace

TResult<> WritePng(const QImage& image, const std::string& path) {
  auto fail = [&](const std::string& reason, TErrorCode code = TErrorCode::FileSystem) {
    return TError{code, "Cannot write the picture \"" + path + "\": " + reason + "."};
  };
  if (image.isNull() || image.width() <= 0 || image.height() <= 0)
    return fail("the picture is empty", TErrorCode::InvalidInput);

  const bool alpha = image.hasAlphaChannel();
  QImage pixels = image.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
  if (pixels.isNull()) return fail("out of memory");
  std::vector<png_bytep> rows(static_cast<std::size_t>(pixels.height()));
  for (int y = 0; y < pixels.height(); ++y) rows[static_cast<std::size_t>(y)] = pixels.scanLine(y);

  const std::string temporary = TemporaryPath(path);
  const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (descriptor < 0) return fail(std::strerror(errno));
  std::FILE* file = ::fdopen(descriptor, "wb");
  if (!file) {
    const int code = errno;
    ::close(descriptor);
    ::unlink(temporary.c_str());
    return fail(std::strerror(code));
  }

  std::string reason = "the encoder failed";
  bool written = Encode(file, pixels.width(), pixels.height(), alpha, rows.data(), &reason);
  if (written && (std::fflush(file) != 0 || ::fsync(::fileno(file)) != 0)) {
    reason = std::strerror(errno);
    written = false;
  }
  if (std::fclose(file) != 0 && written) {
    reason = std::strerror(errno);
    written = false;
  }
  if (written && std::rename(temporary.c_str(), path.c_str()) != 0) {
    reason = std::strerror(errno);
    written = false;
  }
  if (!written) {
    ::unlink(temporary.c_str());
    return fail(reason);
  }
  return {};
}

}  // namespace korvane
