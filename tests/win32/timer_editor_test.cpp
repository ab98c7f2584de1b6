#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "editor/timer_editor_dialog.h"
#include "platform/list_view_control.h"
#include "platform/message_box.h"
#include "res/resource.h"
#include "temp_folder.h"
#include "timers/timer_table.h"
#include "window_fixture.h"

namespace {
// ---- Driving a modal dialog from inside its own message loop ----

using DialogScript = std::function<void(HWND dialog)>;

struct PendingScript {
    std::string caption;  // the dialog to wait for
    DialogScript script;
    UINT_PTR timer = 0;
    DWORD started = 0;
    bool ran = false;
};
std::vector<PendingScript*> pendingScripts;

struct FindRequest {
    const char* caption;
    HWND found;
};

BOOL CALLBACK matchShownDialog(HWND window, LPARAM lParam) {
    auto* request = reinterpret_cast<FindRequest*>(lParam);
    char className[32] = {}, caption[128] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, caption, sizeof caption);
    if (IsWindowVisible(window) && std::strcmp(className, "#32770") == 0 &&
        (!*request->caption || std::strcmp(caption, request->caption) == 0)) {
        request->found = window;
        return FALSE;
    }
    return TRUE;
}

// A visible dialog of this thread with that caption (any dialog for "").
HWND findShownDialog(const char* caption) {
    FindRequest request = {caption, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), matchShownDialog, reinterpret_cast<LPARAM>(&request));
    return request.found;
}

void CALLBACK runPendingScripts(HWND, UINT, UINT_PTR timer, DWORD) {
    for (PendingScript* pending : pendingScripts) {
        if (pending->timer != timer || pending->ran) continue;
        HWND dialog = findShownDialog(pending->caption.c_str());
        if (!dialog) {
            if (GetTickCount() - pending->started > 10000) {
                // Never let a lost dialog hang the test run.
                KillTimer(nullptr, timer);
                if (HWND stray = findShownDialog("")) PostMessageA(stray, WM_COMMAND, IDCANCEL, 0);
            }
            return;
        }
        pending->ran = true;
        KillTimer(nullptr, timer);
        pending->script(dialog);
        // A script that leaves its dialog open gets it closed, so the test goes on.
        if (IsWindowVisible(dialog)) SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
}

// Runs `script` on the dialog captioned `caption` once it is on screen, while
// `openDialog` blocks in it. Returns whether the dialog ever showed.
bool whileDialogRuns(const char* caption, const DialogScript& script, const std::function<void()>& openDialog) {
    PendingScript pending;
    pending.caption = caption;
    pending.script = script;
    pending.started = GetTickCount();
    pending.timer = SetTimer(nullptr, 0, 30, runPendingScripts);
    pendingScripts.push_back(&pending);
    openDialog();
    if (!pending.ran) KillTimer(nullptr, pending.timer);
    pendingScripts.pop_back();
    return pending.ran;
}

void click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
void setText(HWND dialog, int id, const char* text) { SetDlgItemTextA(dialog, id, text); }
std::string textOf(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}
std::string textOf(HWND dialog, int id) { return textOf(GetDlgItem(dialog, id)); }
bool checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
bool enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
void typeInto(HWND dialog, int id, const char* keys) {
    for (const char* key = keys; *key; ++key) SendDlgItemMessageA(dialog, id, WM_CHAR, *key, 0);
}

// ---- The dialog template as the resource holds it ----

struct TemplateItem {
    int id;
    std::string className;
    std::string text;
    int x, y, w, h;
    DWORD style;
};

struct DialogTemplate {
    DWORD style = 0;
    int w = 0, h = 0;
    std::string caption;
    int pointSize = 0;
    std::string face;
    std::vector<TemplateItem> items;
};

class TemplateReader {
public:
    explicit TemplateReader(const BYTE* data) : at_(data) {}
    WORD word() {
        WORD value;
        std::memcpy(&value, at_, 2);
        at_ += 2;
        return value;
    }
    DWORD dword() {
        DWORD value;
        std::memcpy(&value, at_, 4);
        at_ += 4;
        return value;
    }
    short shortValue() { return static_cast<short>(word()); }
    BYTE byte() { return *at_++; }
    std::string wideText() {
        std::string text;
        for (WORD c = word(); c != 0; c = word()) text += static_cast<char>(c);
        return text;
    }
    // A name or an ordinal; ordinals of the predefined classes become their names.
    std::string nameOrOrdinal() {
        WORD first;
        std::memcpy(&first, at_, 2);
        if (first == 0) {
            at_ += 2;
            return "";
        }
        if (first != 0xFFFF) return wideText();
        at_ += 2;
        WORD ordinal = word();
        const char* classes[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
        if (ordinal >= 0x80 && ordinal <= 0x85) return classes[ordinal - 0x80];
        return "#" + std::to_string(ordinal);
    }
    void alignToDword(const BYTE* base) {
        while ((at_ - base) % 4) ++at_;
    }
    const BYTE* position() const { return at_; }
    void skip(int bytes) { at_ += bytes; }

private:
    const BYTE* at_;
};

DialogTemplate loadEditorTemplate() {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_TIMER_EDITOR), MAKEINTRESOURCEA(5));  // RT_DIALOG
    if (!found) return {};
    const BYTE* base = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    TemplateReader in(base);
    DialogTemplate dialog;
    if (in.word() != 1 || in.word() != 0xFFFF) return {};  // DLGTEMPLATEEX only
    in.dword();                                          // help id
    in.dword();                                          // extended style
    dialog.style = in.dword();
    int count = in.word();
    in.shortValue();
    in.shortValue();
    dialog.w = in.shortValue();
    dialog.h = in.shortValue();
    in.nameOrOrdinal();  // menu
    in.nameOrOrdinal();  // class
    dialog.caption = in.wideText();
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = in.word();
        in.word();
        in.byte();
        in.byte();
        dialog.face = in.wideText();
    }
    for (int i = 0; i < count; ++i) {
        in.alignToDword(base);
        TemplateItem item;
        in.dword();  // help id
        in.dword();  // extended style
        item.style = in.dword();
        item.x = in.shortValue();
        item.y = in.shortValue();
        item.w = in.shortValue();
        item.h = in.shortValue();
        item.id = static_cast<int>(in.dword());
        item.className = in.nameOrOrdinal();
        item.text = in.nameOrOrdinal();
        in.skip(in.word());
        dialog.items.push_back(item);
    }
    return dialog;
}

// ---- The editor over a real timer list ----

struct ShownMessage {
    HWND owner;
    HWND ownersOwner;
    std::string text;
    std::string caption;
    UINT style;
};

TimerRecord finishedTimer() {
    TimerRecord r;
    r.state = Finished;
    r.timeCurrent = {0, 10, 0};
    r.timeSet = {0, 10, 0};
    std::strcpy(r.description, "Oven");
    std::strcpy(r.fileName, "bell.wav");
    r.limit = 1;
    std::strcpy(r.unit, "H");
    r.coastInt = 7;
    r.forValue = 2;
    return r;
}

class TimerEditorTest : public ::testing::Test {
protected:
    ListViewWindow window;
    ListViewControl list{window.list()};
    TimerTable table{list};
    AppState app = window.appState();
    std::vector<ShownMessage> messages;

    void SetUp() override {
        setMessageResponder([this](HWND owner, const char* text, const char* caption, UINT style) {
            messages.push_back({owner, GetWindow(owner, GW_OWNER), text, caption, style});
            return IDOK;
        });
    }
    void TearDown() override { setMessageResponder(nullptr); }

    bool add(const DialogScript& script) {
        return whileDialogRuns("Add timer", script, [this] { runTimerEditor(app, true); });
    }
    bool edit(const DialogScript& script) {
        return whileDialogRuns("Edit timer", script, [this] { runTimerEditor(app, false); });
    }
    // Whether the editor showed at all, whatever its caption: a refused one
    // that showed would still have its template's.
    bool editorShows(bool addMode) {
        return whileDialogRuns("", [](HWND) { ADD_FAILURE() << "the editor was shown"; },
                               [&] { runTimerEditor(app, addMode); });
    }
    void fill(int rows) {
        for (int i = 0; i < rows; ++i) table.writeTimerRow(-1, finishedTimer());
    }
};
}  // namespace

TEST(TimerEditorTemplate, ControlsSitInTabOrderWithTheirStyles) {
    DialogTemplate dialog = loadEditorTemplate();
    const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SHELLFONT;
    EXPECT_EQ(dialog.style & frame, frame);
    EXPECT_EQ(dialog.style & WS_VISIBLE, 0u);
    EXPECT_EQ(dialog.w, 348);
    EXPECT_EQ(dialog.h, 234);  // 14 more for the repeat box under the wave file
    EXPECT_EQ(dialog.caption, "Dialog");
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.face, "MS Shell Dlg");

    struct Expected {
        int id;
        const char* className;
        const char* text;
        int x, y, w, h;
    };
    const Expected layout[] = {
        {1007, "Edit", "", 73, 7, 172, 14},
        // 79 wide in the first layout, which cut the label's last character at 125 %.
        {1021, "Button", "Limit (count to down)", 7, 28, 86, 9},
        {1020, "Button", "Pause", 97, 28, 58, 9},
        {1003, "Edit", "", 73, 52, 29, 12},
        {1004, "Edit", "", 73, 67, 29, 12},
        {1005, "Edit", "", 73, 82, 29, 12},
        {1015, "Button", "Off", 164, 55, 107, 10},
        {1016, "Button", "Next", 164, 68, 103, 10},
        {1017, "Button", "Top", 164, 82, 103, 10},
        {1008, "Button", "Play wave file:", 13, 117, 58, 10},
        {1009, "Button", "Run program:", 13, 147, 58, 10},
        {1010, "Edit", "", 73, 114, 172, 14},
        {3, "Button", "...", 248, 114, 27, 14},
        {1042, "Button", "Repeat the sound until I look", 73, 131, 172, 10},
        {1011, "Edit", "", 73, 145, 172, 14},
        {4, "Button", "...", 248, 144, 27, 14},
        {1018, "Edit", "", 73, 162, 172, 14},
        {1006, "Edit", "", 41, 207, 29, 12},
        {1040, "Static", ".", 73, 209, 8, 8},
        {1023, "Edit", "", 157, 207, 29, 12},
        {1037, "ComboBox", "", 219, 207, 56, 46},
        {1, "Button", "OK", 291, 7, 50, 14},
        {2, "Button", "Cancel", 291, 24, 50, 14},
        {1033, "Static", "Hours:", 23, 55, 27, 8},
        {1034, "Static", "Minutes:", 23, 69, 27, 8},
        {1012, "Static", "Parameters:", 23, 165, 46, 8},
        {-1, "Static", "Description:", 7, 10, 39, 8},
        {1041, "Button", "Action", 7, 103, 274, 81},
        {1035, "Static", "Seconds:", 23, 83, 27, 8},
        {1032, "Button", "Run another timer", 148, 42, 133, 56},
        {1013, "msctls_updown32", "", 291, 63, 11, 15},
        {1014, "msctls_updown32", "", 303, 63, 11, 15},
        {1019, "msctls_updown32", "", 319, 63, 11, 15},
        {1031, "Button", "Time set", 7, 42, 133, 56},
        {1039, "Static", "Coast:", 13, 209, 27, 8},
        {1038, "Static", "Unit:", 199, 209, 19, 8},
        {1036, "Button", "Sum for service", 7, 195, 274, 32},
        {1022, "Edit", "", 79, 207, 29, 12},
        {-1, "Static", "For value:", 120, 209, 34, 8},
    };
    ASSERT_EQ(dialog.items.size(), std::size(layout));
    for (std::size_t i = 0; i < dialog.items.size(); ++i) {
        const TemplateItem& item = dialog.items[i];
        const Expected& want = layout[i];
        SCOPED_TRACE("item " + std::to_string(i) + ", id " + std::to_string(want.id));
        EXPECT_EQ(static_cast<short>(item.id), want.id);
        EXPECT_EQ(lstrcmpiA(item.className.c_str(), want.className), 0) << item.className;
        EXPECT_EQ(item.text, want.text);
        EXPECT_EQ(item.x, want.x);
        EXPECT_EQ(item.y, want.y);
        EXPECT_EQ(item.w, want.w);
        EXPECT_EQ(item.h, want.h);
        EXPECT_TRUE(item.style & WS_VISIBLE);

        DWORD kind = item.style & 0x0F;
        bool digitEdit = item.id == 1003 || item.id == 1004 || item.id == 1005 || item.id == 1006 ||
                         item.id == 1022 || item.id == 1023;
        if (item.className == "Edit") {
            EXPECT_EQ(item.style & (WS_BORDER | WS_TABSTOP), DWORD(WS_BORDER | WS_TABSTOP));
            EXPECT_EQ((item.style & ES_NUMBER) != 0, digitEdit);
            EXPECT_EQ((item.style & ES_AUTOHSCROLL) != 0, !digitEdit);
        } else if (item.className == "msctls_updown32") {
            const DWORD spin = UDS_ARROWKEYS | UDS_ALIGNRIGHT | UDS_SETBUDDYINT;
            EXPECT_EQ(item.style & spin, spin);
            EXPECT_EQ(item.style & UDS_AUTOBUDDY, 0u);  // attached to their edits on opening
        } else if (item.className == "ComboBox") {
            EXPECT_EQ(item.style & 0x3, DWORD(CBS_DROPDOWNLIST));
            EXPECT_EQ(item.style & (WS_VSCROLL | WS_TABSTOP), DWORD(WS_VSCROLL | WS_TABSTOP));
            EXPECT_EQ(item.style & CBS_SORT, 0u);
        } else if (want.id == 1021 || want.id == 1020 || want.id == 1042) {
            EXPECT_EQ(kind, DWORD(BS_AUTOCHECKBOX));
            EXPECT_TRUE(item.style & WS_TABSTOP);
        } else if ((want.id >= 1015 && want.id <= 1017) || want.id == 1008 || want.id == 1009) {
            EXPECT_EQ(kind, DWORD(BS_AUTORADIOBUTTON));
            EXPECT_EQ((item.style & WS_GROUP) != 0, want.id == 1015 || want.id == 1008);
        } else if (want.id == 1) {
            EXPECT_EQ(kind, DWORD(BS_DEFPUSHBUTTON));
        } else if (want.id == 3 || want.id == 4) {
            EXPECT_EQ(kind, DWORD(BS_PUSHBUTTON));
            EXPECT_TRUE(item.style & WS_TABSTOP);
        } else if (want.id == 1031 || want.id == 1032 || want.id == 1036 || want.id == 1041) {
            EXPECT_EQ(kind, DWORD(BS_GROUPBOX));
        }
    }
}

TEST_F(TimerEditorTest, AddShowsANewTimerAndOkStoresItRunning) {
    bool shown = add([](HWND editor) {
        EXPECT_EQ(textOf(editor), "Add timer");
        EXPECT_EQ(textOf(editor, IDC_EDITOR_HOURS), "0");
        EXPECT_EQ(textOf(editor, IDC_EDITOR_MINUTES), "0");
        EXPECT_EQ(textOf(editor, IDC_EDITOR_SECONDS), "0");
        EXPECT_EQ(textOf(editor, IDC_EDITOR_DESCRIPTION), "");
        EXPECT_TRUE(checked(editor, IDC_EDITOR_PLAY_WAVE));
        EXPECT_FALSE(checked(editor, IDC_EDITOR_RUN_PROGRAM));
        EXPECT_EQ(textOf(editor, IDC_EDITOR_WAVE_PATH), ".\\wave files\\reminder.wav");
        EXPECT_EQ(textOf(editor, IDC_EDITOR_PROGRAM_PATH), "");
        EXPECT_TRUE(checked(editor, IDC_EDITOR_CHAIN_OFF));
        EXPECT_FALSE(checked(editor, IDC_EDITOR_LIMIT));
        EXPECT_FALSE(checked(editor, IDC_EDITOR_PAUSE));
        EXPECT_EQ(textOf(editor, IDC_EDITOR_COAST_INT), "0");
        EXPECT_EQ(textOf(editor, IDC_EDITOR_COAST_FRAC), "");
        EXPECT_EQ(textOf(editor, IDC_EDITOR_FOR_VALUE), "0");

        HWND unit = GetDlgItem(editor, IDC_EDITOR_UNIT);
        ASSERT_EQ(SendMessageA(unit, CB_GETCOUNT, 0, 0), 3);
        const char* items[] = {"second", "minute", "hour"};
        for (int i = 0; i < 3; ++i) {
            char text[32] = {};
            SendMessageA(unit, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            EXPECT_STREQ(text, items[i]);
        }
        EXPECT_EQ(SendMessageA(unit, CB_GETCURSEL, 0, 0), 0);

        const struct { int spin, edit, most; } spins[] = {
            {IDC_EDITOR_HOURS_SPIN, IDC_EDITOR_HOURS, 99},
            {IDC_EDITOR_MINUTES_SPIN, IDC_EDITOR_MINUTES, 59},
            {IDC_EDITOR_SECONDS_SPIN, IDC_EDITOR_SECONDS, 59},
        };
        for (const auto& s : spins) {
            HWND spin = GetDlgItem(editor, s.spin);
            EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(spin, UDM_GETBUDDY, 0, 0)), GetDlgItem(editor, s.edit));
            int low = -1, high = -1;
            SendMessageA(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
            EXPECT_EQ(std::min(low, high), 0);
            EXPECT_EQ(std::max(low, high), s.most);
        }
        for (int id : {IDC_EDITOR_HOURS, IDC_EDITOR_MINUTES, IDC_EDITOR_SECONDS, IDC_EDITOR_COAST_FRAC,
                       IDC_EDITOR_FOR_VALUE}) {
            EXPECT_EQ(SendDlgItemMessageA(editor, id, EM_GETLIMITTEXT, 0, 0), 2) << id;
        }

        // Without a limit only the description, the boxes and the price are live.
        for (int id : {IDC_EDITOR_HOURS, IDC_EDITOR_HOURS_SPIN, IDC_EDITOR_CHAIN_OFF, IDC_EDITOR_PLAY_WAVE,
                       IDC_EDITOR_WAVE_PATH, IDC_EDITOR_BROWSE_WAVE, IDC_EDITOR_PARAMETERS}) {
            EXPECT_FALSE(enabled(editor, id)) << id;
        }
        for (int id : {IDC_EDITOR_DESCRIPTION, IDC_EDITOR_LIMIT, IDC_EDITOR_PAUSE, IDC_EDITOR_COAST_INT,
                       IDC_EDITOR_UNIT, IDOK, IDCANCEL}) {
            EXPECT_TRUE(enabled(editor, id)) << id;
        }
        click(editor, IDOK);
    });
    ASSERT_TRUE(shown);
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(table.rowCount(), 1);
    EXPECT_EQ(table.findSelectedRow(), 0) << "the clock shows the timer just added";
    TimerRecord stored = table.readTimerRow(0);
    EXPECT_EQ(stored.state, Running);
    EXPECT_EQ(stored.flags, skipTick);
    EXPECT_EQ(stored.limit, 0);
    EXPECT_EQ(stored.actionType, PlayWave);
    EXPECT_STREQ(stored.fileName, ".\\wave files\\reminder.wav");
    EXPECT_STREQ(stored.unit, "second");
    EXPECT_EQ(list.cellText(0, ColumnTimeCurrent), "00:00:00");
    EXPECT_EQ(list.cellText(0, ColumnTimeSet), "");
}

TEST_F(TimerEditorTest, ChoosingRunProgramKeepsOnlyTheProgram) {
    bool shown = add([](HWND editor) {
        click(editor, IDC_EDITOR_LIMIT);
        EXPECT_TRUE(enabled(editor, IDC_EDITOR_HOURS));
        EXPECT_TRUE(enabled(editor, IDC_EDITOR_WAVE_PATH));
        EXPECT_FALSE(enabled(editor, IDC_EDITOR_PROGRAM_PATH));
        EXPECT_TRUE(enabled(editor, IDC_EDITOR_REPEAT_SOUND));
        click(editor, IDC_EDITOR_REPEAT_SOUND);  // ticked, then greyed with the wave: the bit stays

        // The time edits take digits only, two of them.
        setText(editor, IDC_EDITOR_MINUTES, "");
        typeInto(editor, IDC_EDITOR_MINUTES, "1x23");
        EXPECT_EQ(textOf(editor, IDC_EDITOR_MINUTES), "12");

        click(editor, IDC_EDITOR_RUN_PROGRAM);
        EXPECT_FALSE(checked(editor, IDC_EDITOR_PLAY_WAVE));
        EXPECT_FALSE(enabled(editor, IDC_EDITOR_WAVE_PATH));
        EXPECT_FALSE(enabled(editor, IDC_EDITOR_BROWSE_WAVE));
        EXPECT_FALSE(enabled(editor, IDC_EDITOR_REPEAT_SOUND));
        EXPECT_EQ(textOf(editor, IDC_EDITOR_WAVE_PATH), ".\\wave files\\reminder.wav");
        EXPECT_TRUE(enabled(editor, IDC_EDITOR_PROGRAM_PATH));
        EXPECT_TRUE(enabled(editor, IDC_EDITOR_BROWSE_PROGRAM));
        EXPECT_TRUE(enabled(editor, IDC_EDITOR_PARAMETERS_LABEL));
        EXPECT_TRUE(enabled(editor, IDC_EDITOR_PARAMETERS));

        setText(editor, IDC_EDITOR_DESCRIPTION, "Stretch");
        setText(editor, IDC_EDITOR_PROGRAM_PATH, "notepad.exe");
        setText(editor, IDC_EDITOR_PARAMETERS, "exercises.txt");
        click(editor, IDC_EDITOR_CHAIN_NEXT);
        EXPECT_FALSE(checked(editor, IDC_EDITOR_CHAIN_OFF));
        click(editor, IDC_EDITOR_PAUSE);
        SendDlgItemMessageA(editor, IDC_EDITOR_UNIT, CB_SETCURSEL, 1, 0);
        setText(editor, IDC_EDITOR_COAST_INT, "2");
        setText(editor, IDC_EDITOR_COAST_FRAC, "5");
        setText(editor, IDC_EDITOR_FOR_VALUE, "15");
        click(editor, IDOK);
    });
    ASSERT_TRUE(shown);
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(table.rowCount(), 1);
    TimerRecord stored = table.readTimerRow(0);
    EXPECT_STREQ(stored.description, "Stretch");
    EXPECT_EQ(stored.actionType, RunProgram);
    EXPECT_STREQ(stored.fileName, "notepad.exe");
    EXPECT_STREQ(stored.parameters, "exercises.txt");
    EXPECT_EQ(stored.runTimer, Next);
    EXPECT_EQ(stored.state, Paused);
    EXPECT_EQ(stored.flags, skipTick | repeatSound) << "the box's bit, which only a wave's finish heeds";
    EXPECT_EQ(stored.limit, 1);
    EXPECT_EQ(formatTimeText(stored.timeSet), "00:12:00");
    EXPECT_EQ(formatTimeText(stored.timeLeft), "00:12:00");
    EXPECT_STREQ(stored.unit, "minute");
    EXPECT_EQ(stored.coastInt, 2);
    EXPECT_STREQ(stored.coastFrac, "5");
    EXPECT_EQ(stored.forValue, 15);
}

TEST_F(TimerEditorTest, EditShowsTheSelectedRowAndRestartsIt) {
    fill(2);
    table.selectRow(1);
    bool shown = edit([](HWND editor) {
        EXPECT_EQ(textOf(editor, IDC_EDITOR_DESCRIPTION), "Oven");
        EXPECT_TRUE(checked(editor, IDC_EDITOR_PAUSE));  // finished shows as paused
        EXPECT_TRUE(checked(editor, IDC_EDITOR_LIMIT));
        EXPECT_EQ(textOf(editor, IDC_EDITOR_MINUTES), "10");
        EXPECT_EQ(textOf(editor, IDC_EDITOR_WAVE_PATH), "bell.wav");
        EXPECT_EQ(SendDlgItemMessageA(editor, IDC_EDITOR_UNIT, CB_GETCURSEL, 0, 0), 2);  // "H" is hour
        EXPECT_TRUE(enabled(editor, IDC_EDITOR_MINUTES));
        setText(editor, IDC_EDITOR_DESCRIPTION, "Oven, second batch");
        click(editor, IDOK);
    });
    ASSERT_TRUE(shown);
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(table.rowCount(), 2);
    TimerRecord stored = table.readTimerRow(1);
    EXPECT_STREQ(stored.description, "Oven, second batch");
    EXPECT_EQ(stored.state, Paused);
    EXPECT_EQ(list.rowImage(1), Paused);
    EXPECT_EQ(formatTimeText(stored.timeCurrent), "00:00:00");
    EXPECT_EQ(formatTimeText(stored.timeLeft), "00:10:00");
    EXPECT_STREQ(stored.unit, "hour");
    EXPECT_EQ(stored.flags, skipTick);
    EXPECT_STREQ(table.readTimerRow(0).description, "Oven");
    EXPECT_EQ(formatTimeText(table.readTimerRow(0).timeCurrent), "00:10:00");
}

TEST_F(TimerEditorTest, EditWithoutASelectedRowIsRefusedUnseen) {
    fill(2);
    list.selectRow(0);
    ListView_SetItemState(window.list(), 0, 0, LVIS_FOCUSED);  // selected but not focused
    EXPECT_FALSE(editorShows(false));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Please select an item.");
    EXPECT_EQ(messages[0].caption, "Horalet");
    EXPECT_EQ(messages[0].style & (MB_ICONMASK | MB_TYPEMASK), UINT(MB_OK));
    EXPECT_EQ(messages[0].ownersOwner, window.window());  // owned by the editor, itself owned by the main window
    EXPECT_EQ(table.rowCount(), 2);
}

TEST_F(TimerEditorTest, FullTableRefusesAddButStillEdits) {
    fill(maxTimers);
    EXPECT_FALSE(editorShows(true));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Limit is reached.");
    EXPECT_EQ(messages[0].style & MB_ICONMASK, UINT(MB_ICONERROR));
    EXPECT_EQ(table.rowCount(), maxTimers);

    table.selectRow(57);
    EXPECT_TRUE(edit([](HWND editor) {
        setText(editor, IDC_EDITOR_DESCRIPTION, "Last but not least");
        click(editor, IDOK);
    }));
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(table.rowCount(), maxTimers);
    EXPECT_STREQ(table.readTimerRow(57).description, "Last but not least");
}

TEST_F(TimerEditorTest, RefusedInputKeepsTheEditorOpenAndCancelStoresNothing) {
    fill(1);
    table.selectRow(0);
    bool shown = edit([this](HWND editor) {
        setText(editor, IDC_EDITOR_MINUTES, "0");
        click(editor, IDOK);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, "Please enter a time set.");
        EXPECT_EQ(messages[0].caption, "Horalet");
        EXPECT_EQ(messages[0].owner, editor);
        EXPECT_EQ(messages[0].style & MB_ICONMASK, UINT(MB_ICONEXCLAMATION));
        EXPECT_TRUE(IsWindowVisible(editor));

        click(editor, IDC_EDITOR_LIMIT);  // off: the time is checked all the same
        setText(editor, IDC_EDITOR_MINUTES, "60");
        click(editor, IDOK);
        ASSERT_EQ(messages.size(), 2u);
        EXPECT_EQ(messages[1].text, "Invalid time.\r\nFormat: hours 0..99, minutes 0..59, seconds 0..59.");
        EXPECT_EQ(messages[1].style & MB_ICONMASK, UINT(MB_ICONEXCLAMATION));

        setText(editor, IDC_EDITOR_MINUTES, "0");
        setText(editor, IDC_EDITOR_COAST_INT, "2147483648");
        setText(editor, IDC_EDITOR_FOR_VALUE, "1");
        click(editor, IDOK);
        ASSERT_EQ(messages.size(), 3u);
        EXPECT_EQ(messages[2].text, "Invalid coast.\r\nFormat: 0..2147483647.");
        EXPECT_EQ(messages[2].style & MB_ICONMASK, UINT(MB_ICONEXCLAMATION));
        EXPECT_EQ(messages[2].owner, editor);
        EXPECT_TRUE(IsWindowVisible(editor));
        EXPECT_EQ(textOf(editor, IDC_EDITOR_COAST_INT), "2147483648");  // left as the user typed it

        setText(editor, IDC_EDITOR_COAST_INT, "3");
        setText(editor, IDC_EDITOR_FOR_VALUE, "0");
        click(editor, IDOK);
        ASSERT_EQ(messages.size(), 4u);
        EXPECT_EQ(messages[3].text, "Invalid Value.\r\nFormat: 1..59.\r\nCorrect please or set coast to 0.");

        SendMessageA(editor, WM_CLOSE, 0, 0);  // the close box cancels
        pumpMessages();
        EXPECT_FALSE(IsWindowVisible(editor));
    });
    ASSERT_TRUE(shown);
    TimerRecord kept = table.readTimerRow(0);
    EXPECT_EQ(kept.limit, 1);
    EXPECT_EQ(kept.coastInt, 7);
    EXPECT_EQ(kept.state, Finished);
    EXPECT_EQ(formatTimeText(kept.timeCurrent), "00:10:00");
}

TEST_F(TimerEditorTest, BrowseFillsThePathAndLeavesTheCurrentFolder) {
    TempFolder folder;
    CreateDirectoryA("sounds", nullptr);
    writeWholeFile("sounds\\gong.wav", "RIFF");
    const std::string picked = folder.path() + "\\sounds\\gong.wav";
    std::string titleSeen;

    bool shown = add([&](HWND editor) {
        click(editor, IDC_EDITOR_LIMIT);
        // Cancelling the choice changes nothing.
        whileDialogRuns("Please select a wave file", [](HWND chooser) {
            SendMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
        }, [&] { click(editor, IDC_EDITOR_BROWSE_WAVE); });
        EXPECT_EQ(textOf(editor, IDC_EDITOR_WAVE_PATH), ".\\wave files\\reminder.wav");

        bool chose = whileDialogRuns("Please select a wave file", [&](HWND chooser) {
            titleSeen = textOf(chooser);
            EXPECT_EQ(textOf(chooser, 0x470), "Wave file (*.wav)");  // cmb1, the file types
            // cmb13 (0x47C) takes the file name in the system's open dialog.
            HWND nameBox = GetDlgItem(chooser, 0x47C);
            HWND nameEdit = reinterpret_cast<HWND>(SendMessageA(nameBox, CBEM_GETEDITCONTROL, 0, 0));
            SetWindowTextA(nameEdit ? nameEdit : nameBox, picked.c_str());
            SendMessageA(chooser, WM_COMMAND, IDOK, 0);
        }, [&] { click(editor, IDC_EDITOR_BROWSE_WAVE); });
        EXPECT_TRUE(chose);
        EXPECT_EQ(textOf(editor, IDC_EDITOR_WAVE_PATH), picked);

        click(editor, IDC_EDITOR_RUN_PROGRAM);
        EXPECT_TRUE(whileDialogRuns("Please select a program file", [](HWND chooser) {
            EXPECT_EQ(textOf(chooser, 0x470), "Execute file (*.exe)");
            SendMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
        }, [&] { click(editor, IDC_EDITOR_BROWSE_PROGRAM); }));
        EXPECT_EQ(textOf(editor, IDC_EDITOR_PROGRAM_PATH), "");
    });
    ASSERT_TRUE(shown);
    EXPECT_EQ(titleSeen, "Please select a wave file");
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof current, current);
    EXPECT_STREQ(current, folder.path().c_str());
}
