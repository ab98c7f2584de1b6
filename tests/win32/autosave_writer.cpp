// The child of the killed-save test: saves a large timer set to autosave.ini
// in its current directory again and again, two variants in turn, until it
// is killed. It signals the named event of its argument once it is saving.
#include <windows.h>

#include <utility>

#include "app/app_state.h"
#include "app/autosave.h"
#include "app/timer_sets.h"
#include "large_timer_sets.h"
#include "platform/list_view_control.h"
#include "platform/message_box.h"
#include "window_fixture.h"

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    ListViewWindow first, second;
    for (auto [window, variant] : {std::pair{&first, 'a'}, std::pair{&second, 'b'}}) {
        ListViewControl list(window->list());
        TimerTable table(list);
        fillLargeTimerSet(table, variant);
    }
    AppState app;
    app.hInstance = GetModuleHandleA(nullptr);
    app.hwndMain = first.window();
    lstrcpyA(app.title, "autosave writer");
    // A failed save would otherwise wait for a click that never comes.
    setMessageResponder([](HWND, const char*, const char*, UINT) { return IDOK; });

    HANDLE saving = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
    if (!saving) return 3;
    SetEvent(saving);
    for (unsigned n = 0;; ++n) {
        app.hwndList = (n % 2 == 0 ? first : second).list();
        saveTimerSet(autosaveWritePath, app);
    }
}
