#include "module/FormSupport.h"

#include <QEvent>
#include <QWidget>
#include <QtDebug>

void form_support::set_tab_chain(std::initializer_list<QWidget*> chain) {
    QWidget* previous = nullptr;
    for (QWidget* widget : chain) {
        if (previous) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

bool form_support::is_language_change(const QEvent* event) {
    return event->type() == QEvent::LanguageChange;
}

void form_support::warn_not_implemented(const char* form, const char* slot) {
    qWarning("%s::%s: Not implemented yet", form, slot);
}
