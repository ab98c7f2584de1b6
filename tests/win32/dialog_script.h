#pragma once
#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

// A modal dialog blocks its caller, so a test acts on it from inside its
// own message loop: a thread timer plays one step per tick against the
// dialog that is open at that moment.
class DialogScript {
public:
    using Step = std::function<void(HWND dialog)>;

    DialogScript& then(Step step);

    // Calls `open`, which returns when the dialog ends. A dialog still open
    // after the last step is cancelled, so a faulty one cannot hang the run.
    void run(const std::function<void()>& open);

    int stepsRun() const { return stepsRun_; }
    bool overran() const { return overran_; }

private:
    static void CALLBACK onTick(HWND, UINT, UINT_PTR, DWORD);
    void tick();

    std::vector<Step> steps_;
    int stepsRun_ = 0;
    bool overran_ = false;
    bool busy_ = false;
    UINT_PTR timer_ = 0;
};

// Answers the program's message boxes in order and keeps what they said.
class MessageScript {
public:
    struct Shown {
        HWND owner;
        std::string text;
        std::string caption;
        UINT style;
    };

    MessageScript();
    ~MessageScript();
    MessageScript(const MessageScript&) = delete;
    MessageScript& operator=(const MessageScript&) = delete;

    // Boxes beyond the queued answers are answered with IDOK.
    void answer(int button) { answers_.push_back(button); }
    const std::vector<Shown>& shown() const { return shown_; }
    std::vector<std::string> texts() const;
    void clear() { shown_.clear(); }

private:
    std::deque<int> answers_;
    std::vector<Shown> shown_;
};

void clickButton(HWND dialog, int id);
std::string controlText(HWND dialog, int id);
// The list box's entries, top to bottom.
std::vector<std::string> listBoxEntries(HWND listBox);
