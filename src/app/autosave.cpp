#include "app/autosave.h"

#include "app/timer_sets.h"
#include "platform/list_view_control.h"
#include "sets/timer_set_file.h"

const char autosaveReadPath[] = ".\\autosave.ini";
const char autosaveWritePath[] = "autosave.ini";

namespace {
std::string currentSetText(const AppState& app) {
    ListViewControl list(app.hwndList);
    TimerTable table(list);
    TextBuffer text = buildTimerSetText(table);
    return std::string(text.text(), static_cast<std::size_t>(text.length()));
}
}  // namespace

void Autosave::markSaved(const AppState& app) { savedText_ = currentSetText(app); }

void Autosave::saveIfChanged(const AppState& app) {
    std::string text = currentSetText(app);
    if (text == savedText_) return;
    savedText_ = text;
    saveTimerSet(autosaveWritePath, app);
}

void Autosave::saveNow(const AppState& app) {
    savedText_ = currentSetText(app);
    saveTimerSet(autosaveWritePath, app);
}
