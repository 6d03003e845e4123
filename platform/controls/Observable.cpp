#include "platform/controls/Observable.h"

#include <algorithm>

namespace quarn {

int Observable::observe(Observer observer) {
    const int token = nextToken_++;
    observers_.push_back({token, std::move(observer)});
    return token;
}

void Observable::unobserve(int token) {
    observers_.erase(std::remove_if(observers_.begin(), observers_.end(),
                                    [token](const Entry& e) { return e.token == token; }),
                     observers_.end());
}

void Observable::notifyChanged() {
    // Iterate over a copy: an observer may unobserve itself or others.
    const auto snapshot = observers_;
    for (const auto& entry : snapshot) {
        const bool stillObserving =
            std::any_of(observers_.begin(), observers_.end(),
                        [&](const Entry& e) { return e.token == entry.token; });
        if (stillObserving) {
            entry.observer();
        }
    }
}

}  // namespace quarn
