#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <string>
#include <utility>

#include "app/about_help.h"
#include "dialog_script.h"
#include "res/resource.h"
#include "temp_folder.h"
#include "window_fixture.h"

namespace {
class AboutBoxTest : public ::testing::Test {
protected:
    ListViewWindow window;
    AppState app = window.appState();
    DialogScript script;

    INT_PTR runAbout() {
        INT_PTR result = -1;
        script.run([&] {
            result = DialogBoxParamA(app.hInstance, MAKEINTRESOURCEA(IDD_ABOUT), app.hwndMain, AboutDialogProc,
                                     reinterpret_cast<LPARAM>(&app));
        });
        return result;
    }
};

HBITMAP shownLogo(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetWindowLongA(child, GWL_STYLE) & SS_BITMAP) {
            return reinterpret_cast<HBITMAP>(SendMessageA(child, STM_GETIMAGE, IMAGE_BITMAP, 0));
        }
    }
    return nullptr;
}

std::vector<BYTE> pixelsOf(HBITMAP bitmap) {
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    std::vector<BYTE> bits(static_cast<size_t>(info.bmWidthBytes) * info.bmHeight);
    GetBitmapBits(bitmap, static_cast<LONG>(bits.size()), bits.data());
    return bits;
}

std::string stringResource(int id) {
    char text[100] = {};
    LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return text;
}
}  // namespace

TEST_F(AboutBoxTest, ShowsTheVersionCreditsAndLogo) {
    std::string version, first, second;
    BITMAP logo = {};
    script.then([&](HWND dialog) {
        version = controlText(dialog, IDC_ABOUT_VERSION);
        first = controlText(dialog, IDC_ABOUT_CREDIT_PROGRAMMER);
        second = controlText(dialog, IDC_ABOUT_CREDIT_SECOND);
        GetObjectA(shownLogo(dialog), sizeof logo, &logo);
        clickButton(dialog, IDOK);
    });
    script.run([&] { runAboutBox(app); });

    EXPECT_EQ(version, "Horalet version 2.0");
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(first, stringResource(IDS_CREDIT_PROGRAMMER));
    EXPECT_FALSE(second.empty());
    EXPECT_EQ(second, stringResource(IDS_CREDIT_SECOND));
    EXPECT_EQ(logo.bmWidth, 203);
    EXPECT_EQ(logo.bmHeight, 61);
    EXPECT_FALSE(script.overran());
}

// Wine has one DPI and sends no WM_DPICHANGED; the test sends what Windows
// sends when the box is dragged to a monitor of another scale.
TEST_F(AboutBoxTest, TheLogoIsDrawnForEachDisplayScale) {
    // 100, 150 and 200 % show the picture drawn for them, pixel for pixel;
    // 125 % the one for 150 % made smaller.
    const std::pair<int, int> scales[] = {{144, IDB_LOGO_150}, {120, 0}, {192, IDB_LOGO_200}, {96, IDB_LOGO}};
    int seen = 0;
    script.then([&](HWND dialog) {
        for (auto [dpi, drawn] : scales) {
            RECT box;
            GetWindowRect(dialog, &box);
            SendMessageA(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&box));
            HBITMAP shown = shownLogo(dialog);
            BITMAP info = {};
            GetObjectA(shown, sizeof info, &info);
            EXPECT_EQ(info.bmWidth, MulDiv(203, dpi, 96)) << dpi;
            EXPECT_EQ(info.bmHeight, MulDiv(61, dpi, 96)) << dpi;
            if (drawn) {
                auto original = static_cast<HBITMAP>(LoadImageA(app.hInstance, MAKEINTRESOURCEA(drawn), IMAGE_BITMAP, 0, 0, 0));
                EXPECT_TRUE(pixelsOf(shown) == pixelsOf(original)) << "not the logo drawn for " << dpi << " DPI";
                DeleteObject(original);
            }
            ++seen;
        }
        clickButton(dialog, IDOK);
    });
    script.run([&] { runAboutBox(app); });
    EXPECT_EQ(seen, 4);
}

TEST_F(AboutBoxTest, TheVersionLineStartsWithTheTitleItIsGiven) {
    std::strcpy(app.title, "Timers");
    std::string version;
    script.then([&](HWND dialog) {
        version = controlText(dialog, IDC_ABOUT_VERSION);
        clickButton(dialog, IDOK);
    });
    script.run([&] { runAboutBox(app); });
    EXPECT_EQ(version, "Timers version 2.0");
}

TEST_F(AboutBoxTest, ClosesWithOkEnterEscAndTheCloseBoxOnly) {
    script.then([](HWND dialog) {
        // Clicks elsewhere in the box leave it open.
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_VERSION, STN_CLICKED), 0);
        SendMessageA(dialog, WM_COMMAND, IDM_ABOUT, 0);
    });
    script.then([](HWND dialog) { clickButton(dialog, IDOK); });
    EXPECT_EQ(runAbout(), IDOK);
    EXPECT_EQ(script.stepsRun(), 2);

    script = DialogScript();
    script.then([](HWND) { PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0); });
    EXPECT_EQ(runAbout(), IDOK);

    script = DialogScript();
    script.then([](HWND) { PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); });
    EXPECT_EQ(runAbout(), IDCANCEL);

    script = DialogScript();
    script.then([](HWND dialog) { SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(runAbout(), IDCANCEL);
    EXPECT_FALSE(script.overran());
}

TEST_F(AboutBoxTest, UserManualMissingFromTheCurrentFolderChangesNothing) {
    TempFolder folder;
    MessageScript messages;
    // The shell looked for the manual, in the current folder, and found none.
    EXPECT_EQ(openUserManual(app), SE_ERR_FNF);
    EXPECT_TRUE(messages.shown().empty());
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof current, current);
    EXPECT_EQ(folder.path(), current);
}
