#pragma once
// The child of the display test: this program, started with the switch, a
// report file and the name of an event to set once its dpi is fixed.
namespace moduletest {

inline constexpr char kDpiChildSwitch[] = "--dpi-child";
int RunDpiChild(const char* reportPath, const char* startedEvent);

}  // namespace moduletest
