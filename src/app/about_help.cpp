#include "app/about_help.h"

#include <shellapi.h>

#include <string>

#include "platform/bitmap_for_dpi.h"
#include "platform/dpi.h"
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

// The logo is drawn for 100, 150 and 200 %.
const int logoBitmaps[] = {IDB_LOGO, IDB_LOGO_150, IDB_LOGO_200};
const int logoDpis[] = {96, 144, 192};
const PictureRenditions logo = {logoBitmaps, logoDpis, 3, {203, 61}};

HWND logoControl(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) return child;
    }
    return nullptr;
}

// The picture control sizes itself to the bitmap and leaves the one it
// replaces, and the last one at the end, to the program.
void setLogo(HWND dialog, HBITMAP bitmap) {
    HWND control = logoControl(dialog);
    if (!control) {
        if (bitmap) DeleteObject(bitmap);
        return;
    }
    auto previous = reinterpret_cast<HBITMAP>(
        SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    if (previous && previous != bitmap) DeleteObject(previous);
}

void showLogoForDpi(HWND dialog, int dpi) {
    auto resources = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
    if (HBITMAP bitmap = loadPictureForDpi(resources, logo, dpi)) setLogo(dialog, bitmap);
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
            showLogoForDpi(dialog, windowDpi(dialog));
            return TRUE;
        case WM_DPICHANGED:
            // Moved to a monitor of another scale: the dialog manager lays
            // the box out again, the logo is the program's own to replace.
            if (LOWORD(wParam) > 0) showLogoForDpi(dialog, LOWORD(wParam));
            return FALSE;
        case WM_DESTROY:
            setLogo(dialog, nullptr);
            return FALSE;
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
