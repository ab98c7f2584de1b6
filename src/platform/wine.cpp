#include "platform/wine.h"

#include <windows.h>

bool runningUnderWine() {
    // Wine's ntdll exports its version; no Windows one does.
    static const bool wine = [] {
        HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return wine;
}
