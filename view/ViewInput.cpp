#include "ViewInput.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>
#include <cmath>

namespace {
// One notch of the wheel zooms by this much.
const float zoom_per_notch = 1.2f;
// The wheel counts as turning until it has been still this long.
const int wheel_settle_ms = 200;

QString dropped_file(const QMimeData* data) {
    const QList<QUrl> urls = data->urls();
    return urls.size() == 1 && urls.first().isLocalFile() ? urls.first().toLocalFile() : QString();
}

bool drags(const QMouseEvent* event) {
    return event->buttons() & (Qt::LeftButton | Qt::MiddleButton);
}
} // namespace

ViewInput::ViewInput(QWidget& view, Target& target)
    : QObject(&view)
    , view_(view)
    , target_(target) {
    wheel_settling_.setSingleShot(true);
    wheel_settling_.setInterval(wheel_settle_ms);
    connect(&wheel_settling_, &QTimer::timeout, this, [this] { target_.wheel_settled(); });
    view.installEventFilter(this);
}

bool ViewInput::eventFilter(QObject* watched, QEvent* event) {
    return watched == &view_ ? handle(event) : QObject::eventFilter(watched, event);
}

// Whether the event was taken; the rest go to the view as usual.
bool ViewInput::handle(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        last_mouse_ = mouse->position().toPoint();
        // The drag is decided as it starts: Shift may be let go during it.
        const bool shift = mouse->modifiers() & Qt::ShiftModifier;
        panning_ =
            mouse->button() == Qt::MiddleButton || (mouse->button() == Qt::LeftButton && shift);
        dragging_ = true;
        target_.begin_drag(mouse->position(), panning_);
        view_.setFocus(Qt::MouseFocusReason);
        return true;
    }
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint now = mouse->position().toPoint();
        const QPoint delta = now - std::exchange(last_mouse_, now);
        if (drags(mouse)) {
            target_.drag(delta, panning_);
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (!drags(static_cast<QMouseEvent*>(event))) {
            dragging_ = false;
            target_.end_drag();
        }
        return true;
    case QEvent::Wheel: {
        auto* wheel = static_cast<QWheelEvent*>(event);
        const float notches = float(wheel->angleDelta().y()) / 120;
        target_.wheel_zoom(std::pow(zoom_per_notch, notches), wheel->position());
        wheel_settling_.start();
        wheel->accept();
        return true;
    }
    case QEvent::KeyPress:
        return static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && target_.escape_pressed();
    case QEvent::DragEnter: {
        auto* drag = static_cast<QDragEnterEvent*>(event);
        if (dropped_file(drag->mimeData()).isEmpty()) {
            return false;
        }
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = dropped_file(drop->mimeData());
        if (path.isEmpty()) {
            return false;
        }
        drop->acceptProposedAction();
        target_.file_dropped(path);
        return true;
    }
    default:
        return false;
    }
}
