// A small console tool the end-to-end scripts use to look into the running
// horalet.exe and poke it as a user's clicks would: read the timer list
// (across processes), the clock, the menus, and send commands.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "command/timer_command.h"
#include "row_frames.h"

namespace {
const int listId = 1002, clockId = 1000, progressId = 1001;
const UINT trayNotify = WM_USER + 1;

// Top-level dialogs are looked up by caption; the program's message boxes
// are dialogs too and carry the program title as their caption.
template <typename Accept>
HWND findTitled(const char* caption, Accept accept) {
    for (HWND window = FindWindowExA(nullptr, nullptr, "#32770", caption); window;
         window = FindWindowExA(nullptr, window, "#32770", caption)) {
        if (accept(window)) return window;
    }
    return nullptr;
}

// The refused editor exists for a moment without being shown; only a shown
// dialog counts as open.
bool holdsTimerList(HWND dialog) {
    char cls[64] = {};
    GetClassNameA(GetDlgItem(dialog, listId), cls, sizeof cls);
    return std::strcmp(cls, WC_LISTVIEWA) == 0;
}

HWND mainWindow() { return findTitled("Horalet", holdsTimerList); }

HWND messageBox() {
    return findTitled("Horalet", [](HWND window) { return IsWindowVisible(window) && !holdsTimerList(window); });
}

// "message" names the open message box, whichever process shows it: a box
// of another start of the program is not the program's active window.
HWND findDialog(const char* caption) {
    return std::strcmp(caption, "message") == 0 ? messageBox() : findTitled(caption, IsWindowVisible);
}

// GetWindowText gives only the creation text of another process's edit;
// WM_GETTEXT is carried across processes and asks the control itself.
std::string controlText(HWND control) {
    char text[1024] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        &copied);
    return text;
}

// Memory inside horalet.exe, for list-view messages whose structures must
// live in the list's own process.
class RemoteBlock {
public:
    RemoteBlock(HWND owner, SIZE_T size) : size_(size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(owner, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        address_ = process_ ? VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE) : nullptr;
    }
    ~RemoteBlock() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    bool ok() const { return address_ != nullptr; }
    char* at(SIZE_T offset) const { return static_cast<char*>(address_) + offset; }
    void write(SIZE_T offset, const void* data, SIZE_T size) { WriteProcessMemory(process_, at(offset), data, size, nullptr); }
    void read(SIZE_T offset, void* data, SIZE_T size) { ReadProcessMemory(process_, at(offset), data, size, nullptr); }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    SIZE_T size_;
};

std::string cellText(HWND list, RemoteBlock& block, int row, int column) {
    const SIZE_T textAt = sizeof(LVITEMA), textSize = 2048;
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = block.at(textAt);
    item.cchTextMax = textSize;
    block.write(0, &item, sizeof item);
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(block.at(0)));
    char text[textSize] = {};
    block.read(textAt, text, textSize - 1);
    return text;
}

int rowImage(HWND list, RemoteBlock& block, int row) {
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    block.write(0, &item, sizeof item);
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(block.at(0)));
    block.read(0, &item, sizeof item);
    return item.iImage;
}

// The main list: the image first (the selected row's marked *), then the
// fifteen columns; another list: its columns alone.
int printListRows(HWND list, int columns, bool withImage) {
    RemoteBlock block(list, 4096);
    if (!block.ok()) return 3;
    int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    int selected = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED | LVNI_SELECTED));
    for (int row = 0; row < rows; ++row) {
        if (withImage) std::printf("%s%d", row == selected ? "*" : "", rowImage(list, block, row));
        for (int column = 0; column < columns; ++column) {
            std::printf("%s%s", withImage || column > 0 ? "\t" : "", cellText(list, block, row, column).c_str());
        }
        std::printf("\n");
    }
    return 0;
}

int printRows(HWND main) { return printListRows(GetDlgItem(main, listId), 15, true); }

// The clipboard's Unicode text, as UTF-8 bytes.
int printClipboard() {
    if (!OpenClipboard(nullptr)) return 3;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const wchar_t* text = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    if (text) {
        std::string utf8(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr)), '\0');
        WideCharToMultiByte(CP_UTF8, 0, text, -1, &utf8[0], static_cast<int>(utf8.size()), nullptr, nullptr);
        std::fwrite(utf8.data(), 1, utf8.size() - 1, stdout);
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text ? 0 : 1;
}

int selectRow(HWND main, int row) {
    HWND list = GetDlgItem(main, listId);
    RemoteBlock block(list, sizeof(LVITEMA));
    LVITEMA item = {};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    block.write(0, &item, sizeof item);
    SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(block.at(0)));
    return 0;
}

// Play/Pause on every row, as a user selecting each row in turn would; the
// autosave list comes back paused, so this sets every timer running.
int startEveryTimer(HWND main) {
    const int rows = static_cast<int>(SendMessageA(GetDlgItem(main, listId), LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        selectRow(main, row);
        SendMessageA(main, WM_COMMAND, MAKEWPARAM(32773, 0), 0);
    }
    if (rows > 0) selectRow(main, 0);
    return 0;
}

int printControlTexts(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[64] = {};
        GetClassNameA(child, cls, sizeof cls);
        LRESULT checked = SendMessageA(child, BM_GETCHECK, 0, 0);
        std::printf("%d\t%s\t%s\t%s\t%s\n", GetDlgCtrlID(child), cls, IsWindowEnabled(child) ? "enabled" : "disabled",
                    checked == BST_CHECKED && std::strcmp(cls, "Button") == 0 ? "checked" : "-",
                    controlText(child).c_str());
    }
    return 0;
}

// The entries of a list box, the selected one marked with "*". Wine hands
// another process's LB_GETTEXTA the wide text unconverted, so the text is
// asked for wide and converted here.
int printListBox(HWND list) {
    if (!list) return 1;
    int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    int selected = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
    for (int entry = 0; entry < count; ++entry) {
        wchar_t wide[1024] = {};
        char text[4096] = {};
        if (SendMessageW(list, LB_GETTEXTLEN, entry, 0) < static_cast<LRESULT>(sizeof wide / sizeof *wide)) {
            SendMessageW(list, LB_GETTEXT, entry, reinterpret_cast<LPARAM>(wide));
        }
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
        std::printf("%s%s\n", entry == selected ? "*" : "", text);
    }
    return 0;
}

// The middle of a control in screen pixels, where a click lands on it.
int printCentre(HWND control) {
    RECT box;
    if (!control || !GetWindowRect(control, &box)) return 1;
    std::printf("%ld %ld\n", (box.left + box.right) / 2, (box.top + box.bottom) / 2);
    return 0;
}

// A rectangle in screen pixels, as the scripts crop screenshots by: left,
// top, width and height.
int printScreenRect(const RECT& box) {
    std::printf("%ld %ld %ld %ld\n", box.left, box.top, box.right - box.left, box.bottom - box.top);
    return 0;
}

int printWindowRect(HWND window) {
    RECT box;
    if (!window || !GetWindowRect(window, &box)) return 1;
    return printScreenRect(box);
}

// Where a window draws its content, without its frame or edge.
int printClientRect(HWND window) {
    RECT box;
    if (!window || !GetClientRect(window, &box)) return 1;
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&box), 2);
    return printScreenRect(box);
}

// Without a window manager Wine shows the notification area as a window of
// its own, which draws the icons in its client area.
int printTrayRect() { return printClientRect(FindWindowA("__winex11_standalone_tray", nullptr)); }

int usage() {
    std::fprintf(stderr,
                 "usage: horactl wait [seconds] | rows | clock | progress | visible | enabled |\n"
                 "       command ID | post-command ID | select ROW | start-all | menu-enabled ID | tray EVENT |\n"
                 "       dialog CAPTION | dialog-wait CAPTION [seconds] | set-text CAPTION ID TEXT |\n"
                 "       click CAPTION ID | close CAPTION | list-box CAPTION ID | centre CAPTION ID |\n"
                 "       message | message-wait [seconds] | active | active-wait NAME [seconds] |\n"
                 "       active-xwindow NAME [seconds] | row-centre ROW [COLUMN] | row-icon ROW |\n"
                 "       header-centre COLUMN | header-arrow COLUMN | open-boxes |\n"
                 "       tray-texts | column-widths | header-fits | window-rect NAME | client-rect CAPTION ID |\n"
                 "       tray-rect | frames SECONDS [PER-SECOND [BMP]] | serve\n");
    return 2;
}

template <typename Find>
HWND waitFor(Find find, double seconds) {
    for (int waited = 0; waited <= seconds * 10; ++waited) {
        if (HWND window = find()) return window;
        Sleep(100);
    }
    return nullptr;
}

HWND waitForDialog(const char* caption, double seconds) {
    return waitFor([&] { return findDialog(caption); }, seconds);
}

// The program's active window, and the control that has the keyboard focus;
// all its windows live on one thread.
HWND programActive(HWND* focus = nullptr) {
    HWND main = mainWindow();
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!main || !GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info)) return nullptr;
    if (focus) *focus = info.hwndFocus;
    return info.hwndActive;
}

// How the scripts name a window: "main", "message" (a message box) or the
// caption of another dialog.
std::string nameOf(HWND window) {
    if (!window) return "";
    if (window == mainWindow()) return "main";
    char caption[260] = {};
    GetWindowTextA(window, caption, sizeof caption);
    return std::strcmp(caption, "Horalet") == 0 ? "message" : caption;
}

int printActive() {
    HWND focus = nullptr;
    HWND active = programActive(&focus);
    if (!active) return 1;
    std::printf("%s\t%d\n", nameOf(active).c_str(), focus ? GetDlgCtrlID(focus) : 0);
    return 0;
}

// Waits until the named window is active, shown and takes input, so that
// keys sent next reach it and not the window it replaces.
HWND waitActive(const std::string& name, double seconds) {
    auto ready = [&]() -> HWND {
        HWND window = programActive();
        bool usable = window && IsWindowVisible(window) && IsWindowEnabled(window);
        return usable && nameOf(window) == name ? window : nullptr;
    };
    HWND active = waitFor(ready, seconds);
    if (!active) {
        std::fprintf(stderr, "horactl: \"%s\" is not active; \"%s\" is\n", name.c_str(),
                     nameOf(programActive()).c_str());
    }
    return active;
}

// Under Wine every top-level window is an X window of its own, whose id Wine
// keeps in this property; xdotool needs it to give that window the X
// keyboard focus.
int printActiveXWindow(const std::string& name, double seconds) {
    HWND active = waitActive(name, seconds);
    auto xWindow = reinterpret_cast<ULONG_PTR>(active ? GetPropA(active, "__wine_x11_whole_window") : nullptr);
    if (!xWindow) return 1;
    std::printf("%lu\n", static_cast<unsigned long>(xWindow));
    return 0;
}

// How many dialogs and message boxes of the program are on screen besides the
// main window.
int printOpenBoxes(HWND main) {
    struct Count {
        HWND main;
        int boxes;
    } count = {main, 0};
    EnumThreadWindows(
        GetWindowThreadProcessId(main, nullptr),
        [](HWND window, LPARAM param) -> BOOL {
            auto* count = reinterpret_cast<Count*>(param);
            char cls[16] = {};
            GetClassNameA(window, cls, sizeof cls);
            if (window != count->main && IsWindowVisible(window) && std::strcmp(cls, "#32770") == 0) ++count->boxes;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    std::printf("%d\n", count.boxes);
    return 0;
}

// What the notification area shows, one tooltip a line: "tip" or "balloon",
// whether it is on screen, and its text. The texts live in the shell's
// process, so they are asked for through memory there.
int printTrayTexts() {
    for (HWND tip = FindWindowExW(nullptr, nullptr, L"tooltips_class32", nullptr); tip;
         tip = FindWindowExW(nullptr, tip, L"tooltips_class32", nullptr)) {
        const SIZE_T textAt = sizeof(TTTOOLINFOW), textChars = 1024;
        RemoteBlock block(tip, textAt + textChars * sizeof(wchar_t));
        if (!block.ok()) return 3;
        const bool balloon = (GetWindowLongW(tip, GWL_STYLE) & TTS_BALLOON) != 0;
        const int tools = static_cast<int>(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
        for (int tool = 0; tool < tools; ++tool) {
            TTTOOLINFOW info = {};
            info.cbSize = sizeof info;
            block.write(0, &info, sizeof info);
            if (!SendMessageW(tip, TTM_ENUMTOOLSW, tool, reinterpret_cast<LPARAM>(block.at(0)))) continue;
            block.read(0, &info, sizeof info);
            info.lpszText = reinterpret_cast<wchar_t*>(block.at(textAt));
            block.write(0, &info, sizeof info);
            wchar_t none = 0;
            block.write(textAt, &none, sizeof none);
            SendMessageW(tip, TTM_GETTEXTW, textChars, reinterpret_cast<LPARAM>(block.at(0)));
            wchar_t wide[1024] = {};
            block.read(textAt, wide, sizeof wide - sizeof *wide);
            char text[4096] = {};
            WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, nullptr, nullptr);  // any language, as the program writes it
            std::printf("%s\t%s\t%s\n", balloon ? "balloon" : "tip", IsWindowVisible(tip) ? "shown" : "hidden", text);
        }
    }
    return 0;
}

// A part of a row's cell (LVIR_LABEL: its text, LVIR_ICON: the first cell's
// state icon) in screen pixels; 1 when there is no such row, 3 when the
// list's memory cannot be reached.
int rowPart(HWND main, int row, int part, RECT* box, int column = 0) {
    HWND list = GetDlgItem(main, listId);
    RemoteBlock block(list, sizeof(RECT));
    if (!block.ok()) return 3;
    RECT cell = {};
    cell.left = part;
    cell.top = column;
    block.write(0, &cell, sizeof cell);
    if (!SendMessageA(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(block.at(0)))) return 1;
    block.read(0, box, sizeof *box);
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(box), 2);
    return 0;
}

int printRowCentre(HWND main, int row, int column) {
    RECT cell;
    if (int failed = rowPart(main, row, LVIR_LABEL, &cell, column)) return failed;
    std::printf("%ld %ld\n", (cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    return 0;
}

// header-centre COLUMN: where a click on a column's header lands, and
// header-arrow COLUMN: "up", "down" or "none", the way its arrow points.
int headerItem(HWND main, int column, RECT* box, int* format) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(GetDlgItem(main, listId), LVM_GETHEADER, 0, 0));
    RemoteBlock block(header, sizeof(RECT) + sizeof(HDITEMA));
    if (!header || !block.ok()) return 3;
    if (!SendMessageA(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(block.at(0)))) return 1;
    block.read(0, box, sizeof *box);
    MapWindowPoints(header, nullptr, reinterpret_cast<POINT*>(box), 2);
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    block.write(sizeof(RECT), &item, sizeof item);
    if (!SendMessageA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(block.at(sizeof(RECT))))) return 1;
    block.read(sizeof(RECT), &item, sizeof item);
    *format = item.fmt;
    return 0;
}

int printHeader(HWND main, int column, bool arrow) {
    RECT box;
    int format = 0;
    if (int failed = headerItem(main, column, &box, &format)) return failed;
    if (!arrow) {
        std::printf("%ld %ld\n", (box.left + box.right) / 2, (box.top + box.bottom) / 2);
    } else {
        std::printf("%s\n", format & HDF_SORTUP ? "up" : format & HDF_SORTDOWN ? "down" : "none");
    }
    return 0;
}

int printRowIcon(HWND main, int row) {
    RECT icon;
    if (int failed = rowPart(main, row, LVIR_ICON, &icon)) return failed;
    return printScreenRect(icon);
}

// The list's column widths, tab-separated. A hidden column reads 0, so a
// list that gives no answer must not pass for one: that is an error (3).
int printColumnWidths(HWND main) {
    HWND list = GetDlgItem(main, listId);
    auto header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    DWORD_PTR columns = 0;
    if (!header || !SendMessageTimeoutA(header, HDM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &columns) ||
        columns == 0) {
        return 3;
    }
    for (DWORD_PTR column = 0; column < columns; ++column) {
        DWORD_PTR width = 0;
        if (!SendMessageTimeoutA(list, LVM_GETCOLUMNWIDTH, column, 0, SMTO_ABORTIFHUNG, 5000, &width)) return 3;
        std::printf("%s%d", column ? "\t" : "", static_cast<int>(width));
    }
    std::printf("\n");
    return 0;
}

// The width each column needs to show its header whole, tab-separated: the
// header's text measured by the list in its font (which it hands on to its
// header), and the header's margin on either side.
int printHeaderFits(HWND main) {
    HWND list = GetDlgItem(main, listId);
    auto header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    const int columns = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    const int margin = static_cast<int>(SendMessageA(header, HDM_GETBITMAPMARGIN, 0, 0));
    const SIZE_T textAt = sizeof(LVCOLUMNA), textSize = 256;
    RemoteBlock block(list, textAt + textSize);
    if (!block.ok() || columns <= 0) return 3;
    for (int column = 0; column < columns; ++column) {
        LVCOLUMNA info = {};
        info.mask = LVCF_TEXT;
        info.pszText = block.at(textAt);
        info.cchTextMax = textSize;
        block.write(0, &info, sizeof info);
        if (!SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(block.at(0)))) return 3;
        const auto width = SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(block.at(textAt)));
        std::printf("%s%d", column ? "\t" : "", static_cast<int>(width) + 2 * margin);
    }
    std::printf("\n");
    return 0;
}

// The time cells (columns 0 and 1, without the image) of the rows in view,
// in screen pixels.
std::vector<RECT> timeCellsInView(HWND main) {
    std::vector<RECT> cells;
    HWND list = GetDlgItem(main, listId);
    RemoteBlock block(list, sizeof(RECT));
    if (!block.ok()) return cells;
    const int top = static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
    const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    const int end = std::min(rows, top + static_cast<int>(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0)));
    for (int row = top; row < end; ++row) {
        RECT label = {}, timeLeft = {};
        label.left = LVIR_LABEL;
        block.write(0, &label, sizeof label);
        SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(block.at(0)));
        block.read(0, &label, sizeof label);
        timeLeft.top = 1;
        timeLeft.left = LVIR_BOUNDS;
        block.write(0, &timeLeft, sizeof timeLeft);
        SendMessageA(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(block.at(0)));
        block.read(0, &timeLeft, sizeof timeLeft);
        RECT cell = {label.left, label.top, timeLeft.right, label.bottom};
        MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&cell), 2);
        cells.push_back(cell);
    }
    return cells;
}
}  // namespace

namespace {
const int notThisVerb = -1;

// One request: the verb and its arguments, as on a command line.
class Call {
public:
    explicit Call(std::vector<std::string> words) : words_(std::move(words)) {}
    const std::string& verb() const { return words_[0]; }
    const char* text(std::size_t i) const { return i < words_.size() ? words_[i].c_str() : ""; }
    int number(std::size_t i) const { return std::atoi(text(i)); }
    double seconds(std::size_t i, double fallback) const { return i < words_.size() ? std::atof(text(i)) : fallback; }

private:
    std::vector<std::string> words_;
};

// start-together COUNT ENDING FOLDER EXE WORDS...: starts COUNT programs
// "EXE WORDS N" (N from 1) in FOLDER, all held until the last is created and
// then let go at once, as close together as starts can be; waits (up to
// 60 s) until ENDING of them have ended and prints "N CODE" for each of those.
int startTogether(const Call& call) {
    const int count = call.number(1), ending = call.number(2);
    std::vector<PROCESS_INFORMATION> started;
    for (int n = 1; n <= count; ++n) {
        std::string line = std::string("\"") + call.text(4) + "\"";
        for (std::size_t word = 5; call.text(word)[0]; ++word) line += std::string(" \"") + call.text(word) + "\"";
        line += " " + std::to_string(n);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, call.text(3),
                            &startup, &process)) {
            return 3;
        }
        started.push_back(process);
    }
    for (const PROCESS_INFORMATION& process : started) ResumeThread(process.hThread);
    std::vector<bool> reported(started.size(), false);
    int ended = 0;
    for (const ULONGLONG until = GetTickCount64() + 60000; ended < ending && GetTickCount64() < until; Sleep(50)) {
        for (std::size_t i = 0; i < started.size(); ++i) {
            DWORD code = STILL_ACTIVE;
            if (reported[i] || WaitForSingleObject(started[i].hProcess, 0) != WAIT_OBJECT_0) continue;
            GetExitCodeProcess(started[i].hProcess, &code);
            std::printf("%d %lu\n", static_cast<int>(i + 1), code);
            reported[i] = true;
            ++ended;
        }
    }
    for (const PROCESS_INFORMATION& process : started) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    return ended < ending ? 1 : 0;
}

// Verbs about windows other than the main one, or about waiting for it.
int runWindowVerb(const Call& call) {
    const std::string& verb = call.verb();
    if (verb == "wait") return waitFor(mainWindow, call.seconds(1, 20)) ? 0 : 1;
    if (verb == "start-together") return startTogether(call);
    if (verb == "message" || verb == "message-wait") {
        HWND box = verb == "message" ? messageBox() : waitFor(messageBox, call.seconds(1, 10));
        return box ? printControlTexts(box) : 1;
    }
    if (verb == "active") return printActive();
    if (verb == "clipboard") return printClipboard();
    if (verb == "active-wait") return waitActive(call.text(1), call.seconds(2, 10)) ? 0 : 1;
    if (verb == "active-xwindow") return printActiveXWindow(call.text(1), call.seconds(2, 10));
    if (verb == "tray-texts") return printTrayTexts();
    if (verb == "dialog-wait") return waitForDialog(call.text(1), call.seconds(2, 10)) ? 0 : 1;
    if (verb == "dialog") {
        HWND dialog = findDialog(call.text(1));
        return dialog ? printControlTexts(dialog) : 1;
    }
    if (verb == "window-rect") {
        const std::string name = call.text(1);
        return printWindowRect(name == "main" ? mainWindow() : name == "message" ? messageBox() : findDialog(name.c_str()));
    }
    if (verb == "tray-rect") return printTrayRect();
    if (verb == "close") {
        HWND dialog = findDialog(call.text(1));
        return dialog && PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0) ? 0 : 1;
    }
    return notThisVerb;
}

// Verbs about one control of a dialog: VERB CAPTION ID ...
int runControlVerb(const Call& call) {
    const std::string& verb = call.verb();
    if (verb != "list-box" && verb != "centre" && verb != "client-rect" && verb != "set-text" && verb != "click" &&
        verb != "list-rows") {
        return notThisVerb;
    }
    HWND dialog = findDialog(call.text(1));
    HWND control = dialog ? GetDlgItem(dialog, call.number(2)) : nullptr;
    if (!control) return 1;
    if (verb == "list-box") return printListBox(control);
    if (verb == "list-rows") return printListRows(control, call.number(3), false);
    if (verb == "centre") return printCentre(control);
    if (verb == "client-rect") return printClientRect(control);
    if (verb == "set-text") return SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(call.text(3))) ? 0 : 1;
    return PostMessageA(control, BM_CLICK, 0, 0) ? 0 : 1;
}

int printClock(HWND main) {
    char text[260] = {};
    GetWindowTextA(GetDlgItem(main, clockId), text, sizeof text);
    std::printf("%s\n", text);
    return 0;
}

// 0 enabled, 1 greyed, 3 no answer: Wine answers GetMenuState from another
// process with -1, which says nothing about the item.
int menuItemState(HWND main, UINT command) {
    UINT state = GetMenuState(GetMenu(main), command, MF_BYCOMMAND);
    if (state == static_cast<UINT>(-1)) {
        std::fprintf(stderr, "horactl: no menu state for item %u from outside the program\n", command);
        return 3;
    }
    return state & (MF_GRAYED | MF_DISABLED) ? 1 : 0;
}

// frames SECONDS [PER-SECOND [BMP]]: watches the time cells in view and
// prints how many frames showed a row without its text; the first such
// frame goes to BMP.
int watchFrames(HWND main, const Call& call) {
    const std::vector<RECT> rows = timeCellsInView(main);
    const RowFramesReport report = watchRowFrames(rows, call.seconds(1, 10), call.number(2) > 0 ? call.number(2) : 25,
                                                  call.text(3)[0] ? call.text(3) : nullptr);
    std::printf("%d rows watched, %d frames in %.1f s (%.1f a second), %d with a row empty",
                static_cast<int>(rows.size()), report.frames, report.seconds,
                report.seconds > 0 ? report.frames / report.seconds : 0.0, report.framesWithAnEmptyRow);
    if (report.firstEmptyAt >= 0) std::printf(", the first after %.2f s", report.firstEmptyAt);
    std::printf("\n");
    return rows.empty() || report.framesWithAnEmptyRow > 0 ? 1 : 0;
}

// copydata ID [HEX|late]: hands the main window a payload as another
// program could (without HEX the one a start of the program sends for "5m
// Handed over"; "late" the same after its start gave up), and prints the
// window's answer.
int sendCopyData(HWND main, const Call& call) {
    TimerCommand handedOver;
    handedOver.seconds = 300;
    handedOver.description = "Handed over";
    const bool late = std::strcmp(call.text(2), "late") == 0;
    const ULONGLONG answerBy = late ? GetTickCount64() - 1 : GetTickCount64() + 10000;
    std::vector<unsigned char> bytes =
        call.text(2)[0] && !late ? std::vector<unsigned char>() : encodeTimerCommand(handedOver, answerBy);
    for (const char* hex = late ? "" : call.text(2); hex[0] && hex[1]; hex += 2) {
        bytes.push_back(static_cast<unsigned char>(std::strtoul(std::string(hex, 2).c_str(), nullptr, 16)));
    }
    COPYDATASTRUCT data = {std::strtoul(call.text(1), nullptr, 0), static_cast<DWORD>(bytes.size()),
                           bytes.empty() ? nullptr : bytes.data()};
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 10000, &answer)) return 3;
    std::printf("%d\n", static_cast<int>(answer));
    return 0;
}

int runMainVerb(const Call& call, HWND main) {
    const std::string& verb = call.verb();
    if (verb == "rows") return printRows(main);
    if (verb == "clock") return printClock(main);
    if (verb == "progress") {
        std::printf("%d\n", static_cast<int>(SendMessageA(GetDlgItem(main, progressId), PBM_GETPOS, 0, 0)));
        return 0;
    }
    if (verb == "visible") return IsWindowVisible(main) ? 0 : 1;
    if (verb == "open-boxes") return printOpenBoxes(main);
    if (verb == "enabled") return IsWindowEnabled(main) ? 0 : 1;
    if (verb == "command") return SendMessageA(main, WM_COMMAND, MAKEWPARAM(call.number(1), 0), 0), 0;
    if (verb == "post-command") return PostMessageA(main, WM_COMMAND, MAKEWPARAM(call.number(1), 0), 0) ? 0 : 1;
    if (verb == "select") return selectRow(main, call.number(1));
    if (verb == "start-all") return startEveryTimer(main);
    if (verb == "row-centre") return printRowCentre(main, call.number(1), call.number(2));
    if (verb == "row-icon") return printRowIcon(main, call.number(1));
    if (verb == "header-centre" || verb == "header-arrow") return printHeader(main, call.number(1), verb == "header-arrow");
    if (verb == "column-widths") return printColumnWidths(main);
    if (verb == "header-fits") return printHeaderFits(main);
    if (verb == "tray") return PostMessageA(main, trayNotify, 1, std::strtol(call.text(1), nullptr, 0)) ? 0 : 1;
    if (verb == "menu-enabled") return menuItemState(main, static_cast<UINT>(call.number(1)));
    if (verb == "frames") return watchFrames(main, call);
    if (verb == "copydata") return sendCopyData(main, call);
    return notThisVerb;
}


int run(const Call& call) {
    int result = runWindowVerb(call);
    if (result == notThisVerb) result = runControlVerb(call);
    if (result != notThisVerb) return result;
    HWND main = mainWindow();
    if (!main) {
        std::fprintf(stderr, "horactl: no Horalet window\n");
        return 1;
    }
    result = runMainVerb(call, main);
    return result == notThisVerb ? usage() : result;
}

// Starting a Wine process costs about half a second, so a script keeps one
// horactl running and hands it one request a line, the words separated by
// tabs; each answer ends with a line "<<horactl N>>", N the exit code the
// verb would have had.
int serve() {
    char line[4096];
    while (std::fgets(line, sizeof line, stdin)) {
        line[std::strcspn(line, "\r\n")] = '\0';
        std::vector<std::string> words;
        for (const char* word = line;; ++word) {
            const char* end = word + std::strcspn(word, "\t");
            words.emplace_back(word, end);
            if (!*end) break;
            word = end;
        }
        const int result = words[0].empty() ? usage() : run(Call(std::move(words)));
        std::printf("<<horactl %d>>\n", result);
        std::fflush(stdout);
        std::fflush(stderr);
    }
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    if (std::strcmp(argv[1], "serve") == 0) return serve();
    return run(Call(std::vector<std::string>(argv + 1, argv + argc)));
}
