#include "app/timer_set_dialogs.h"

#include <cstring>
#include <string>

#include "app/timer_sets.h"
#include "platform/file_io.h"
#include "platform/list_view_control.h"
#include "platform/message_box.h"
#include "res/resource.h"
#include "sets/set_names.h"
#include "timers/timer_record.h"

namespace {
const char nothingToSaveNotice[] = "There are no items for save.";
const char emptyNameNotice[] = "Please enter file name.";
const char invalidNameNotice[] = "Invalid file name.";
const char overwriteQuestion[] = "Warning. File already exist. Overwrite?";
const char noFileSelectedNotice[] = "Please select a file.";
const char deleteFailedNotice[] = "Error of delete file";

const AppState& appOf(HWND dialog) {
    return *reinterpret_cast<const AppState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

const AppState& attachApp(HWND dialog, LPARAM lParam) {
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    return appOf(dialog);
}

int tell(HWND dialog, const char* text, UINT style) { return showMessage(dialog, text, appOf(dialog).title, style); }

INT_PTR runSetDialog(const AppState& app, int dialogId, DLGPROC procedure) {
    return DialogBoxParamA(app.hInstance, MAKEINTRESOURCEA(dialogId), app.hwndMain, procedure,
                           reinterpret_cast<LPARAM>(&app));
}

// --- "Enter file name" ---

INT_PTR onSaveInit(HWND dialog, LPARAM lParam) {
    const AppState& app = attachApp(dialog, lParam);
    if (ListViewControl(app.hwndList).rowCount() == 0) {
        tell(dialog, nothingToSaveNotice, MB_OK);
        EndDialog(dialog, 0);
        return FALSE;
    }
    return TRUE;
}

bool acceptName(HWND dialog, const char* name) {
    SetNameCheck check = checkSetName(name);
    // The path the writer really uses runs from the drive letter of the
    // current folder, which may be deep; a name that does not fit is refused
    // here, with the dialog open, rather than failing in the writer.
    if (check == SetNameCheck::Usable && !pathFitsForReplace(setPathForName(name).c_str())) {
        check = SetNameCheck::Invalid;
    }
    switch (check) {
        case SetNameCheck::Empty: tell(dialog, emptyNameNotice, MB_OK); return false;
        case SetNameCheck::Invalid: tell(dialog, invalidNameNotice, MB_OK | MB_ICONEXCLAMATION); return false;
        case SetNameCheck::Usable: return true;
    }
    return false;
}

void onSaveOk(HWND dialog) {
    char name[timerTextSize] = {};
    GetDlgItemTextA(dialog, IDC_SET_NAME, name, sizeof name);
    if (!acceptName(dialog, name)) return;
    // Usually there already; if it cannot be made, the writer's own error
    // tells the user that the save failed.
    CreateDirectoryA(setFolder, nullptr);
    const std::string path = setPathForName(name);
    if (fileExists(path.c_str()) &&
        tell(dialog, overwriteQuestion, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
        return;
    }
    saveTimerSet(path.c_str(), appOf(dialog));
    EndDialog(dialog, 0);
}

// --- "Load timers" ---

HWND setList(HWND dialog) { return GetDlgItem(dialog, IDC_SET_LIST); }

// Lists the sets with the one at `selected` selected (the last one when
// fewer are left), so that Enter always has a set to load.
void listSavedSets(HWND dialog, int selected) {
    HWND list = setList(dialog);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    SendMessageA(list, LB_DIR, DDL_READWRITE, reinterpret_cast<LPARAM>(setListPattern));
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    if (count > 0) SendMessageA(list, LB_SETCURSEL, selected < count ? selected : count - 1, 0);
}

bool hasSelection(HWND dialog) { return SendMessageA(setList(dialog), LB_GETCURSEL, 0, 0) != LB_ERR; }

// The path of the selected entry; empty when nothing is selected.
std::string selectedSetPath(HWND dialog) {
    HWND list = setList(dialog);
    const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return std::string();
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) return std::string();
    std::string fileName(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&fileName[0]));
    fileName.resize(std::strlen(fileName.c_str()));
    return setPathForListedFile(fileName.c_str());
}

void onLoadOk(HWND dialog) {
    const std::string path = selectedSetPath(dialog);
    if (!path.empty()) {
        loadTimerSet(path.c_str(), appOf(dialog), false);
        EndDialog(dialog, 0);
    } else if (SendMessageA(setList(dialog), LB_GETCOUNT, 0, 0) <= 0) {
        EndDialog(dialog, 0);
    } else {
        tell(dialog, noFileSelectedNotice, MB_OK);
    }
}

void onDeleteSet(HWND dialog) {
    const std::string path = selectedSetPath(dialog);
    if (path.empty()) return;
    if (!DeleteFileA(path.c_str())) {
        tell(dialog, deleteFailedNotice, MB_OK | MB_ICONERROR);
        return;
    }
    // The set after the deleted one takes its place, as in a file window.
    listSavedSets(dialog, static_cast<int>(SendMessageA(setList(dialog), LB_GETCURSEL, 0, 0)));
}

void onLoadCommand(HWND dialog, WPARAM wParam) {
    switch (LOWORD(wParam)) {
        case IDOK: onLoadOk(dialog); break;
        case IDCANCEL: EndDialog(dialog, 0); break;
        case IDC_SET_DELETE: onDeleteSet(dialog); break;
        case IDC_SET_LIST:
            if (HIWORD(wParam) == LBN_DBLCLK && hasSelection(dialog)) SendMessageA(dialog, WM_COMMAND, IDOK, 0);
            break;
    }
}
}  // namespace

bool fileExists(const char* path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

INT_PTR CALLBACK SaveSetDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: return onSaveInit(dialog, lParam);
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) onSaveOk(dialog);
            if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
            return 0;
    }
    return 0;
}

INT_PTR CALLBACK LoadSetDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            attachApp(dialog, lParam);
            listSavedSets(dialog, 0);
            return TRUE;
        case WM_COMMAND: onLoadCommand(dialog, wParam); return 0;
    }
    return 0;
}

void runSaveSetDialog(const AppState& app) { runSetDialog(app, IDD_SAVE_SET, SaveSetDialogProc); }
void runLoadSetDialog(const AppState& app) { runSetDialog(app, IDD_LOAD_SET, LoadSetDialogProc); }
