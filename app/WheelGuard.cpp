#include "WheelGuard.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

namespace {
// A control the wheel would change: a combo, a spin box, a slider that is
// not a scroll bar.
bool changes_a_setting(const QWidget* widget) {
    return qobject_cast<const QComboBox*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget) ||
           (qobject_cast<const QAbstractSlider*>(widget) &&
            !qobject_cast<const QScrollBar*>(widget));
}

// The control a wheel event over `widget` would reach, if any.
QWidget* setting_control(QWidget* widget) {
    for (QWidget* around = widget; around; around = around->parentWidget()) {
        if (changes_a_setting(around)) {
            return around;
        }
        if (around->isWindow()) {
            break;
        }
    }
    return nullptr;
}

QScrollArea* scroll_area_around(QWidget* widget) {
    for (QWidget* around = widget->parentWidget(); around; around = around->parentWidget()) {
        if (auto* scroll = qobject_cast<QScrollArea*>(around)) {
            return scroll;
        }
    }
    return nullptr;
}
} // namespace

WheelGuard::WheelGuard(QObject* parent)
    : QObject(parent) {
    qApp->installEventFilter(this);
}

bool WheelGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel || !watched->isWidgetType()) {
        return false;
    }
    QWidget* control = setting_control(static_cast<QWidget*>(watched));
    if (!control || control->hasFocus()) {
        return false;
    }
    if (QScrollArea* scroll = scroll_area_around(control)) {
        QScrollBar* bar = scroll->verticalScrollBar();
        QApplication::sendEvent(bar, event);
    }
    return true;
}
