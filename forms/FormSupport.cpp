#include "forms/FormSupport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QInputDialog>
#include <QMessageBox>
#include <QWidget>
#include <QtDebug>

#include "Kestrava_spaceWare.h"

namespace {
form_support::Prompter dialog_prompter;
form_support::Prompter* current_prompter = &dialog_prompter;
} // namespace

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

QString form_support::Prompter::get_text(QWidget* parent, const QString& caption,
                                         const QString& label, const QString& text, bool* ok) {
    return QInputDialog::getText(parent, caption, label, QLineEdit::Normal, text, ok);
}

// Warnings quote names and paths from outside: shown as they are, never
// read as markup.
void form_support::Prompter::warn(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

form_support::Prompter& form_support::prompter() {
    return *current_prompter;
}

void form_support::set_prompter(Prompter* replacement) {
    current_prompter = replacement ? replacement : &dialog_prompter;
}

void form_support::tell_save_failed(QWidget* parent, const SpaceWarePreferencesManager& manager) {
    prompter().warn(
        parent, parent->window()->windowTitle(),
        QCoreApplication::translate("form_support", "The settings could not be saved to %1: %2.")
            .arg(manager.file(), manager.save_error()));
}
