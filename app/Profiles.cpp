#include "Profiles.h"

#include <QActionGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include "Kestrava_spaceWare.h"
#include "ModelView.h"
#include "ProfileBar.h"
#include "ProfileChanges.h"
#include "QuitGuard.h"
#include "SettingsHistory.h"

namespace {
// Ctrl+1 … Ctrl+9 switch to the first nine profiles.
const int keyed_profiles = 9;

QString file_filter() {
    return QObject::tr("Profiles (*%1)").arg(QLatin1String(Profiles::file_suffix));
}
} // namespace

Profiles::Profiles(QWidget& window, Manager& manager, ModelView& view, SettingsHistory& history)
    : QObject(&window)
    , window_(window)
    , manager_(manager)
    , view_(&view)
    , history_(history)
    , title_(window.windowTitle())
    , menu_(new QMenu(&window)) {
    menu_->setObjectName(QStringLiteral("profiles_menu"));
    manager_.set_profiles_listener([this] { follow(); });
    view.set_drop_taker([this](const QString& path) {
        if (!is_profile_file(path)) {
            return false;
        }
        import_profile(path);
        return true;
    });
    window.installEventFilter(this);
    follow();
}

Profiles::~Profiles() {
    manager_.set_profiles_listener(nullptr);
    if (view_) {
        view_->set_drop_taker(nullptr);
    }
}

bool Profiles::is_profile_file(const QString& path) {
    return path.endsWith(QLatin1String(file_suffix), Qt::CaseInsensitive);
}

void Profiles::follow() {
    const QStringList names = manager_.profile_names();
    window_.setWindowTitle(names.size() > 1 ? tr("%1 \u2014 %2").arg(title_, manager_.profile())
                                            : title_);
    shown_ = names;
    fill_menu();
    emit changed();
}

void Profiles::fill_menu() {
    menu_->setTitle(tr("&Profiles"));
    menu_->clear();
    auto* group = new QActionGroup(menu_);
    for (int i = 0; i < shown_.size(); ++i) {
        const QString name = shown_[i];
        // A profile's name may hold an ampersand: it is no mnemonic here.
        QAction* action = menu_->addAction(QString(name).replace('&', QStringLiteral("&&")));
        action->setObjectName(QStringLiteral("profile_action_%1").arg(i + 1));
        action->setCheckable(true);
        action->setChecked(name == manager_.profile());
        action->setActionGroup(group);
        if (i < keyed_profiles) {
            action->setShortcut(QKeySequence(QStringLiteral("Ctrl+%1").arg(i + 1)));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        connect(action, &QAction::triggered, this, [this, name] { switch_to(name); });
    }
    // The keys work with the menu closed: the window holds the actions too.
    for (QAction* action : window_.actions()) {
        if (action->objectName().startsWith(QLatin1String("profile_action_"))) {
            window_.removeAction(action);
        }
    }
    window_.addActions(menu_->actions());
}

ProfileBar* Profiles::make_bar(QWidget* parent) {
    auto* bar = new ProfileBar(parent);
    const auto show = [this, bar] { bar->show_profiles(shown_, manager_.profile()); };
    show();
    connect(this, &Profiles::changed, bar, show);
    // A switch that did not happen leaves the combo as it was.
    connect(bar, &ProfileBar::chosen, this, [this, show](const QString& name) {
        switch_to(name);
        show();
    });
    connect(bar, &ProfileBar::new_asked, this, &Profiles::new_profile);
    connect(bar, &ProfileBar::rename_asked, this, &Profiles::rename_profile);
    connect(bar, &ProfileBar::duplicate_asked, this, &Profiles::duplicate_profile);
    connect(bar, &ProfileBar::delete_asked, this, &Profiles::delete_profile);
    connect(bar, &ProfileBar::export_asked, this, &Profiles::export_profile);
    connect(bar, &ProfileBar::import_asked, this, [this] { import_profile(); });
    return bar;
}

bool Profiles::switch_to(const QString& name) {
    if (name == manager_.profile()) {
        return true;
    }
    if (!manager_.has_profile(name)) {
        warn(tr("Profiles"), tr("There is no profile \u201c%1\u201d.").arg(name));
        return false;
    }
    if (!QuitGuard::may_leave_settings(
            window_, manager_,
            tr("The settings have changed since they were last saved. Save them to the profile "
               "\u201c%1\u201d before switching to \u201c%2\u201d?")
                .arg(manager_.profile(), name))) {
        return false;
    }
    if (!manager_.switch_profile(name)) {
        warn(
            tr("Profiles"),
            tr("Cannot switch to the profile \u201c%1\u201d: %2").arg(name, manager_.save_error()));
        return false;
    }
    view_->show_note(tr("Profile: %1").arg(name));
    return true;
}

void Profiles::step(int by) {
    const QStringList names = manager_.profile_names();
    const qsizetype at = names.indexOf(manager_.profile());
    switch_to(names.value(((at + by) % names.size() + names.size()) % names.size()));
}

void Profiles::warn(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, &window_);
    box.setObjectName(QStringLiteral("profile_warning_box"));
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool Profiles::may_leave_profile() {
    return QuitGuard::may_leave_settings(
        window_, manager_,
        tr("The settings have changed since they were last saved. Save them to the profile "
           "\u201c%1\u201d first?")
            .arg(manager_.profile()));
}

// A name not taken, asked until one is given or the user gives up.
QString Profiles::ask_name(const QString& title, const QString& label, const QString& suggested) {
    QString name = suggested;
    for (;;) {
        QInputDialog dialog(&window_);
        dialog.setObjectName(QStringLiteral("profile_name_dialog"));
        dialog.setWindowTitle(title);
        dialog.setLabelText(label);
        dialog.setTextValue(name);
        if (dialog.exec() != QDialog::Accepted) {
            return {};
        }
        name = dialog.textValue().trimmed();
        if (!Manager::is_valid_profile_name(name)) {
            warn(title, tr("A profile's name is 1 to 64 characters long, without control "
                           "characters."));
        } else if (manager_.has_profile(name)) {
            warn(title, tr("There is a profile \u201c%1\u201d already.").arg(name));
        } else {
            return name;
        }
    }
}

// A new profile starts from the factory settings, and is the one in use.
void Profiles::new_profile() {
    const QString name = ask_name(tr("New Profile"), tr("Name of the new profile:"), QString());
    if (name.isEmpty() || !may_leave_profile()) {
        return;
    }
    history_.record_profiles_change([&] {
        return manager_.store_profile(name, manager_.default_settings()) &&
               manager_.switch_profile(name);
    });
}

// The copy holds the settings as they are now, saved, and is the one in use.
void Profiles::duplicate_profile() {
    const QString name = ask_name(tr("Duplicate Profile"), tr("Name of the copy:"),
                                  tr("%1 (copy)").arg(manager_.profile()).left(64));
    if (name.isEmpty()) {
        return;
    }
    const Manager::Settings values = manager_.current_settings();
    history_.record_profiles_change(
        [&] { return manager_.store_profile(name, values) && manager_.switch_profile(name); });
}

void Profiles::rename_profile() {
    const QString old_name = manager_.profile();
    const QString name =
        ask_name(tr("Rename Profile"), tr("New name of the profile \u201c%1\u201d:").arg(old_name),
                 old_name);
    if (!name.isEmpty() && !manager_.rename_profile(old_name, name)) {
        warn(tr("Rename Profile"), manager_.save_error());
    }
}

// The profile in use goes; the next one in name order takes its place.
void Profiles::delete_profile() {
    const QStringList names = manager_.profile_names();
    if (names.size() < 2) {
        return;
    }
    const QString name = manager_.profile();
    QMessageBox box(QMessageBox::Question, tr("Delete Profile"),
                    tr("Delete the profile \u201c%1\u201d?").arg(name),
                    QMessageBox::Yes | QMessageBox::Cancel, &window_);
    box.setObjectName(QStringLiteral("profile_delete_box"));
    box.setTextFormat(Qt::PlainText);
    if (box.exec() != QMessageBox::Yes) {
        return;
    }
    const QString next = names.value((names.indexOf(name) + 1) % names.size());
    history_.record_profiles_change(
        [&] { return manager_.switch_profile(next) && manager_.remove_profile(name); });
}

void Profiles::export_profile() {
    const QString path = QFileDialog::getSaveFileName(
        &window_, tr("Export Profile"), manager_.profile() + QLatin1String(file_suffix),
        file_filter());
    if (path.isEmpty()) {
        return;
    }
    const QString file = is_profile_file(path) ? path : path + QLatin1String(file_suffix);
    if (!manager_.export_profile(file, manager_.profile(), manager_.current_settings())) {
        warn(tr("Export Profile"), manager_.save_error());
    }
}

void Profiles::import_profile(QString path) {
    if (path.isEmpty()) {
        path =
            QFileDialog::getOpenFileName(&window_, tr("Import Profile"), QString(), file_filter());
        if (path.isEmpty()) {
            return;
        }
    }
    const Manager::ProfileFile read = manager_.read_profile_file(path);
    if (!read.problem.isEmpty()) {
        warn(tr("Import Profile"),
             tr("%1 cannot be imported: %2").arg(QFileInfo(path).fileName(), read.problem));
        return;
    }
    const bool replaces = manager_.has_profile(read.name);
    const Manager::Settings before =
        replaces ? manager_.profile_settings(read.name) : manager_.default_settings();
    if (!confirm_import(read.name, profile_changes(manager_, before, read.values), replaces) ||
        !may_leave_profile()) {
        return;
    }
    if (!history_.record_profiles_change([&] {
            return manager_.store_profile(read.name, read.values) &&
                   manager_.switch_profile(read.name);
        })) {
        warn(tr("Import Profile"), manager_.save_error());
        return;
    }
    view_->show_note(tr("Profile: %1").arg(read.name));
}

// What the import changes, against the profile it replaces or the factory
// settings a new one starts from.
bool Profiles::confirm_import(const QString& name, const QStringList& changes, bool replaces) {
    QDialog dialog(&window_);
    dialog.setObjectName(QStringLiteral("profile_import_dialog"));
    dialog.setWindowTitle(tr("Import Profile"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* question = new QLabel(
        replaces
            ? tr("Replace the profile \u201c%1\u201d with the imported one? It changes:").arg(name)
            : tr("Import the profile \u201c%1\u201d? Against the factory settings it "
                 "changes:")
                  .arg(name),
        &dialog);
    question->setTextFormat(Qt::PlainText);
    question->setWordWrap(true);
    layout->addWidget(question);
    auto* list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("profile_import_changes"));
    list->addItems(changes.isEmpty() ? QStringList{tr("nothing")} : changes);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, &dialog);
    QPushButton* take =
        buttons->addButton(replaces ? tr("&Replace") : tr("&Import"), QDialogButtonBox::AcceptRole);
    take->setObjectName(QStringLiteral("profile_import_button"));
    take->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(480, 360);
    return dialog.exec() == QDialog::Accepted;
}

bool Profiles::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::LanguageChange) {
        fill_menu();
    }
    return false;
}
