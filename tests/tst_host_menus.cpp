// The host's menus as a user works them: the view's keys, the functions
// listed, and the language switched, all through the one road to the
// interpreter and the command log.

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include "CommandLog.h"
#include "HelpMenu.h"
#include "HostCommands.h"
#include "HostMenus.h"
#include "Kestrava_spaceWare.h"
#include "Languages.h"
#include "ModelView.h"
#include "RecentModels.h"
#include "SettingsHistory.h"
#include "Tarvik_gui.h"
#include "TestFiles.h"

class TestHostMenus : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    XMMainWindow* window_ = nullptr;
    ModelView* view_ = nullptr;
    CommandLog* log_ = nullptr;
    std::unique_ptr<HostCommands> commands_;
    std::unique_ptr<Languages> languages_;

    ModelView* view() const { return view_; }
    QString last_logged() const { return log_->document()->lastBlock().text(); }
    QAction* action(const char* name) const {
        return window_->findChild<QAction*>(QLatin1String(name));
    }
    // Picks File > Open Model and chooses `path` in the file dialog, as the
    // user does; the text of the message that follows, if one does.
    QString open_from_menu(const QString& path) {
        QString message;
        // Both dialogs are modal: they are answered from their own loops.
        QTimer::singleShot(100, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) {
                return;
            }
            QTimer::singleShot(100, this, [&] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    message = box->text();
                    box->accept();
                }
            });
            // Typed into the file name field, as the user does.
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
                name->setText(path);
            }
            static_cast<QDialog*>(dialog)->accept();
            // Never left waiting: a dialog that did not take the file goes.
            if (dialog->isVisible()) {
                dialog->reject();
            }
        });
        action("open_model_action")->trigger();
        QTest::qWait(250);
        return message;
    }

private slots:
    void initTestCase() {
        // The host's own settings kept off the user's.
        QStandardPaths::setTestModeEnabled(true);
        RecentModels::clear();
        SpaceWareLib::configure(dir_.filePath(QStringLiteral("prefs.ini")), 2);
    }

    void init() {
        window_ = new XMMainWindow;
        view_ = new ModelView;
        window_->set_graphic_view(view_);
        log_ = new CommandLog;
        auto* dock = new QDockWidget(window_);
        dock->setObjectName(QStringLiteral("command_dock"));
        dock->setWidget(log_);
        window_->addDockWidget(Qt::BottomDockWidgetArea, dock);
        commands_ = std::make_unique<HostCommands>(*view(), *log_);
        languages_ = std::make_unique<Languages>(QStringLiteral(KESTRAVA_TRANSLATIONS));
        auto* history =
            new SettingsHistory(*SpaceWareLib::instance()->preferences_manager(), window_);
        new HostMenus(*window_, *view_, *commands_, *languages_, *history);
        new HelpMenu(*window_, *commands_, *view_, *SpaceWareLib::instance()->preferences_manager(),
                     [] { return QStringLiteral("<b>Fake</b> device"); });
        window_->resize(900, 600);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
    }

    void cleanup() {
        delete window_;
        commands_.reset();
        languages_.reset();
    }

    // The usual keys run the built-in functions wherever the focus is but
    // in a text field or spin box, each logged as a key; the menu's entries
    // are logged as the menu.
    void keysRunTheViewFunctions() {
        auto* combo = new QComboBox;
        combo->addItems({"a", "b"});
        auto* dock = new QDockWidget(window_);
        dock->setWidget(combo);
        window_->addDockWidget(Qt::RightDockWidgetArea, dock);
        QTest::qWait(50);
        const struct {
            QWidget* focus;
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            const char* description;
            const char* logged;
        } presses[] = {
            {view(), Qt::Key_1, {}, "front perspective", "key 1: view front"},
            {combo, Qt::Key_2, {}, "top perspective", "key 2: view top"},
            {log_, Qt::Key_5, {}, "bottom perspective", "key 5: view bottom"},
            {view(), Qt::Key_P, {}, "bottom orthographic", "key P: view projection toggle"},
            {combo, Qt::Key_F, Qt::ShiftModifier, "bottom orthographic",
             "key Shift+F: view fit selection"},
            {view(), Qt::Key_Home, {}, "isometric perspective", "key Home: view reset"},
        };
        for (const auto& [focus, key, modifiers, description, logged] : presses) {
            focus->setFocus();
            QTest::keyClick(focus, key, modifiers);
            QCOMPARE(view()->description(), QLatin1String(description));
            QCOMPARE(last_logged(), QLatin1String(logged));
        }
        action("view_view_front_action")->trigger();
        QCOMPARE(last_logged(), QStringLiteral("menu: view front"));
    }

    // Typing a digit in a text field, a spin box or a text edit types it.
    void typingStaysTyping() {
        auto* field = new QLineEdit;
        auto* dock = new QDockWidget(window_);
        dock->setWidget(field);
        window_->addDockWidget(Qt::RightDockWidgetArea, dock);
        QTest::qWait(50);
        field->setFocus();
        QTest::keyClicks(field, "12P");
        QCOMPARE(field->text(), QStringLiteral("12P"));
        auto* spin = new QSpinBox;
        spin->setRange(0, 999);
        dock->setWidget(spin);
        QTest::qWait(50);
        spin->setFocus();
        spin->selectAll();
        QTest::keyClicks(spin, "152");
        QCOMPARE(spin->value(), 152);
        auto* text = new QPlainTextEdit;
        dock->setWidget(text);
        QTest::qWait(50);
        text->setFocus();
        QTest::keyClicks(text, "view 1");
        QCOMPARE(text->toPlainText(), QStringLiteral("view 1"));
        QCOMPARE(view()->description(), QStringLiteral("isometric perspective"));
    }

    // The Functions menu lists the user's own functions as they come, and
    // picking one runs it.
    void theFunctionsMenuRunsUserFunctions() {
        SpaceWarePreferencesManager* manager = SpaceWareLib::instance()->preferences_manager();
        QVERIFY(manager->add_or_edit_custom_function("greet", "echo hi there"));
        auto* functions = window_->findChild<QMenu*>(QStringLiteral("functions_menu"));
        emit functions->aboutToShow();
        QAction* greet = action("function_greet_action");
        QVERIFY(greet);
        // Built-in functions by their names for people; doing nothing is no entry.
        QCOMPARE(action("function_Fit_All_action")->text(), QStringLiteral("Fit All"));
        QCOMPARE(action("function_View_Front_action")->text(), QStringLiteral("Front View"));
        QVERIFY(!action("function_No_Action_action"));
        greet->trigger();
        QCOMPARE(last_logged(), QStringLiteral("hi there"));
        QVERIFY(manager->remove_custom_function("greet"));
        emit functions->aboutToShow();
        QVERIFY(!action("function_greet_action"));
    }

    // Help lists every command with an example, and About tells the
    // versions, the drawing, the preferences file and the device as they are.
    void helpTellsTheCommandsAndAbout() {
        action("help_commands_action")->trigger();
        auto* table = window_->findChild<QTableWidget*>(QStringLiteral("help_commands_table"));
        QVERIFY(table);
        QStringList rows;
        for (int row = 0; row < table->rowCount(); ++row) {
            rows << table->item(row, 0)->text() + " / " + table->item(row, 1)->text();
        }
        for (const char* expected :
             {"view zoom FACTOR / view zoom 1.5", "view rotate x|y|z NUMBER / view rotate y 22.5",
              "echo TEXT / echo hello", "view centre cursor / view centre cursor"}) {
            QVERIFY2(rows.contains(QLatin1String(expected)), qPrintable(rows.join('|')));
        }
        action("help_about_action")->trigger();
        auto* about = window_->findChild<QLabel*>(QStringLiteral("help_about_text"));
        QVERIFY(about);
        QCOMPARE(about->textFormat(), Qt::PlainText);
        const QString text = about->text();
        QVERIFY(text.contains(QStringLiteral("Qt ") + QLatin1String(qVersion())));
        QVERIFY(text.contains(SpaceWareLib::instance()->preferences_manager()->file()));
        QVERIFY(text.contains(QStringLiteral("Device: <b>Fake</b> device")));
        QVERIFY(text.contains(view()->uses_opengl() ? "OpenGL" : "QPainter"));
        // As the reader itself says it.
        QVERIFY2(text.contains(QStringLiteral("in a sandbox:\n  dies with the host: in force")) &&
                     text.contains(QStringLiteral("seccomp allow-list: in force")),
                 qPrintable(text));
    }

    // A function is checked as it is stored: a bad line is logged at once,
    // and running it runs none of its lines.
    void aFunctionIsCheckedWhenStored() {
        SpaceWarePreferencesManager* manager = SpaceWareLib::instance()->preferences_manager();
        QVERIFY(manager->add_or_edit_custom_function("typo", "echo a\nview zom 2"));
        QCOMPARE(last_logged(),
                 QStringLiteral("function typo: error: line 2: unknown command \"view zom 2\""));
        commands_->run_function(QStringLiteral("button 3"), "typo");
        QCOMPARE(last_logged(),
                 QStringLiteral("button 3: error: line 2: unknown command \"view zom 2\""));
        QVERIFY(!log_->toPlainText().contains(QStringLiteral("output")));
        QVERIFY(manager->add_or_edit_custom_function("typo", "echo a\nview zoom 2"));
        QVERIFY(last_logged().startsWith(QStringLiteral("button 3: error")));
        QVERIFY(manager->remove_custom_function("typo"));
    }

    // File > Open Model shows the chosen STL file; a file that is none is
    // refused, the view saying why, and the model stays.
    void openModelFromTheFileMenu() {
        const QString model =
            write_file(dir_, QStringLiteral("triangle.stl"),
                       "solid t\nfacet normal 0 0 1\nouter loop\nvertex 0 0 0\n"
                       "vertex 1 0 0\nvertex 0 1 0\nendloop\nendfacet\nendsolid t\n");
        QCOMPARE(open_from_menu(model), QString());
        QTRY_VERIFY(!view()->is_loading());
        QCOMPARE(view()->model().name, QStringLiteral("triangle.stl"));
        QCOMPARE(view()->model().triangle_count(), size_t(1));

        const QString letter = write_file(dir_, QStringLiteral("letter.stl"), "Dear user,\n");
        QCOMPARE(open_from_menu(letter), QString());
        QTRY_VERIFY(!view()->is_loading());
        QCOMPARE(view()->notice(),
                 QStringLiteral("letter.stl cannot be shown: it is not an STL file"));
        QCOMPARE(view()->model().name, QStringLiteral("triangle.stl"));
    }

    // File > Open Recent lists the last ten models read, newest first, and
    // opens them again; a file dropped on the view opens too.
    void recentModelsAndDroppedFiles() {
        RecentModels::clear();
        const QByteArray triangle = "solid t\nfacet normal 0 0 1\nouter loop\nvertex 0 0 0\n"
                                    "vertex 1 0 0\nvertex 0 1 0\nendloop\nendfacet\nendsolid t\n";
        for (int i = 1; i <= 12; ++i) {
            // The newest's name looks like markup: shown as it is, never read as markup.
            const QString name =
                i == 12 ? QStringLiteral("<i>m12.stl") : QStringLiteral("m%1.stl").arg(i);
            view()->open(write_file(dir_, name, triangle));
            QTRY_VERIFY(!view()->is_loading());
        }
        auto* recent = window_->findChild<QMenu*>(QStringLiteral("recent_models_menu"));
        emit recent->aboutToShow();
        QCOMPARE(recent->actions().size(), RecentModels::kept);
        QCOMPARE(recent->actions().first()->text(), QStringLiteral("&1 <i>m12.stl"));
        QTextDocument tooltip;
        tooltip.setHtml(recent->actions().first()->toolTip());
        QCOMPARE(tooltip.toPlainText(), dir_.filePath(QStringLiteral("<i>m12.stl")));
        QCOMPARE(recent->actions().last()->text(), QStringLiteral("1&0 m3.stl"));
        action("recent_model_5_action")->trigger();
        QTRY_VERIFY(!view()->is_loading());
        QCOMPARE(view()->model().name, QStringLiteral("m8.stl"));
        // Opened again, it moves to the top: never listed twice, ten kept.
        emit recent->aboutToShow();
        QSet<QString> paths;
        for (const QAction* entry : recent->actions()) {
            paths.insert(entry->toolTip());
        }
        QCOMPARE(paths.size(), RecentModels::kept);
        QCOMPARE(recent->actions().first()->text(), QStringLiteral("&1 m8.stl"));

        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(dir_.filePath(QStringLiteral("m2.stl")))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(view(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(view(), &drop);
        QTRY_VERIFY(!view()->is_loading());
        QCOMPARE(view()->model().name, QStringLiteral("m2.stl"));
    }

    // The Language menu switches the host's texts and back.
    void theLanguageMenuSwitches() {
        QMenu* file = window_->findChild<QMenu*>(QStringLiteral("file_menu"));
        action("language_fr_action")->trigger();
        QTRY_COMPARE(file->title(), QStringLiteral("&Fichier"));
        QCOMPARE(action("view_view_front_action")->text(), QStringLiteral("&Face"));
        QVERIFY(action("language_fr_action")->isChecked());
        QCOMPARE(window_->findChild<QDockWidget*>(QStringLiteral("command_dock"))->windowTitle(),
                 QStringLiteral("Commandes"));
        emit window_->findChild<QMenu*>(QStringLiteral("functions_menu"))->aboutToShow();
        QCOMPARE(action("function_Fit_All_action")->text(), QStringLiteral("Tout ajuster"));
        // Qt's own texts too, from Qt's catalogue.
        QCOMPARE(
            QDialogButtonBox(QDialogButtonBox::Cancel).button(QDialogButtonBox::Cancel)->text(),
            QStringLiteral("Annuler"));
        action("language_de_action")->trigger();
        QTRY_COMPARE(file->title(), QStringLiteral("&Datei"));
        QCOMPARE(
            QDialogButtonBox(QDialogButtonBox::Cancel).button(QDialogButtonBox::Cancel)->text(),
            QStringLiteral("Abbrechen"));
        action("language_en_action")->trigger();
        QTRY_COMPARE(file->title(), QStringLiteral("&File"));
        QCOMPARE(languages_->current(), QStringLiteral("en"));
    }
};

QTEST_MAIN(TestHostMenus)
#include "tst_host_menus.moc"
