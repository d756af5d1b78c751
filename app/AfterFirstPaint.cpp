#include "AfterFirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <utility>

AfterFirstPaint::AfterFirstPaint(QWidget* widget, std::function<void()> action)
    : QObject(widget)
    , action_(std::move(action)) {
    widget->installEventFilter(this);
}

bool AfterFirstPaint::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        // Queued: the children paint in the same pass, after their parent.
        QTimer::singleShot(0, this, &AfterFirstPaint::run);
    }
    return false;
}

void AfterFirstPaint::run() {
    if (std::function<void()> action = std::exchange(action_, nullptr)) {
        parent()->removeEventFilter(this);
        action();
    }
}
