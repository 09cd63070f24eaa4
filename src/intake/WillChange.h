#pragma once

#include <functional>
#include <vector>

namespace brisomel {

// A minimal "object will change" notification for model objects that are created off the GUI
// thread and therefore are not QObjects.
class WillChange {
public:
    void observe(std::function<void()> observer) { observers_.push_back(std::move(observer)); }
    void notify() const {
        for (const auto& observer : observers_) {
            observer();
        }
    }

private:
    std::vector<std::function<void()>> observers_;
};

} // namespace brisomel
