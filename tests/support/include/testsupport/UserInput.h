#pragma once
// A person at the virtual display: keys pressed and the pointer moved and
// clicked through SendInput, so that the system routes them as it routes a
// user's (to the focused window, the window under the pointer, a menu that
// is open). Programs that use it are registered as REAL_INPUT.
#include <windows.h>

#include <initializer_list>
#include <string_view>

#include "fw/ListBox.h"

namespace testsupport {

// Presses the keys in order and lets them go in reverse order: {VK_SHIFT,
// VK_TAB} is Shift+Tab.
void PressKeys(std::initializer_list<WORD> keys);
// Types UTF-8 text as a keyboard with every character on
// it would ('\b' is the backspace key): what the window gets is what a
// person's typing gives it, characters made by the system from key presses.
void TypeText(std::string_view text);
// Moves the pointer to a point of a window's client area.
void MovePointer(HWND window, POINT client);
// A click of the left (or right) button where the pointer is.
void ClickPointer(bool right = false);
// The left button pressed or let go on its own, for a drag between the two.
void PointerButton(bool down);
// A click on a list item with the pointer, after scrolling the list (as a
// person would) until the item shows; twice: a double click.
void ClickListItem(fw::TCustomListBox& list, int index, bool twice = false);

}  // namespace testsupport
