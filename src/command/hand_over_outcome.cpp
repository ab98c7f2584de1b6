#include "command/timer_command.h"

#include "editor/editor_model.h"

// A start's exit code is what scripts and shortcuts go by, so 0 is said only
// when the timer will still be there after a kill of the instance, and a
// timer that is in the list, unsaved, is never reported as not added.
HandOverOutcome handOverOutcome(HandOverReply reply, int answer, const char* title) {
    const std::string running = std::string("The running ") + title;
    if (reply == HandOverReply::AccessDenied) {
        // Windows keeps a program with fewer rights from sending to one with
        // more, and says so as "access denied".
        return {2, running + " runs as administrator and cannot take a timer from this start. Start this one as administrator too.", false};
    }
    if (reply == HandOverReply::Answered) {
        switch (answer) {
            case timerCommandAdded:
                return {0, "", false};
            case timerCommandAddedNotSaved:
                return {3, running + " added the timer but cannot save its list now. The timer is lost if " +
                               title + " ends before the list can be saved.", false};
            case timerCommandListFull:
                return {2, editorProblemText(EditorProblem::TableFull), true};
            default:
                break;
        }
    }
    return {2, running + " did not take the timer.", true};
}
