#include "HelpMenu.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWhatsThis>

#include "HostCommands.h"
#include "Kestrava_spaceWare.h"
#include "ModelView.h"
#include "ReaderProcess.h"

namespace {
// A dialog of `content` with a Close button, deleted once closed.
void show_dialog(QWidget* parent, const QString& title, const char* name, QWidget* content) {
    auto* dialog = new QDialog(parent);
    dialog->setObjectName(QLatin1String(name));
    dialog->setWindowTitle(title);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(content);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog->show();
}
} // namespace

HelpMenu::HelpMenu(QMainWindow& window, const HostCommands& commands, const ModelView& view,
                   const SpaceWarePreferencesManager& manager,
                   std::function<QString()> device_state)
    : QObject(&window)
    , window_(window)
    , commands_(commands)
    , view_(view)
    , manager_(manager)
    , device_state_(std::move(device_state)) {
    menu_ = window.menuBar()->addMenu(QString());
    menu_->setObjectName(QStringLiteral("help_menu"));
    commands_action_ = menu_->addAction(QString());
    commands_action_->setObjectName(QStringLiteral("help_commands_action"));
    connect(commands_action_, &QAction::triggered, this, &HelpMenu::show_commands);
    menu_->addAction(QWhatsThis::createAction(menu_));
    about_ = menu_->addAction(QString());
    about_->setObjectName(QStringLiteral("help_about_action"));
    connect(about_, &QAction::triggered, this, &HelpMenu::show_about);
    retranslate();
    window.installEventFilter(this);
}

bool HelpMenu::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::LanguageChange) {
        retranslate();
    }
    return false;
}

void HelpMenu::retranslate() {
    menu_->setTitle(tr("&Help"));
    commands_action_->setText(tr("&Commands"));
    about_->setText(tr("&About Tarvik"));
}

void HelpMenu::show_commands() {
    const std::vector<CommandInterpreter::Usage> usage = commands_.usage();
    auto* table = new QTableWidget(int(usage.size()), 2);
    table->setObjectName(QStringLiteral("help_commands_table"));
    table->setHorizontalHeaderLabels({tr("Command"), tr("Example")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    for (size_t row = 0; row < usage.size(); ++row) {
        table->setItem(int(row), 0, new QTableWidgetItem(usage[row].form));
        table->setItem(int(row), 1, new QTableWidgetItem(usage[row].example));
    }
    table->resizeColumnsToContents();
    table->setMinimumSize(table->horizontalHeader()->length() + 40, 400);
    show_dialog(&window_, tr("Commands"), "help_commands_dialog", table);
}

void HelpMenu::show_about() {
    const QString renderer = view_.uses_opengl() ? tr("OpenGL: %1").arg(view_.renderer())
                                                 : tr("QPainter (no OpenGL here)");
    auto* text = new QLabel(
        tr("Tarvik with the Kestrava module %1\nQt %2\nView: %3\nPreferences: %4\nDevice: %5\n"
           "Model files are read by a process of their own, in a sandbox:\n%6")
            .arg(QStringLiteral(KESTRAVA_VERSION), QLatin1String(qVersion()), renderer,
                 manager_.file(), device_state_(),
                 QStringLiteral("  ") + ReaderProcess::protections().join(QStringLiteral("\n  "))));
    text->setObjectName(QStringLiteral("help_about_text"));
    // The device's name and the paths come from outside: never markup.
    text->setTextFormat(Qt::PlainText);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    show_dialog(&window_, tr("About Tarvik"), "help_about_dialog", text);
}
