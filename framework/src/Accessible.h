#pragma once
// What screen readers see of a framework window. The system's own accessible
// object of the window answers for everything it knows; ours wraps it only
// to add what it cannot know: the name a label or the program gives a
// control, a role the framework class stands for, and the controls without
// a window, which it could never find, as children of their parent.
#include <windows.h>

namespace fw {

class TWinControl;
struct TMessage;

// Answers WM_GETOBJECT for the client area where the control has something
// to add; false leaves the message to the system's default.
bool AnswerAccessibleObject(TWinControl& control, TMessage& message);

// The message a window posts to itself when a screen reader presses one of
// its graphic children: the press happens after the reader's call returned,
// as a click would, so a button that opens a message box never holds the
// reader up. LParam is the child.
UINT AccessiblePressMessage();

}  // namespace fw
