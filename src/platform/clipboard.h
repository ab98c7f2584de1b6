#pragma once
#include <windows.h>

#include <string>

// Puts UTF-8 text on the clipboard as Unicode text, which every program
// pastes with its names intact; false when the clipboard could not be had.
bool copyTextToClipboard(HWND owner, const std::string& text);
