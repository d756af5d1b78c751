#pragma once

// Observable settings: values, the settings that hold them, and the
// observers told of every write.

#include <vector>

#include "Tarvik_utils.h"
#include "kestrava_utils_export.h"

class KESTRAVA_UTILS_EXPORT Value {
public:
    virtual ~Value();
};

class KESTRAVA_UTILS_EXPORT StringValue : public Value {
public:
    explicit StringValue(const CString& text = CString())
        : text_(text) {}

    const CString& get() const { return text_; }
    void put(const CString& text) { text_ = text; }
    bool differs(const CString& text) const { return text_ != text; }

private:
    CopyCString text_;
};

class KESTRAVA_UTILS_EXPORT FloatValue : public Value {
public:
    explicit FloatValue(float number = 0.0f)
        : number_(number) {}

    float get() const { return number_; }
    // Writes the number and marks the value changed.
    void put(float number);
    bool differs(float number) const { return number_ != number; }
    bool is_changed() const { return changed_; }
    void clear_changed() { changed_ = false; }

private:
    float number_;
    bool changed_ = false;
};

class SettingsValue;

// Told of every write of the settings it is attached to. Releasing its last
// reference detaches it from all of them.
class KESTRAVA_UTILS_EXPORT ValueObserver : public Resource {
public:
    virtual void update(Value* value) = 0;

protected:
    ValueObserver() = default;
    ~ValueObserver() override;

private:
    friend class SettingsValue;
    std::vector<SettingsValue*> settings_;
};

// A setting: a current value, its observers and two status flags.
class KESTRAVA_UTILS_EXPORT SettingsValue {
public:
    SettingsValue() = default;
    SettingsValue(const SettingsValue&) = delete;
    SettingsValue& operator=(const SettingsValue&) = delete;
    virtual ~SettingsValue();

    // Attaching twice has no further effect.
    void attach(ValueObserver* observer);
    void detach(ValueObserver* observer);
    // Calls update(value()) on every attached observer but `skip`. Observers
    // released during the round are not called; those attached during it wait
    // for the next one.
    void notify(ValueObserver* skip);
    virtual Value* value() const = 0;
    long observer_count() const { return static_cast<long>(observers_.size()); }

    // Set when the value was last brought back from the saved preferences,
    // or from the factory defaults; a write of another value clears both.
    bool is_from_preferences() const { return from_preferences_; }
    bool is_from_defaults() const { return from_defaults_; }
    void mark_source(bool from_preferences, bool from_defaults);

protected:
    void clear_flags() { mark_source(false, false); }

private:
    friend class ValueObserver;
    // An attachment is told apart from a later one of an observer that
    // took the memory of one released meanwhile.
    struct Attachment {
        ValueObserver* observer;
        unsigned long long serial;
    };
    bool is_attached(const ValueObserver* observer) const;
    bool is_attached(const Attachment& attachment) const;
    // Drops the observer's attachment; its own list is the caller's.
    void forget(const ValueObserver* observer);

    std::vector<Attachment> observers_;
    // Set while a notification runs: tells it that the setting is gone.
    bool* destroyed_ = nullptr;
    bool from_preferences_ = false;
    bool from_defaults_ = false;
};

// A setting holding a V (StringValue, FloatValue) written from an A.
template <class V, class T, class A>
class BasicSettingsValue : public SettingsValue {
public:
    explicit BasicSettingsValue(A initial)
        : value_(initial) {}

    Value* value() const override { return &value_; }
    T get() const { return value_.get(); }

    // The write rule: store only a value that differs, then notify always.
    void set(A new_value) {
        assign(new_value);
        notify(nullptr);
    }
    // The store half of the rule, for writes of several settings that are
    // notified once all of them hold their new values.
    bool assign(A new_value) {
        if (!value_.differs(new_value)) {
            return false;
        }
        value_.put(new_value);
        clear_flags();
        return true;
    }

private:
    mutable V value_;
};

using StringSetting = BasicSettingsValue<StringValue, CopyCString, const CString&>;
using FloatSetting = BasicSettingsValue<FloatValue, float, float>;

class KESTRAVA_UTILS_EXPORT ValueAction : public Resource {
public:
    virtual void execute(const Value* value) = 0;
};

// An observer that runs an action with every value it is told of.
class KESTRAVA_UTILS_EXPORT ValueObserverAction : public ValueObserver {
public:
    explicit ValueObserverAction(ValueAction* action);
    void update(Value* value) override;

protected:
    ~ValueObserverAction() override;

private:
    ValueAction* action_;
};

// Calls one member function of one object with the value.
template <class T>
class ValueActionCallbackTp : public ValueAction {
public:
    using Callback = void (T::*)(const Value*);

    ValueActionCallbackTp(T* object, Callback callback)
        : object_(object)
        , callback_(callback) {}
    void execute(const Value* value) override { (object_->*callback_)(value); }

private:
    T* object_;
    Callback callback_;
};

TARVIK_DECLARE_LIBRARY_INIT(KESTRAVA_UTILS_EXPORT, Kestravautils_init);
