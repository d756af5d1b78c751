#include "ProfileBar.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>
#include <QToolButton>

ProfileBar::ProfileBar(QWidget* parent)
    : QWidget(parent)
    , label_(new QLabel(this))
    , combo_(new QComboBox(this))
    , button_(new QToolButton(this)) {
    combo_->setObjectName(QStringLiteral("profile_combo"));
    combo_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    label_->setBuddy(combo_);
    button_->setObjectName(QStringLiteral("profile_menu_button"));
    button_->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(button_);
    menu->setObjectName(QStringLiteral("profile_menu"));
    button_->setMenu(menu);
    new_ = add_action("profile_new_action", &ProfileBar::new_asked);
    rename_ = add_action("profile_rename_action", &ProfileBar::rename_asked);
    duplicate_ = add_action("profile_duplicate_action", &ProfileBar::duplicate_asked);
    delete_ = add_action("profile_delete_action", &ProfileBar::delete_asked);
    menu->addSeparator();
    export_ = add_action("profile_export_action", &ProfileBar::export_asked);
    import_ = add_action("profile_import_action", &ProfileBar::import_asked);
    connect(combo_, &QComboBox::activated, this,
            [this](int index) { emit chosen(combo_->itemText(index)); });
    auto* layout = new QHBoxLayout(this);
    // As far in as the panel's own controls below it.
    layout->setContentsMargins(9, 6, 9, 0);
    layout->addWidget(label_);
    layout->addWidget(combo_, 1);
    layout->addWidget(button_);
    retranslate();
}

QAction* ProfileBar::add_action(const char* object_name, void (ProfileBar::*asked)()) {
    QAction* action = button_->menu()->addAction(QString());
    action->setObjectName(QLatin1String(object_name));
    connect(action, &QAction::triggered, this, asked);
    return action;
}

void ProfileBar::show_profiles(const QStringList& names, const QString& current) {
    const QSignalBlocker quiet(combo_);
    combo_->clear();
    combo_->addItems(names);
    combo_->setCurrentIndex(int(names.indexOf(current)));
    // The profile in use is never removed: with one, there is nothing to remove.
    delete_->setEnabled(names.size() > 1);
}

void ProfileBar::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
    }
    QWidget::changeEvent(event);
}

void ProfileBar::retranslate() {
    label_->setText(tr("&Profile:"));
    button_->setText(tr("Profiles"));
    button_->setToolTip(tr("Make, rename, copy, remove, export and import profiles"));
    new_->setText(tr("&New\u2026"));
    rename_->setText(tr("&Rename\u2026"));
    duplicate_->setText(tr("&Duplicate"));
    delete_->setText(tr("De&lete\u2026"));
    export_->setText(tr("&Export\u2026"));
    import_->setText(tr("&Import\u2026"));
}
