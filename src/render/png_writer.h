#pragma once
/// PNG encoding of images with libpng.

#include <QImage>
#include <string>

namespace korvane {

/// Writes the image as a PNG file: 8 bits per channel, RGB, or RGBA when the
/// image has an alpha channel. The file is written beside its destination
/// under a temporary name and renamed into place, so a failure never leaves a
/// truncated picture and never destroys a file already there. Returns false,
/// with a message naming the path and the reason in `error`, when the image is
/// empty or the file cannot be written.
bool WritePng(const QImage& image, const std::string& path, std::string* error = nullptr);

}  // namespace korvane
