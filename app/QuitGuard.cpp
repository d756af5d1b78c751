#include "QuitGuard.h"

#include <QCloseEvent>
#include <QMessageBox>
#include <QWidget>

#include "Kestrava_spaceWare.h"

QuitGuard::QuitGuard(QWidget& window, SpaceWarePreferencesManager& manager)
    : QObject(&window)
    , window_(window)
    , manager_(manager) {
    window.installEventFilter(this);
}

bool QuitGuard::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Close && !may_close()) {
        event->ignore();
        return true;
    }
    return false;
}

// The reason names a path: plain text, never markup.
void QuitGuard::warn_not_saved() {
    QMessageBox box(QMessageBox::Warning, tr("Unsaved Settings"),
                    tr("The settings could not be saved: %1").arg(manager_.save_error()),
                    QMessageBox::Ok, &window_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QuitGuard::may_close() {
    if (!manager_.has_unsaved_changes()) {
        return true;
    }
    QMessageBox box(QMessageBox::Question, tr("Unsaved Settings"),
                    tr("The settings have changed since they were last saved. Save them before "
                       "quitting?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, &window_);
    box.setObjectName(QStringLiteral("unsaved_settings_box"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        if (manager_.save_navig_values() && manager_.save_button_values()) {
            return true;
        }
        warn_not_saved();
        return false;
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}
