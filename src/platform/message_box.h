#pragma once
#include <windows.h>

#include <functional>

// Every message box of the program goes through here, so that tests can
// answer them without a person at the screen.
int showMessage(HWND owner, const char* text, const char* caption, UINT style);

// Tests install a responder that returns the button "pressed" (IDOK, IDYES,
// IDNO...) instead of showing the box; an empty function restores real boxes.
using MessageResponder = std::function<int(HWND owner, const char* text, const char* caption, UINT style)>;
void setMessageResponder(MessageResponder responder);
