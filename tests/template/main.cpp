// The tests act as the host: they load Ombrik63.dll and look at the tip
// frame that its template builds. Started with the dpi-child switch, the
// program is the display test's child.
#include <gtest/gtest.h>

#include <cstring>

#include "DpiChild.h"
#include "fw/Application.h"

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], moduletest::kDpiChildSwitch) == 0)
    return moduletest::RunDpiChild(argv[2], argv[3]);
  testing::InitGoogleTest(&argc, argv);
  fw::Application().SetTitle("template_tests");
  return RUN_ALL_TESTS();
}
