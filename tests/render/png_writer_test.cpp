#include "render/png_writer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

namespace korvane {
namespace {

QImage Pattern(QImage::Format format) {
  QImage image(37, 23, format);  // odd sizes: rows are padded in memory
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      image.setPixel(x, y, qRgba(x * 7, y * 11, (x * y) % 256, format == QImage::Format_ARGB32 ? (x * 13) % 256 : 255));
  return image;
}

QImage ReadBack(const QString& path) {
  QImageReader reader(path);
  EXPECT_EQ(reader.format(), "png");
  return reader.read();
}

std::string Path(const QTemporaryDir& dir, const char* name) { return dir.filePath(name).toStdString(); }

TEST(WritePng, RgbAndRgbaImagesReadBackPixelForPixel) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32}) {
    const QImage original = Pattern(format);
    const std::string path = Path(dir, "pattern.png");
    std::string error;
    ASSERT_TRUE(WritePng(original, path, &error)) << error;
    const QImage read = ReadBack(QString::fromStdString(path));
    ASSERT_EQ(read.size(), original.size());
    EXPECT_EQ(read.hasAlphaChannel(), format == QImage::Format_ARGB32);
    const QImage expected = original.convertToFormat(QImage::Format_ARGB32);
    const QImage actual = read.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < expected.height(); ++y)
      for (int x = 0; x < expected.width(); ++x)
        ASSERT_EQ(actual.pixel(x, y), expected.pixel(x, y)) << x << "," << y << " format " << format;
  }
  // The second write replaced the first and left no temporary file behind.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"pattern.png"});
}

TEST(WritePng, FailuresReportAndLeaveNoFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string missing = Path(dir, "no-such-directory/picture.png");
  std::string error;
  EXPECT_FALSE(WritePng(Pattern(QImage::Format_RGB32), missing, &error));
  EXPECT_NE(error.find(missing), std::string::npos) << error;
  EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
  EXPECT_FALSE(QFile::exists(QString::fromStdString(missing)));
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());

  // An empty image is refused and the file already there survives.
  const std::string existing = Path(dir, "existing.png");
  ASSERT_TRUE(WritePng(Pattern(QImage::Format_RGB32), existing));
  const QByteArray before = [&] {
    QFile file(QString::fromStdString(existing));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
  }();
  error.clear();
  EXPECT_FALSE(WritePng(QImage(), existing, &error));
  EXPECT_NE(error.find("empty"), std::string::npos) << error;
  QFile after(QString::fromStdString(existing));
  ASSERT_TRUE(after.open(QIODevice::ReadOnly));
  EXPECT_EQ(after.readAll(), before);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"existing.png"});
}

}  // namespace
}  // namespace korvane
