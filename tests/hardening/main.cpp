// Tests run with real windows on the display Wine gives them; the glyphs
// come from this program's own resources.
#include <gtest/gtest.h>

#include "fw/Application.h"
#include "fw/Bitmap.h"
#include "fw/Layout.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  fw::RegisterResourceModule(fw::ThisModule());
  fw::Application().SetTitle("hardening_tests");
  return RUN_ALL_TESTS();
}
