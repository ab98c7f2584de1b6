#include "platform/clipboard.h"

#include <cstring>

namespace {
// The text as UTF-16 in a block the clipboard may own, or null.
HGLOBAL unicodeBlock(const std::string& text) {
    const int units = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (units < 0 || (units == 0 && !text.empty())) return nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (static_cast<SIZE_T>(units) + 1) * sizeof(wchar_t));
    if (!block) return nullptr;
    auto* wide = static_cast<wchar_t*>(GlobalLock(block));
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide, units);
    wide[units] = L'\0';
    GlobalUnlock(block);
    return block;
}
}  // namespace

bool copyTextToClipboard(HWND owner, const std::string& text) {
    HGLOBAL block = unicodeBlock(text);
    if (!block) return false;
    if (!OpenClipboard(owner)) {
        GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    const bool placed = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    CloseClipboard();
    if (!placed) GlobalFree(block);  // still ours when the clipboard refused it
    return placed;
}
