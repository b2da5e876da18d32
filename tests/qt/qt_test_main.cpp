#include <gtest/gtest.h>

#include <clocale>

#include <QApplication>

#include "ui/qt/program_icon.h"

int main(int argc, char* argv[]) {
  // Listing the tests happens without the test environment; never reach for a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setWindowIcon(quillet::qt::ProgramIcon());
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
