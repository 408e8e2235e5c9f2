#include "render/molecule_picture.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "core/structure_drawing.h"
#include "molecule_builder.h"
#include "recording_canvas.h"

namespace korvane {
namespace {

using testing::CanvasCall;
using testing::MoleculeFrom;
using testing::RecordingCanvas;

TEST(RenderMoleculePng, WritesTheDrawingOnWhite) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  auto allyl = MoleculeFrom("C. C C; 0-1 1=2");
  const std::string path = dir.filePath("pict_11.png").toStdString();
  std::vector<std::string> messages;
  ASSERT_TRUE(RenderMoleculePng(*allyl, 256, 150, 7, path,
                                [&messages](const std::string& message) { messages.push_back(message); }));
  EXPECT_TRUE(messages.empty());

  const QImage picture(QString::fromStdString(path));
  ASSERT_EQ(picture.width(), 256);
  ASSERT_EQ(picture.height(), 150);
  EXPECT_EQ(picture.pixel(0, 0), 0xffffffff);
  EXPECT_EQ(picture.pixel(255, 149), 0xffffffff);
  RecordingCanvas recorder(256, 150);
  DrawMolecule(recorder, *allyl, 7, 1, kBlack, {});
  const CanvasCall radical = recorder.Of(CanvasCall::kEllipse)[0];
  ASSERT_EQ(radical.brush, kRed);
  EXPECT_EQ(picture.pixel((radical.x1 + radical.x2) / 2, (radical.y1 + radical.y2) / 2), 0xffff0000);
}

TEST(RenderMoleculePng, ReportsDrawingMessagesAndWriteFailures) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  std::vector<std::string> messages;
  auto report = [&messages](const std::string& message) { messages.push_back(message); };
  auto naphthalene = MoleculeFrom("c c c c c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0 4:6 6:7 7:8 8:9 9:5");
  const std::string path = dir.filePath("naphthalene.png").toStdString();
  EXPECT_TRUE(RenderMoleculePng(*naphthalene, 256, 150, 7, path, report));
  EXPECT_EQ(messages, std::vector<std::string>{kUnknownCycleMessage});
  EXPECT_TRUE(QFile::exists(QString::fromStdString(path)));

  messages.clear();
  const std::string missing = dir.filePath("missing/pict_1.png").toStdString();
  EXPECT_FALSE(RenderMoleculePng(*naphthalene, 256, 150, 7, missing, report));
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_NE(messages[1].find(missing), std::string::npos);
}

}  // namespace
}  // namespace korvane
