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
    if (watched == &window_ && event->type() == QEvent::Close &&
        !may_leave_settings(window_, manager_,
                            tr("The settings have changed since they were last saved. Save them "
                               "before quitting?"))) {
        event->ignore();
        return true;
    }
    return false;
}

bool QuitGuard::may_leave_settings(QWidget& window, SpaceWarePreferencesManager& manager,
                                   const QString& question) {
    if (!manager.has_unsaved_changes()) {
        return true;
    }
    QMessageBox box(QMessageBox::Question, tr("Unsaved Settings"), question,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, &window);
    box.setObjectName(QStringLiteral("unsaved_settings_box"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save: {
        if (manager.save_navig_values() && manager.save_button_values()) {
            return true;
        }
        // The reason names a path: plain text, never markup.
        QMessageBox failed(QMessageBox::Warning, tr("Unsaved Settings"),
                           tr("The settings could not be saved: %1").arg(manager.save_error()),
                           QMessageBox::Ok, &window);
        failed.setTextFormat(Qt::PlainText);
        failed.exec();
        return false;
    }
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}
