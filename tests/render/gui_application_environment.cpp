// Text needs a QGuiApplication for its fonts: the render tests share one, made
// before the first test on the offscreen platform so no display is needed.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <memory>

namespace {

class GuiApplicationEnvironment : public ::testing::Environment {
  void SetUp() override {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    m_application = std::make_unique<QGuiApplication>(m_argc, m_argv);
  }
  void TearDown() override { m_application.reset(); }

  int m_argc = 1;
  char m_name[32] = "korvane_render_tests";
  char* m_argv[2] = {m_name, nullptr};
  std::unique_ptr<QGuiApplication> m_application;
};

// gtest owns registered environments.
[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiApplicationEnvironment);

}  // namespace
