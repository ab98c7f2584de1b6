#include "app/about_help.h"

#include <shellapi.h>

#include <string>

#include "res/resource.h"

const char homePageAddress[] = "https://horalet.org/";
const char userManualFile[] = "Horalet.chm";

namespace {
// Each line of the box is one short string resource.
constexpr int creditCapacity = 100;

// An empty text when the string is missing, so the static does not keep
// its template placeholder.
std::string loadString(HINSTANCE instance, int id) {
    char text[creditCapacity] = {};
    LoadStringA(instance, id, text, creditCapacity);
    return text;
}

void fillAboutBox(HWND dialog, const AppState& app) {
    SetDlgItemTextA(dialog, IDC_ABOUT_CREDIT_PROGRAMMER, loadString(app.hInstance, IDS_CREDIT_PROGRAMMER).c_str());
    SetDlgItemTextA(dialog, IDC_ABOUT_CREDIT_SECOND, loadString(app.hInstance, IDS_CREDIT_SECOND).c_str());
    const std::string version = std::string(app.title) + " version " + loadString(app.hInstance, IDS_VERSION);
    SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, version.c_str());
}

int openWithShell(const AppState& app, const char* target) {
    HINSTANCE answer = ShellExecuteA(app.hwndMain, "open", target, nullptr, nullptr, SW_SHOWNORMAL);
    return static_cast<int>(reinterpret_cast<INT_PTR>(answer));
}
}  // namespace

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            fillAboutBox(dialog, *reinterpret_cast<const AppState*>(lParam));
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
    }
    return FALSE;
}

void runAboutBox(const AppState& app) {
    DialogBoxParamA(app.hInstance, MAKEINTRESOURCEA(IDD_ABOUT), app.hwndMain, AboutDialogProc,
                    reinterpret_cast<LPARAM>(&app));
}

int openUserManual(const AppState& app) { return openWithShell(app, userManualFile); }
int openHomePage(const AppState& app) { return openWithShell(app, homePageAddress); }
