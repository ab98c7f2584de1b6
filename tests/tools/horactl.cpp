// A small console tool the end-to-end scripts use to look into the running
// horalet.exe and poke it as a user's clicks would: read the timer list
// (across processes), the clock, the menus, and send commands.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
const int listId = 1002, clockId = 1000, progressId = 1001;
const UINT trayNotify = WM_USER + 1;

HWND findDialog(const char* caption) { return FindWindowExA(nullptr, nullptr, "#32770", caption); }

HWND mainWindow() { return findDialog("Horalet"); }

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

int printRows(HWND main) {
    HWND list = GetDlgItem(main, listId);
    RemoteBlock block(list, 4096);
    if (!block.ok()) return 3;
    int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    int selected = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED | LVNI_SELECTED));
    for (int row = 0; row < rows; ++row) {
        std::printf("%s%d", row == selected ? "*" : "", rowImage(list, block, row));
        for (int column = 0; column < 15; ++column) std::printf("\t%s", cellText(list, block, row, column).c_str());
        std::printf("\n");
    }
    return 0;
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

int printControlTexts(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char text[1024] = {}, cls[64] = {};
        GetWindowTextA(child, text, sizeof text);
        GetClassNameA(child, cls, sizeof cls);
        LRESULT checked = SendMessageA(child, BM_GETCHECK, 0, 0);
        std::printf("%d\t%s\t%s\t%s\t%s\n", GetDlgCtrlID(child), cls, IsWindowEnabled(child) ? "enabled" : "disabled",
                    checked == BST_CHECKED && std::strcmp(cls, "Button") == 0 ? "checked" : "-", text);
    }
    return 0;
}

int usage() {
    std::fprintf(stderr,
                 "usage: horactl wait [seconds] | rows | clock | progress | visible | enabled |\n"
                 "       command ID | post-command ID | select ROW | menu-enabled ID | tray EVENT |\n"
                 "       dialog CAPTION | dialog-wait CAPTION [seconds] | set-text CAPTION ID TEXT |\n"
                 "       click CAPTION ID | close CAPTION\n");
    return 2;
}

HWND waitForDialog(const char* caption, double seconds) {
    for (int waited = 0; waited <= seconds * 10; ++waited) {
        if (HWND window = findDialog(caption)) return window;
        Sleep(100);
    }
    return nullptr;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    std::string verb = argv[1];
    auto arg = [&](int i) { return i < argc ? argv[i] : ""; };
    if (verb == "wait") return waitForDialog("Horalet", argc > 2 ? std::atof(argv[2]) : 20) ? 0 : 1;
    if (verb == "dialog-wait") return waitForDialog(arg(2), argc > 3 ? std::atof(argv[3]) : 10) ? 0 : 1;
    if (verb == "dialog") {
        HWND dialog = findDialog(arg(2));
        return dialog ? printControlTexts(dialog) : 1;
    }
    if (verb == "set-text" || verb == "click" || verb == "close") {
        HWND dialog = findDialog(arg(2));
        if (!dialog) return 1;
        if (verb == "close") return PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0) ? 0 : 1;
        HWND control = GetDlgItem(dialog, std::atoi(arg(3)));
        if (!control) return 1;
        if (verb == "set-text") return SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(arg(4))) ? 0 : 1;
        PostMessageA(control, BM_CLICK, 0, 0);
        return 0;
    }
    HWND main = mainWindow();
    if (!main) {
        std::fprintf(stderr, "horactl: no Horalet window\n");
        return 1;
    }
    if (verb == "rows") return printRows(main);
    if (verb == "clock") {
        char text[260] = {};
        GetWindowTextA(GetDlgItem(main, clockId), text, sizeof text);
        std::printf("%s\n", text);
        return 0;
    }
    if (verb == "progress") {
        std::printf("%d\n", static_cast<int>(SendMessageA(GetDlgItem(main, progressId), PBM_GETPOS, 0, 0)));
        return 0;
    }
    if (verb == "visible") return IsWindowVisible(main) ? 0 : 1;
    if (verb == "enabled") return IsWindowEnabled(main) ? 0 : 1;
    if (verb == "command") return SendMessageA(main, WM_COMMAND, MAKEWPARAM(std::atoi(arg(2)), 0), 0), 0;
    if (verb == "post-command") return PostMessageA(main, WM_COMMAND, MAKEWPARAM(std::atoi(arg(2)), 0), 0) ? 0 : 1;
    if (verb == "select") return selectRow(main, std::atoi(arg(2)));
    if (verb == "tray") return PostMessageA(main, trayNotify, 1, std::strtol(arg(2), nullptr, 0)) ? 0 : 1;
    if (verb == "menu-enabled") {
        UINT state = GetMenuState(GetMenu(main), static_cast<UINT>(std::atoi(arg(2))), MF_BYCOMMAND);
        return (state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED))) ? 0 : 1;
    }
    return usage();
}
