#include "status/desktop_status.h"

#include <algorithm>
#include <utility>

#include "status/tray_tip.h"

namespace {
const char notSavedTip[] = ": the list is not being saved";
}  // namespace

DesktopStatus::DesktopStatus(DesktopShell& shell, std::string title)
    : shell_(shell), title_(std::move(title)), shownTip_(title_) {}

void DesktopStatus::showRunning(const RunningTimers& running) {
    running_ = running;
    refreshTray();
}

void DesktopStatus::showSelected(const SelectedTimer& selected) {
    selected_ = selected;
    refreshTaskbar();
}

void DesktopStatus::showAutosaveFailing(bool failing) {
    autosaveFailing_ = failing;
    refreshTray();
}

void DesktopStatus::timerFinished(TimerId id, WindowPresence presence) {
    if (presence == WindowPresence::InFront) return;  // seen as it happens
    if (!unseen(id)) unseen_.push_back(id);
    if (presence == WindowPresence::Behind && !flashing_) {
        shell_.flashTaskbarButton();
        flashing_ = true;
    }
    refreshTray();
    refreshTaskbar();
}

void DesktopStatus::looked() {
    flashing_ = false;
    if (unseen_.empty()) return;
    unseen_.clear();
    refreshTray();
    refreshTaskbar();
}

void DesktopStatus::trayIconAdded() {
    shownTip_ = title_;
    shownMark_ = TrayMark::Plain;
    refreshTray();
}

void DesktopStatus::taskbarButtonCreated() {
    shownProgress_ = TaskbarProgress::None;
    refreshTaskbar();
}

bool DesktopStatus::unseen(TimerId id) const { return std::find(unseen_.begin(), unseen_.end(), id) != unseen_.end(); }

void DesktopStatus::refreshTray() {
    // With nothing running the tip is the title alone, cut to fit: so is the
    // failure's.
    const std::string tip = autosaveFailing_ ? trayTipText(RunningTimers(), title_ + notSavedTip, trayTipCapacity)
                                             : trayTipText(running_, title_, trayTipCapacity);
    if (tip != shownTip_) {
        shell_.setTrayTip(tip.c_str());
        shownTip_ = tip;
    }
    const TrayMark mark = !unseen_.empty()       ? TrayMark::FinishUnseen
                          : running_.count() > 0 ? TrayMark::Running
                                                 : TrayMark::Plain;
    if (mark != shownMark_) {
        shell_.setTrayIcon(mark);
        shownMark_ = mark;
    }
}

// The button follows the selected limited timer; a count-up has no end to
// show progress towards, and a finish already seen nothing left to tell.
void DesktopStatus::refreshTaskbar() {
    TaskbarProgress progress = TaskbarProgress::None;
    int percent = 0;
    if (selected_.id != 0 && selected_.limited) {
        if (selected_.state == Running) {
            progress = TaskbarProgress::Normal;
            percent = selected_.percent;
        } else if (selected_.state == Paused) {
            progress = TaskbarProgress::Paused;
            percent = selected_.percent;
        } else if (selected_.state == Finished && unseen(selected_.id)) {
            progress = TaskbarProgress::Error;
            percent = 100;
        }
    }
    if (progress == shownProgress_ && (progress == TaskbarProgress::None || percent == shownPercent_)) return;
    shell_.setTaskbarProgress(progress, percent);
    shownProgress_ = progress;
    shownPercent_ = percent;
}
