// Profiles: named sets of the device settings, kept beside the preferences
// file, switched from the Device dock, the View menu, a key and a command,
// each switch a step of undo; shared as files whose every value is checked.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <memory>

#include "CommandLog.h"
#include "HostCommands.h"
#include "Kestrava_spaceWare.h"
#include "Languages.h"
#include "ModelView.h"
#include "MotionTransform.h"
#include "ProfileBar.h"
#include "Profiles.h"
#include "SettingsHistory.h"
#include "TestFiles.h"
#include "TestSupport.h"
#include "motionctrl/VQMotionCtrlPref.h"

namespace {
using Manager = SpaceWarePreferencesManager;

QByteArray contents_of(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Sensitivities at slider positions: the settings dialog writes back what
// its slider shows, and these it shows as they are.
float at_position(int position) {
    return float(std::pow(10.0, position / 100.0));
}
const float half = at_position(-30), double_ = at_position(30), triple = at_position(48);

float translation(const Manager::Settings& settings) {
    return settings.navig[trans_sensitivity].number;
}

Manager::Settings with_translation(Manager::Settings settings, float sensitivity) {
    settings.navig[trans_sensitivity].number = sensitivity;
    return settings;
}

// Answers the next message box with `button`, keeping its text.
void answer_box(QMessageBox::StandardButton button, QString* text = nullptr) {
    QTimer::singleShot(50, [=] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            if (text) {
                *text = box->text();
            }
            box->button(button)->click();
        }
    });
}

// The host's parts around the profiles, on the library's own manager: a
// window with the model view, the commands, the history, the dock's bar
// and the module's settings dialog.
struct Host {
    QMainWindow window;
    ModelView* view = new ModelView(nullptr, ModelView::Drawing::painter);
    CommandLog log;
    HostCommands commands{*view, log};
    SettingsHistory* history;
    Profiles* profiles;
    ProfileBar* bar;
    VQMotionCtrlPref* dialog;
    MotionSettingsFollower follower;

    explicit Host(Manager& manager)
        : history(new SettingsHistory(manager, &window))
        , follower(manager) {
        window.setWindowTitle(QStringLiteral("Tarvik"));
        window.setCentralWidget(view);
        profiles = new Profiles(window, manager, *view, *history);
        commands.set_profile_switcher({[this](int by) { profiles->step(by); },
                                       [this](const QString& name) { profiles->switch_to(name); }});
        bar = profiles->make_bar(&window);
        window.setMenuWidget(bar);
        dialog = new VQMotionCtrlPref(&manager, &window, "Preferences Editor", {});
        window.resize(640, 480);
        window.show();
        window.activateWindow();
    }
    QComboBox* combo() const { return bar->findChild<QComboBox*>(QStringLiteral("profile_combo")); }
};

// Runs `act`, which opens the import dialog: keeps its list, saves its
// picture and takes the import.
QStringList import_listing(const std::function<void()>& act, const QString& picture) {
    QStringList listed;
    QTimer::singleShot(100, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            return;
        }
        auto* list = dialog->findChild<QListWidget*>(QStringLiteral("profile_import_changes"));
        for (int i = 0; list && i < list->count(); ++i) {
            listed << list->item(i)->text();
        }
        save_screenshot(dialog, picture);
        dialog->findChild<QPushButton*>(QStringLiteral("profile_import_button"))->click();
    });
    act();
    return listed;
}
} // namespace

class TestProfiles : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<Manager> manager_;

    QTemporaryDir library_dir_;
    std::unique_ptr<Host> host_;

    QString file() const { return dir_->filePath(QStringLiteral("prefs.ini")); }
    static Manager& library() { return *SpaceWareLib::instance()->preferences_manager(); }
    std::unique_ptr<Manager> another_manager() const {
        return std::make_unique<Manager>(file(), 4);
    }

private slots:
    void initTestCase() {
        SpaceWareLib::configure(library_dir_.filePath(QStringLiteral("prefs.ini")), 4);
    }

    // Each case has a folder of its own: the profiles live beside the file.
    // The library's manager, which the host's parts use, starts each case in
    // "Default" at the factory settings, with "Detail" beside it.
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        manager_ = another_manager();
        library().reset_navig_settings();
        QVERIFY(library().switch_profile(QStringLiteral("Default")));
        for (const QString& name : library().profile_names()) {
            library().remove_profile(name);
        }
        QVERIFY(library().store_profile(QStringLiteral("Default"), library().default_settings()));
        QVERIFY(library().store_profile(QStringLiteral("Detail"),
                                        with_translation(library().default_settings(), half)));
    }
    void cleanup() {
        host_.reset();
        manager_.reset();
    }

    // Whichever way a switch comes, the dialog, the transform, the combo,
    // the title and the note over the view follow at once.
    void switchingFollowsAtOnce_data() {
        QTest::addColumn<std::function<void(Host&)>>("by");
        QTest::newRow("the combo") << std::function<void(Host&)>(
            [](Host& host) { choose(host.combo(), QStringLiteral("Detail")); });
        QTest::newRow("the menu") << std::function<void(Host&)>([](Host& host) {
            host.profiles->menu()
                ->findChild<QAction*>(QStringLiteral("profile_action_2"))
                ->trigger();
        });
        QTest::newRow("Ctrl+2") << std::function<void(Host&)>([](Host& host) {
            QVERIFY(QTest::qWaitForWindowActive(&host.window));
            QTest::keyClick(&host.window, Qt::Key_2, Qt::ControlModifier);
        });
        QTest::newRow("a function running profile Detail")
            << std::function<void(Host&)>([](Host& host) {
                   library().add_or_edit_custom_function("detail", "profile Detail");
                   host.commands.run_function(QStringLiteral("button 1"), "detail");
               });
        QTest::newRow("Next_Profile") << std::function<void(Host&)>([](Host& host) {
            host.commands.run_function(QStringLiteral("button 2"), "Next_Profile");
        });
    }
    void switchingFollowsAtOnce() {
        QFETCH(std::function<void(Host&)>, by);
        host_ = std::make_unique<Host>(library());
        QCOMPARE(host_->window.windowTitle(), QStringLiteral("Tarvik \u2014 Default"));
        by(*host_);
        QCOMPARE(library().profile(), QStringLiteral("Detail"));
        QCOMPARE(host_->dialog->trans_sensib_slider_->value(), -30);
        QCOMPARE(host_->follower.settings().translation_sensitivity, half);
        QCOMPARE(host_->combo()->currentText(), QStringLiteral("Detail"));
        QCOMPARE(host_->window.windowTitle(), QStringLiteral("Tarvik \u2014 Detail"));
        QCOMPARE(host_->view->note(), QStringLiteral("Profile: Detail"));
        save_screenshot(&host_->window, QStringLiteral("profile_switched.png"));
        QTRY_COMPARE(host_->view->note(), QString());
    }

    // Unsaved changes are asked about: Cancel stays, Save keeps them in the
    // profile left.
    void unsavedChangesAreAskedAboutAtASwitch() {
        host_ = std::make_unique<Host>(library());
        library().navig_float(trans_sensitivity)->set(double_);
        QString asked;
        answer_box(QMessageBox::Cancel, &asked);
        choose(host_->combo(), QStringLiteral("Detail"));
        QVERIFY2(asked.contains(QStringLiteral("\u201cDefault\u201d")), qPrintable(asked));
        QCOMPARE(library().profile(), QStringLiteral("Default"));
        QCOMPARE(host_->combo()->currentText(), QStringLiteral("Default"));
        QCOMPARE(library().navig_float(trans_sensitivity)->get(), double_);
        answer_box(QMessageBox::Save);
        choose(host_->combo(), QStringLiteral("Detail"));
        QCOMPARE(library().profile(), QStringLiteral("Detail"));
        QCOMPARE(translation(library().profile_settings(QStringLiteral("Default"))), double_);
    }

    // A switch and an import are each one step of undo: an import made a
    // profile or replaced one, and its undo takes that back too. The
    // dialog lists what the import changes, in English and in German.
    void undoTakesBackASwitchAndAnImport_data() {
        QTest::addColumn<QString>("language");
        QTest::newRow("en") << QStringLiteral("en");
        QTest::newRow("de") << QStringLiteral("de");
    }
    void undoTakesBackASwitchAndAnImport() {
        QFETCH(QString, language);
        Languages languages{QStringLiteral(KESTRAVA_TRANSLATIONS)};
        QVERIFY(languages.use(language));
        host_ = std::make_unique<Host>(library());
        save_screenshot(host_->bar, QStringLiteral("profile_bar_%1.png").arg(language));
        choose(host_->combo(), QStringLiteral("Detail"));
        host_->history->undo();
        QCOMPARE(library().profile(), QStringLiteral("Default"));
        host_->history->redo();
        QCOMPARE(library().profile(), QStringLiteral("Detail"));

        const QString shared = dir_->filePath(QStringLiteral("shared.tarvik-profile"));
        QVERIFY(library().export_profile(shared, QStringLiteral("Shared"),
                                         with_translation(library().default_settings(), double_)));
        const QStringList listed =
            import_listing([&] { host_->profiles->import_profile(shared); },
                           QStringLiteral("profile_import_%1.png").arg(language));
        QCOMPARE(listed.size(), 1);
        QVERIFY2(listed[0].contains(QLocale().toString(double(double_), 'f', 2)),
                 qPrintable(listed[0]));
        QCOMPARE(library().profile(), QStringLiteral("Shared"));
        host_->history->undo();
        QCOMPARE(library().profile_names(),
                 QStringList({QStringLiteral("Default"), QStringLiteral("Detail")}));
        QCOMPARE(library().profile(), QStringLiteral("Detail"));

        const QString detail = dir_->filePath(QStringLiteral("detail.tarvik-profile"));
        QVERIFY(library().export_profile(detail, QStringLiteral("Detail"),
                                         with_translation(library().default_settings(), triple)));
        import_listing([&] { host_->profiles->import_profile(detail); }, QString());
        QCOMPARE(library().navig_float(trans_sensitivity)->get(), triple);
        host_->history->undo();
        QCOMPARE(translation(library().profile_settings(QStringLiteral("Detail"))), half);
        QCOMPARE(library().navig_float(trans_sensitivity)->get(), half);
        QVERIFY(languages.use(QStringLiteral("en")));
    }

    // A file with a bad value, cut short or of a newer format is refused
    // whole with its reason, and nothing changes.
    void badImportsChangeNothingAndSayWhy_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        const QString path = dir_->filePath(QStringLiteral("good.tarvik-profile"));
        QVERIFY(library().export_profile(path, QStringLiteral("Good"),
                                         with_translation(library().default_settings(), 2)));
        const QByteArray good = contents_of(path);
        QByteArray bad = good;
        bad.replace("translation_sensitivity=2", "translation_sensitivity=99");
        const int line = int(good.left(good.indexOf("translation_sensitivity=")).count('\n')) + 1;
        QTest::newRow("a bad value")
            << bad
            << QStringLiteral("line %1: navigation/translation_sensitivity: not a number from "
                              "0.1 to 10")
                   .arg(line);
        QTest::newRow("cut short")
            << good.left(good.indexOf("[profile]")) << QStringLiteral("profile/format is missing");
        QTest::newRow("cut in a line") << good.left(good.indexOf("translation_sensitivity") + 11)
                                       << QStringLiteral("is missing: the file is not whole");
        QTest::newRow("a newer format") << QByteArray(good).replace("format=1", "format=2")
                                        << QStringLiteral("format 2 is newer than this program");
    }
    void badImportsChangeNothingAndSayWhy() {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        host_ = std::make_unique<Host>(library());
        const QStringList names = library().profile_names();
        const QString path = write_file(*dir_, QStringLiteral("bad.tarvik-profile"), content);
        QString told;
        answer_box(QMessageBox::Ok, &told);
        host_->profiles->import_profile(path);
        QVERIFY2(told.contains(reason), qPrintable(told));
        QCOMPARE(library().profile_names(), names);
        QCOMPARE(library().profile(), QStringLiteral("Default"));
        QVERIFY(!host_->history->can_undo());
    }

    // A file of today is one profile, "Default", and is left as it is
    // until something is saved; the file keeps the settings in use.
    void aFileOfTodayOpensAsDefaultUnchanged() {
        manager_.reset();
        const QByteArray today = "[navigation]\ntranslation_sensitivity=0.5\n\n[buttons]\n"
                                 "button_1=View_Top\n\n[custom_functions]\n1\\name=hello\n"
                                 "1\\definition=echo hello\nsize=1\n";
        write_file(*dir_, QStringLiteral("prefs.ini"), today);
        manager_ = another_manager();
        QCOMPARE(manager_->profile_names(), QStringList{QStringLiteral("Default")});
        QCOMPARE(manager_->navig_float(trans_sensitivity)->get(), 0.5f);
        QVERIFY(manager_->store_profile(QStringLiteral("Detail"), manager_->default_settings()));
        QCOMPARE(contents_of(file()), today);
        QVERIFY(!QDir(dir_->filePath(QStringLiteral("profiles")))
                     .exists(QStringLiteral("Default.tarvik-profile")));

        QVERIFY(manager_->switch_profile(QStringLiteral("Detail")));
        QSettings kept(file(), QSettings::IniFormat);
        QCOMPARE(kept.value("navigation/translation_sensitivity").toFloat(), 1.0f);
        QCOMPARE(kept.value("profile/name").toString(), QStringLiteral("Detail"));
        QCOMPARE(kept.value("custom_functions/1/name").toString(), QStringLiteral("hello"));
        QCOMPARE(translation(manager_->profile_settings(QStringLiteral("Default"))), 0.5f);
    }

    // Save, Restore Preferences and Restore Default act on the profile in
    // use; the next start comes back to it.
    void saveAndRestoreActOnTheProfileInUse() {
        QVERIFY(manager_->store_profile(QStringLiteral("Detail"), manager_->default_settings()));
        QVERIFY(manager_->switch_profile(QStringLiteral("Detail")));
        manager_->navig_float(trans_sensitivity)->set(0.5f);
        QVERIFY(manager_->save_navig_values());
        manager_->navig_float(trans_sensitivity)->set(0.7f);
        manager_->reset_navig_settings();
        QCOMPARE(manager_->navig_float(trans_sensitivity)->get(), 0.5f);
        manager_->reset_navig_defaults();
        QCOMPARE(manager_->navig_float(trans_sensitivity)->get(), 1.0f);
        QVERIFY(manager_->switch_profile(QStringLiteral("Default")));
        QCOMPARE(manager_->navig_float(trans_sensitivity)->get(), 1.0f);
        QCOMPARE(translation(manager_->profile_settings(QStringLiteral("Detail"))), 0.5f);
        QVERIFY(manager_->switch_profile(QStringLiteral("Detail")));
        manager_ = another_manager();
        QCOMPARE(manager_->profile(), QStringLiteral("Detail"));
        QCOMPARE(manager_->navig_float(trans_sensitivity)->get(), 0.5f);
    }

    // Two hosts in different profiles save at once: each profile keeps
    // what its host saved.
    void twoHostsSavingDifferentProfilesLoseNeither() {
        QVERIFY(manager_->store_profile(QStringLiteral("Detail"), manager_->default_settings()));
        auto other = another_manager();
        QVERIFY(other->switch_profile(QStringLiteral("Detail")));
        manager_->navig_float(trans_sensitivity)->set(2.0f);
        other->navig_float(rot_sensitivity)->set(3.0f);
        QVERIFY(manager_->save_navig_values());
        QVERIFY(other->save_navig_values());
        const auto fresh = another_manager();
        QCOMPARE(translation(fresh->profile_settings(QStringLiteral("Default"))), 2.0f);
        const Manager::Settings detail = fresh->profile_settings(QStringLiteral("Detail"));
        QCOMPARE(detail.navig[rot_sensitivity].number, 3.0f);
        QCOMPARE(translation(detail), 1.0f);
    }

    // Every setting off its default goes out and comes back exactly.
    void exportThenImportRoundTripsEverySetting() {
        manager_->set_navig_choices({{x_trans_axis, 1}, {y_trans_axis, 2}, {z_trans_axis, 0}});
        for (int a = x_trans_direction; a < Manager::navig_count; ++a) {
            const auto attribute = static_cast<NavigAttribute>(a);
            const auto [lowest, highest] = Manager::navig_range(attribute);
            if (Manager::navig_choice_count(attribute) > 0) {
                manager_->set_navig_choice(attribute, Manager::navig_choice_count(attribute) - 1);
            } else {
                manager_->navig_float(attribute)->set(float(lowest + (highest - lowest) / 3));
            }
        }
        Manager::Settings odd = manager_->current_settings();
        odd.buttons = {"Next_Profile", "View_Top", "No_Action", "Previous_Profile"};
        const QString path = dir_->filePath(QStringLiteral("odd.tarvik-profile"));
        QVERIFY(manager_->export_profile(path, QStringLiteral("Odd & Ends"), odd));
        const Manager::ProfileFile read = manager_->read_profile_file(path);
        QCOMPARE(read.problem, QString());
        QCOMPARE(read.name, QStringLiteral("Odd & Ends"));
        QVERIFY(read.values == odd);
    }
};

QTEST_MAIN(TestProfiles)
#include "tst_profiles.moc"
