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

TEST(WritePng, ReadsBackPixelForPixelAndFailsWithoutLeavingAFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string path = dir.filePath("pattern.png").toStdString();
  for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32}) {
    const TResult<> written = WritePng(Pattern(format), path);
    ASSERT_TRUE(written) << written.error().Message;
    QImageReader reader(QString::fromStdString(path));
    EXPECT_EQ(reader.format(), "png");
    const QImage read = reader.read();
    EXPECT_EQ(read.hasAlphaChannel(), format == QImage::Format_ARGB32);
    EXPECT_EQ(read.convertToFormat(QImage::Format_ARGB32), Pattern(format).convertToFormat(QImage::Format_ARGB32));
  }
  // A missing directory, an empty image: a message, and no file made or replaced.
  const std::string missing = dir.filePath("no-such-directory/picture.png").toStdString();
  const TResult<> unwritten = WritePng(Pattern(QImage::Format_RGB32), missing);
  ASSERT_FALSE(unwritten);
  EXPECT_EQ(unwritten.error().Code, TErrorCode::FileSystem);
  EXPECT_NE(unwritten.error().Message.find(missing + "\": No such file or directory"), std::string::npos);
  const TResult<> empty = WritePng(QImage(), path);
  ASSERT_FALSE(empty);
  EXPECT_EQ(empty.error().Code, TErrorCode::InvalidInput);
  EXPECT_NE(empty.error().Message.find("empty"), std::string::npos) << empty.error().Message;
  EXPECT_EQ(QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_ARGB32),
            Pattern(QImage::Format_ARGB32).convertToFormat(QImage::Format_ARGB32));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"pattern.png"});
}

}  // namespace
}  // namespace korvane
