#pragma once

// What several suites share: an observer that runs a callback, the text of
// a setting, picking an item as a user does, and screenshots to look at.
// The widget helpers are templates, so that suites without widgets can
// include this too.

#include <QDir>
#include <QString>
#include <QStringList>
#include <functional>

#include "Kestrava_utils.h"

// Runs a callback at every notification of the settings it is attached to.
class CallbackObserver : public ValueObserver {
public:
    explicit CallbackObserver(std::function<void(Value*)> callback)
        : callback_(std::move(callback)) {}
    void update(Value* value) override { callback_(value); }

private:
    std::function<void(Value*)> callback_;
};

inline SmartResource<ValueObserver> observe(SettingsValue* setting,
                                            std::function<void(Value*)> callback) {
    SmartResource<ValueObserver> observer(new CallbackObserver(std::move(callback)));
    setting->attach(observer.get());
    return observer;
}

inline QString text_of(const StringSetting* setting) {
    return QString::fromLatin1(setting->get().c_str());
}

// Picks an item of a combo as a user does: it shows, and the combo says so.
template <class Combo>
void choose(Combo* combo, int item) {
    combo->setCurrentIndex(item);
    emit combo->activated(item);
}

template <class Combo>
void choose(Combo* combo, const QString& text) {
    choose(combo, combo->findText(text));
}

template <class Combo>
QStringList items(const Combo* combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i) {
        texts << combo->itemText(i);
    }
    return texts;
}

// A picture in the folder KESTRAVA_SCREENSHOTS names, if any.
template <class Picture>
void save_picture(const Picture& picture, const QString& name) {
    const QString folder = qEnvironmentVariable("KESTRAVA_SCREENSHOTS");
    if (!folder.isEmpty() && QDir().mkpath(folder)) {
        picture.save(folder + '/' + name);
    }
}

// A picture of the widget there.
template <class Widget>
void save_screenshot(Widget* widget, const QString& name) {
    save_picture(widget->grab(), name);
}
