#pragma once
// Lets the windows of the test's thread handle what is queued for them: the
// posted input, the notices and the painting a step of a test caused.
#include "fw/Application.h"

namespace testsupport {

inline void Pump() { fw::Application().ProcessMessages(); }

}  // namespace testsupport
