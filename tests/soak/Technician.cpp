#include "soak/Technician.h"

namespace quarn::soak {

namespace {

constexpr double kMeanActionIntervalMs = 3000;
// The five lists a technician can reach, in payload order; the height list
// is hidden.
constexpr std::size_t kVisibleLists = 5;
// Lists whose wire value is the index plus one.
constexpr std::size_t kNumberedLists = 2;

}  // namespace

Technician::Technician(SoakWorld& world)
    : w_(world), nextAt_(w_.nextEventIn(kMeanActionIntervalMs)) {}

ComboList& Technician::list(std::size_t index) {
    // The visible lists are the first parameters, in payload order.
    return w_.session.window.parameterList(static_cast<sensor::Parameter>(index));
}

void Technician::step() {
    const std::int64_t now = w_.now();
    if (openList_ && now >= closeAt_) {
        finishOpenList();
    }
    if (aboutCloseAt_ && now >= *aboutCloseAt_) {
        aboutCloseAt_.reset();
        if (w_.session.app.aboutWindow().visible()) {
            w_.session.app.aboutWindow().okButton.click();
            ++w_.figures.actions[static_cast<std::size_t>(Action::AboutClosed)];
        }
    }
    if (now >= nextAt_) {
        nextAt_ = now + w_.nextEventIn(kMeanActionIntervalMs);
        act();
    }
}

void Technician::pick(std::size_t index) {
    ComboList& chosen = list(index);
    const auto item = static_cast<std::int16_t>(w_.uniform(0, chosen.listCount() - 1));
    w_.recordChoice(index, static_cast<std::uint8_t>(item + (index < kNumberedLists ? 1 : 0)));
    chosen.userSelect(item);
    ++w_.figures.actions[static_cast<std::size_t>(Action::ItemClicked)];
}

void Technician::finishOpenList() {
    const std::size_t index = *openList_;
    openList_.reset();
    if (!w_.session.window.visible()) {
        return;  // the window closed under the open list
    }
    if (willClick_) {
        pick(index);
    } else {
        ++w_.figures.actions[static_cast<std::size_t>(Action::ClosedWithoutClick)];
    }
}

void Technician::act() {
    auto& app = w_.session.app;
    const int roll = w_.uniform(0, 99);
    if (w_.session.window.visible() && !openList_) {
        const auto index = static_cast<std::size_t>(w_.uniform(0, kVisibleLists - 1));
        if (roll < 55) {
            list(index).dropDown();
            ++w_.figures.actions[static_cast<std::size_t>(Action::ListDroppedDown)];
            openList_ = index;
            closeAt_ = w_.now() + w_.delay(50, 4000);
            willClick_ = w_.chance(0.75);
            return;
        }
        if (roll < 70) {
            pick(index);  // chosen with the keyboard, the list closed
            return;
        }
    }
    app::StartWindow& main = app.startWindow();
    if (main.visible() && !app.aboutWindow().visible()) {
        if (roll < 40) {
            main.aboutMenu.click();
            ++w_.figures.actions[static_cast<std::size_t>(Action::AboutOpened)];
            aboutCloseAt_ = w_.now() + w_.delay(300, 10000);
            return;
        }
        if (roll < 75) {
            if (w_.chance(0.5)) {
                main.italianMenuItem.click();
            } else {
                main.englishMenuItem.click();
            }
            ++w_.figures.actions[static_cast<std::size_t>(Action::LanguageSwitched)];
            return;
        }
    }
    if (app.trafficMonitor().visible()) {
        app.trafficMonitor().hide();
        ++w_.figures.actions[static_cast<std::size_t>(Action::MonitorHidden)];
    } else {
        app.showMonitor();
        ++w_.figures.actions[static_cast<std::size_t>(Action::MonitorShown)];
    }
}

}  // namespace quarn::soak
