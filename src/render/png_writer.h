#pragma once
/// PNG encoding of images with libpng.

#include <QImage>
#include <string>

#include "core/result.h"

namespace korvane {

/// Writes the image as a PNG file: 8 bits per channel, RGB, or RGBA when the
/// image has an alpha channel. The file is written beside its destination
/// under a temporary name and renamed into place, so a failure never leaves a
/// truncated picture and never destroys a file already there. The error's
/// message reads "Cannot write the picture "<path>": <reason>." when the
/// image is empty (InvalidInput) or the file cannot be written (FileSystem).
TResult<> WritePng(const QImage& image, const std::string& path);

}  // namespace korvane
