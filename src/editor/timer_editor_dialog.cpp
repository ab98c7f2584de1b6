#include "editor/timer_editor_dialog.h"

#include <commctrl.h>
#include <commdlg.h>

#include <string>

#include "app/timer_list_commands.h"
#include "editor/editor_model.h"
#include "platform/list_view_control.h"
#include "platform/message_box.h"
#include "res/resource.h"

namespace {
// What one open editor keeps until it closes.
struct EditorSession {
    const AppState* app = nullptr;
    bool addMode = false;
    int row = -1;  // the edited row, in edit mode
};

// The creation parameter carries only the mode, so runTimerEditor leaves its
// session here for the WM_INITDIALOG that DialogBoxParamA sends before it
// returns; the dialog then keeps it in DWLP_USER.
EditorSession* openingSession = nullptr;

EditorSession* sessionOf(HWND dialog) {
    return reinterpret_cast<EditorSession*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

struct TextControl {
    int id;
    std::string EditorFields::*field;
};
const TextControl textControls[] = {
    {IDC_EDITOR_HOURS, &EditorFields::hours},
    {IDC_EDITOR_MINUTES, &EditorFields::minutes},
    {IDC_EDITOR_SECONDS, &EditorFields::seconds},
    {IDC_EDITOR_DESCRIPTION, &EditorFields::description},
    {IDC_EDITOR_WAVE_PATH, &EditorFields::wavePath},
    {IDC_EDITOR_PROGRAM_PATH, &EditorFields::programPath},
    {IDC_EDITOR_PARAMETERS, &EditorFields::parameters},
    {IDC_EDITOR_COAST_INT, &EditorFields::coastInt},
    {IDC_EDITOR_COAST_FRAC, &EditorFields::coastFrac},
    {IDC_EDITOR_FOR_VALUE, &EditorFields::forValue},
};

struct CheckControl {
    int id;
    bool EditorFields::*field;
};
const CheckControl checkControls[] = {
    {IDC_EDITOR_PLAY_WAVE, &EditorFields::playWave},
    {IDC_EDITOR_RUN_PROGRAM, &EditorFields::runProgram},
    {IDC_EDITOR_CHAIN_OFF, &EditorFields::chainOff},
    {IDC_EDITOR_CHAIN_NEXT, &EditorFields::chainNext},
    {IDC_EDITOR_CHAIN_TOP, &EditorFields::chainTop},
    {IDC_EDITOR_PAUSE, &EditorFields::pause},
    {IDC_EDITOR_REPEAT_SOUND, &EditorFields::repeatSound},
    {IDC_EDITOR_LIMIT, &EditorFields::limit},
};

const int twoDigitEdits[] = {IDC_EDITOR_COAST_FRAC, IDC_EDITOR_HOURS, IDC_EDITOR_MINUTES, IDC_EDITOR_SECONDS,
                             IDC_EDITOR_FOR_VALUE};

// The whole text, however long: the record's fields do the cutting.
std::string controlText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    int length = GetWindowTextLengthA(control);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(control, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

bool isChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

EditorFields readFields(HWND dialog) {
    EditorFields fields;
    for (const TextControl& control : textControls) fields.*control.field = controlText(dialog, control.id);
    for (const CheckControl& control : checkControls) fields.*control.field = isChecked(dialog, control.id);
    fields.unitItem = static_cast<int>(SendDlgItemMessageA(dialog, IDC_EDITOR_UNIT, CB_GETCURSEL, 0, 0));
    return fields;
}

void showFields(HWND dialog, const EditorFields& fields) {
    for (const TextControl& control : textControls) {
        SetDlgItemTextA(dialog, control.id, (fields.*control.field).c_str());
    }
    for (const CheckControl& control : checkControls) {
        CheckDlgButton(dialog, control.id, fields.*control.field ? BST_CHECKED : BST_UNCHECKED);
    }
    SendDlgItemMessageA(dialog, IDC_EDITOR_UNIT, CB_SETCURSEL, static_cast<WPARAM>(fields.unitItem), 0);
}

void report(HWND dialog, const AppState& app, EditorProblem problem) {
    UINT style = MB_OK | MB_ICONEXCLAMATION;  // the input checks of OK
    if (problem == EditorProblem::NothingSelected) style = MB_OK;
    if (problem == EditorProblem::TableFull) style = MB_OK | MB_ICONERROR;
    showMessage(dialog, editorProblemText(problem), app.title, style);
}

void attachSpin(HWND dialog, int spinId, int editId, short most) {
    HWND spin = GetDlgItem(dialog, spinId);
    SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(dialog, editId)), 0);
    SendMessageA(spin, UDM_SETRANGE, 0, MAKELPARAM(most, 0));  // the up arrow counts up
    SendMessageA(spin, UDM_SETPOS, 0, MAKELPARAM(0, 0));
}

void setUpControls(HWND dialog) {
    attachSpin(dialog, IDC_EDITOR_HOURS_SPIN, IDC_EDITOR_HOURS, 99);
    attachSpin(dialog, IDC_EDITOR_MINUTES_SPIN, IDC_EDITOR_MINUTES, 59);
    attachSpin(dialog, IDC_EDITOR_SECONDS_SPIN, IDC_EDITOR_SECONDS, 59);
    for (int item = 0; item < unitItemCount; ++item) {
        SendDlgItemMessageA(dialog, IDC_EDITOR_UNIT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(unitItemText(item)));
    }
    for (int id : twoDigitEdits) SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, 2, 0);
}

void recordToEditor(HWND dialog, TimerRecord record) { showFields(dialog, recordToFields(record)); }

TimerRecord editorToRecord(HWND dialog) { return fieldsToRecord(readFields(dialog)); }

void updateEditorEnabling(HWND dialog) {
    bool limit = isChecked(dialog, IDC_EDITOR_LIMIT);
    bool playWave = isChecked(dialog, IDC_EDITOR_PLAY_WAVE);
    for (const ControlEnabling& control : editorEnabling(limit, playWave)) {
        EnableWindow(GetDlgItem(dialog, control.controlId), control.enabled ? TRUE : FALSE);
    }
    InvalidateRect(dialog, nullptr, TRUE);
}

void onInitDialog(HWND dialog, EditorSession& session, bool addMode) {
    session.addMode = addMode;
    setUpControls(dialog);
    ListViewControl list(session.app->hwndList);
    TimerTable table(list);
    EditorOpening opening = openEditor(table, addMode);
    if (opening.problem != EditorProblem::None) {
        report(dialog, *session.app, opening.problem);
        EndDialog(dialog, 0);  // before the dialog is ever shown
        return;
    }
    session.row = opening.row;
    SetWindowTextA(dialog, addMode ? "Add timer" : "Edit timer");
    recordToEditor(dialog, opening.record);
    updateEditorEnabling(dialog);
}

void browseForFile(HWND dialog, const char* filter, const char* title, int pathId) {
    char path[MAX_PATH] = {};  // empty: the edit's current text is not offered
    OPENFILENAMEA choice = {};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = dialog;
    choice.lpstrFilter = filter;
    choice.lpstrFile = path;
    choice.nMaxFile = sizeof path;
    choice.lpstrTitle = title;
    // The program's own paths are relative to the current directory, so the
    // dialog must leave it where it was.
    choice.Flags = OFN_EXPLORER | OFN_LONGNAMES | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST |
                   OFN_NOCHANGEDIR;
    if (GetOpenFileNameA(&choice)) SetDlgItemTextA(dialog, pathId, path);
}

void onOk(HWND dialog, const EditorSession& session) {
    ListViewControl list(session.app->hwndList);
    TimerTable table(list);
    // An edit starts the timer over: its stretch ends with what it had.
    const TimerRecord before = session.addMode ? TimerRecord{} : table.readTimerRow(session.row);
    const TimerId id = session.addMode ? 0 : table.rowId(session.row);
    EditorProblem problem = storeEditedTimer(table, session.addMode ? -1 : session.row, editorToRecord(dialog));
    if (problem != EditorProblem::None) {
        report(dialog, *session.app, problem);
        return;
    }
    if (!session.addMode) endTimerRun(*session.app, id, before);
    if (session.addMode) {
        // The clock shows the new timer, not the one selected before.
        const int added = table.rowCount() - 1;
        table.selectRow(added);
        SendMessageA(session.app->hwndList, LVM_ENSUREVISIBLE, static_cast<WPARAM>(added), FALSE);
    }
    EndDialog(dialog, 0);
}

void onCommand(HWND dialog, const EditorSession& session, int command) {
    switch (command) {
    case IDOK:
        onOk(dialog, session);
        break;
    case IDCANCEL:
        EndDialog(dialog, 0);
        break;
    case IDC_EDITOR_BROWSE_WAVE:
        browseForFile(dialog, "Wave file (*.wav)\0*.wav\0", "Please select a wave file", IDC_EDITOR_WAVE_PATH);
        break;
    case IDC_EDITOR_BROWSE_PROGRAM:
        browseForFile(dialog, "Execute file (*.exe)\0*.exe\0", "Please select a program file",
                      IDC_EDITOR_PROGRAM_PATH);
        break;
    case IDC_EDITOR_PLAY_WAVE:
    case IDC_EDITOR_RUN_PROGRAM:
    case IDC_EDITOR_LIMIT:
        updateEditorEnabling(dialog);
        break;
    default:
        break;  // the other boxes and the edits count only when OK reads them
    }
}
}  // namespace

INT_PTR CALLBACK TimerEditorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        EditorSession* session = openingSession;
        openingSession = nullptr;
        if (!session) {
            EndDialog(dialog, 0);  // not opened by runTimerEditor: no table to work on
            return 0;
        }
        SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(session));
        onInitDialog(dialog, *session, lParam != 0);
        // The first thing a user types is the description; without this the
        // focus lands wherever the system puts it.
        SetFocus(GetDlgItem(dialog, IDC_EDITOR_DESCRIPTION));
        return 0;  // the focus is set: the dialog manager must not move it
    }
    case WM_COMMAND:
        if (EditorSession* session = sessionOf(dialog)) onCommand(dialog, *session, LOWORD(wParam));
        return 0;
    default:
        return 0;
    }
}

void runTimerEditor(const AppState& app, bool addMode) {
    EditorSession session;
    session.app = &app;
    openingSession = &session;
    DialogBoxParamA(app.hInstance, MAKEINTRESOURCEA(IDD_TIMER_EDITOR), app.hwndMain, TimerEditorDialogProc,
                    addMode ? 1 : 0);
    openingSession = nullptr;  // in case the dialog could not be created
}
