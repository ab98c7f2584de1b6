#include "dialog_script.h"

#include <gtest/gtest.h>

#include "platform/message_box.h"

namespace {
DialogScript* playing = nullptr;

// The modal dialog of this thread that the user would see now: the shown
// and enabled dialog window (an owner is disabled while its dialog runs).
HWND openDialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) -> BOOL {
            char className[16] = {};
            GetClassNameA(window, className, sizeof className);
            if (std::string(className) != "#32770" || !IsWindowVisible(window) || !IsWindowEnabled(window)) {
                return TRUE;
            }
            *reinterpret_cast<HWND*>(result) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}
}  // namespace

DialogScript& DialogScript::then(Step step) {
    steps_.push_back(std::move(step));
    return *this;
}

void DialogScript::run(const std::function<void()>& open) {
    playing = this;
    timer_ = SetTimer(nullptr, 0, 20, onTick);
    open();
    KillTimer(nullptr, timer_);
    playing = nullptr;
}

void CALLBACK DialogScript::onTick(HWND, UINT, UINT_PTR, DWORD) {
    if (playing) playing->tick();
}

void DialogScript::tick() {
    // A step may run a nested loop that ticks again; that tick waits.
    if (busy_) return;
    HWND dialog = openDialog();
    if (!dialog) return;
    if (stepsRun_ < static_cast<int>(steps_.size())) {
        busy_ = true;
        steps_[stepsRun_++](dialog);
        busy_ = false;
    } else {
        overran_ = true;
        EndDialog(dialog, IDCANCEL);
    }
}

MessageScript::MessageScript() {
    setMessageResponder([this](HWND owner, const char* text, const char* caption, UINT style) {
        shown_.push_back({owner, text, caption, style});
        if (answers_.empty()) return IDOK;
        const int button = answers_.front();
        answers_.pop_front();
        return button;
    });
}

MessageScript::~MessageScript() { setMessageResponder(nullptr); }

std::vector<std::string> MessageScript::texts() const {
    std::vector<std::string> result;
    for (const Shown& box : shown_) result.push_back(box.text);
    return result;
}

void clickButton(HWND dialog, int id) {
    // What the button itself sends. BM_CLICK would do the same through a
    // simulated press, which costs seconds under Wine without a window
    // manager whenever the focus has to move.
    HWND button = GetDlgItem(dialog, id);
    if (!button) {
        ADD_FAILURE() << "the dialog has no button " << id;
        return;
    }
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

std::string controlText(HWND dialog, int id) {
    char text[1024] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

std::vector<std::string> listBoxEntries(HWND listBox) {
    std::vector<std::string> entries;
    const int count = static_cast<int>(SendMessageA(listBox, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[MAX_PATH + 1] = {};
        SendMessageA(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}
