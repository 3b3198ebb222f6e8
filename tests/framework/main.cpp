// Tests run with real windows on the display Wine gives them; layouts and
// pictures that tests read come from this program's own resources.
#include <gtest/gtest.h>
#include <windows.h>

#include "fw/Application.h"
#include "fw/Bitmap.h"
#include "fw/Layout.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  fw::RegisterResourceModule(fw::ThisModule());
  fw::Application().SetTitle("framework_tests");
  return RUN_ALL_TESTS();
}
