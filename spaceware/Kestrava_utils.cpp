#include "Kestrava_utils.h"

#include <algorithm>

namespace {
template <class T>
void erase_one(std::vector<T*>& items, const T* item) {
    const auto found = std::find(items.begin(), items.end(), item);
    if (found != items.end()) {
        items.erase(found);
    }
}
} // namespace

Value::~Value() = default;

void FloatValue::put(float number) {
    number_ = number;
    changed_ = true;
}

// ---------------------------------------------------------------- observers

ValueObserver::~ValueObserver() {
    for (SettingsValue* setting : settings_) {
        erase_one(setting->observers_, this);
    }
}

ValueObserverAction::ValueObserverAction(ValueAction* action)
    : action_(action) {
    Resource::ref(action_);
}

ValueObserverAction::~ValueObserverAction() {
    Resource::unref(action_);
}

void ValueObserverAction::update(Value* value) {
    if (action_) {
        action_->execute(value);
    }
}

// ---------------------------------------------------------------- settings

SettingsValue::~SettingsValue() {
    for (ValueObserver* observer : observers_) {
        erase_one(observer->settings_, this);
    }
}

bool SettingsValue::is_attached(const ValueObserver* observer) const {
    return std::find(observers_.begin(), observers_.end(), observer) != observers_.end();
}

void SettingsValue::attach(ValueObserver* observer) {
    if (!observer || is_attached(observer)) {
        return;
    }
    observers_.push_back(observer);
    observer->settings_.push_back(this);
}

void SettingsValue::detach(ValueObserver* observer) {
    if (!observer || !is_attached(observer)) {
        return;
    }
    erase_one(observers_, observer);
    erase_one(observer->settings_, this);
}

void SettingsValue::notify(ValueObserver* skip) {
    // Observers may detach, release or attach others while being told.
    const std::vector<ValueObserver*> round = observers_;
    for (ValueObserver* observer : round) {
        if (observer == skip || !is_attached(observer)) {
            continue;
        }
        // A held observer released by its own update goes only once it returns.
        const bool held = observer->reference_count() > 0;
        if (held) {
            observer->ref();
        }
        observer->update(value());
        if (held) {
            observer->unref();
        }
    }
}

void SettingsValue::mark_source(bool from_preferences, bool from_defaults) {
    from_preferences_ = from_preferences;
    from_defaults_ = from_defaults;
}

TARVIK_DEFINE_LIBRARY_INIT(Kestravautils_init, nullptr)
