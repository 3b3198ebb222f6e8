// The tests act as the host: they load Ombrik63.dll and call its exports.
#include <gtest/gtest.h>

#include "fw/Application.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  fw::Application().SetTitle("module_tests");
  return RUN_ALL_TESTS();
}
