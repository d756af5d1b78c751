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
        setting->forget(this);
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
    if (destroyed_) {
        *destroyed_ = true;
    }
    for (const Attachment& attachment : observers_) {
        erase_one(attachment.observer->settings_, this);
    }
}

bool SettingsValue::is_attached(const ValueObserver* observer) const {
    return std::any_of(observers_.begin(), observers_.end(),
                       [observer](const Attachment& a) { return a.observer == observer; });
}

bool SettingsValue::is_attached(const Attachment& attachment) const {
    return std::any_of(observers_.begin(), observers_.end(), [&attachment](const Attachment& a) {
        return a.observer == attachment.observer && a.serial == attachment.serial;
    });
}

void SettingsValue::attach(ValueObserver* observer) {
    static unsigned long long attachments = 0;
    if (!observer || is_attached(observer)) {
        return;
    }
    observers_.push_back({observer, ++attachments});
    observer->settings_.push_back(this);
}

void SettingsValue::detach(ValueObserver* observer) {
    if (!observer || !is_attached(observer)) {
        return;
    }
    forget(observer);
    erase_one(observer->settings_, this);
}

void SettingsValue::forget(const ValueObserver* observer) {
    std::erase_if(observers_, [observer](const Attachment& a) { return a.observer == observer; });
}

void SettingsValue::notify(ValueObserver* skip) {
    // Observers may detach, release or attach others while being told, and
    // may even destroy this setting.
    const std::vector<Attachment> round = observers_;
    bool destroyed = false;
    bool* const outer = destroyed_;
    destroyed_ = &destroyed;
    for (const Attachment& attachment : round) {
        ValueObserver* observer = attachment.observer;
        if (observer == skip || !is_attached(attachment)) {
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
        if (destroyed) {
            // Nothing of the setting may be touched any more, by this round
            // or by the rounds it runs inside.
            if (outer) {
                *outer = true;
            }
            return;
        }
    }
    destroyed_ = outer;
}

void SettingsValue::mark_source(bool from_preferences, bool from_defaults) {
    from_preferences_ = from_preferences;
    from_defaults_ = from_defaults;
}

TARVIK_DEFINE_LIBRARY_INIT(Kestravautils_init, nullptr)
