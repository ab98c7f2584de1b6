#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <string>

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
        HWND picture = nullptr;
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (GetWindowLongA(child, GWL_STYLE) & SS_BITMAP) picture = child;
        }
        HBITMAP image = reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
        GetObjectA(image, sizeof logo, &logo);
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
