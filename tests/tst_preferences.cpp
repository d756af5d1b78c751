// The settings manager: defaults, saved preferences in a file, custom
// functions, and files that hold anything at all.

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <sys/stat.h>

#include "FreshSettings.h"
#include "Kestrava_spaceWare.h"
#include "TestFiles.h"
#include "TestSupport.h"

namespace {
using Manager = SpaceWarePreferencesManager;

QString navig_text(const Manager& manager, NavigAttribute attribute) {
    return text_of(manager.navig_string(attribute));
}

QStringList function_names(const Manager& manager) {
    QStringList names;
    for (FunctionNameIterator it = manager.function_name_iterator(); it.more(); it.next()) {
        names << QString::fromLatin1(it.key().c_str());
    }
    return names;
}

QByteArray read_file(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void expect_warning(const QString& pattern) {
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(pattern));
}
} // namespace

class TestPreferences : public QObject {
    Q_OBJECT
    FreshSettings fresh_;
    const QString& file_ = fresh_.file();

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { fresh_.next_case(); }

    // A manager without a file holds the factory defaults, and the choice
    // strings are told apart by group.
    void factoryDefaults() {
        const Manager manager(file_, 3);
        const char* const axes[] = {"x", "y", "z"};
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(navig_text(manager, translation_axis(row)), QLatin1String(axes[row]));
            QCOMPARE(navig_text(manager, translation_direction(row)), QStringLiteral("positive"));
            QCOMPARE(navig_text(manager, rotation_direction(row)), QStringLiteral("clockwise"));
            for (NavigAttribute a :
                 {translation_axis(row), translation_direction(row), rotation_direction(row)}) {
                QVERIFY(manager.navig_value(a)->is_from_preferences());
            }
        }
        QCOMPARE(manager.navig_float(trans_sensitivity)->get(), 1.0f);
        QCOMPARE(manager.navig_float(rot_sensitivity)->get(), 1.0f);
        QCOMPARE(text_of(manager.button_value(1)), QStringLiteral("Fit_All"));
        QCOMPARE(text_of(manager.button_value(3)),
                 QString::fromLatin1(Manager::no_action_name().c_str()));
        QVERIFY(manager.button_value(0) == nullptr);
        QVERIFY(manager.button_value(4) == nullptr);
        QCOMPARE(text_of(manager.custom_function_names()), QString());
        QVERIFY(function_names(manager).contains(Manager::no_action_name().c_str()));
        QVERIFY(!QFile::exists(file_)); // reading wrote nothing

        for (int i = 0; i < 3; ++i) {
            const CString& axis = Manager::index_to_string(axis_group, i);
            QCOMPARE(Manager::string_to_index(axis_group, axis), i);
            QVERIFY(Manager::string_to_index(direction_group, axis) < 0);
            QVERIFY(Manager::string_to_index(rotation_group, axis) < 0);
        }
        QCOMPARE(Manager::index_to_string(direction_group, 2).c_str(), "");
        QCOMPARE(Manager::index_to_string(axis_group, -1).c_str(), "");
        QVERIFY(Manager::string_to_index(rotation_group, "positive") < 0);
        QVERIFY(Manager::default_file().startsWith(
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)));
    }

    // Saved values come back in a new manager on the same file; restore
    // brings back the saved ones, defaults the factory ones, each notified.
    void saveRestoreAndDefaultsRoundTripThroughTheFile() {
        {
            Manager manager(file_, 31);
            manager.navig_string(x_trans_axis)->set("y");
            manager.navig_string(y_trans_axis)->set("x");
            manager.navig_string(z_rot_direction)->set("counterclockwise");
            manager.navig_float(trans_sensitivity)->set(1.9952623f);
            manager.button_value(31)->set("View_Top");
            QVERIFY(manager.save_navig_values());
            QVERIFY(manager.save_button_values());
        }
        Manager manager(file_, 31);
        QCOMPARE(navig_text(manager, x_trans_axis), QStringLiteral("y"));
        QCOMPARE(navig_text(manager, y_trans_axis), QStringLiteral("x"));
        QCOMPARE(navig_text(manager, z_rot_direction), QStringLiteral("counterclockwise"));
        QCOMPARE(manager.navig_float(trans_sensitivity)->get(), 1.9952623f);
        QCOMPARE(text_of(manager.button_value(31)), QStringLiteral("View_Top"));

        int notified = 0;
        auto observer = observe(manager.button_value(31), [&](Value*) { ++notified; });
        manager.button_value(31)->set("Fit_All");
        manager.reset_button_settings();
        QCOMPARE(text_of(manager.button_value(31)), QStringLiteral("View_Top"));
        QVERIFY(manager.button_value(31)->is_from_preferences());
        manager.reset_button_defaults();
        QCOMPARE(text_of(manager.button_value(31)),
                 QString::fromLatin1(Manager::no_action_name().c_str()));
        QVERIFY(manager.button_value(31)->is_from_defaults());
        QCOMPARE(notified, 3);

        manager.reset_navig_defaults();
        QCOMPARE(navig_text(manager, x_trans_axis), QStringLiteral("x"));
        QCOMPARE(manager.navig_float(trans_sensitivity)->get(), 1.0f);
        manager.reset_navig_settings();
        QCOMPARE(navig_text(manager, x_trans_axis), QStringLiteral("y"));
        // Defaults are not saved until asked.
        QCOMPARE(navig_text(Manager(file_, 31), x_trans_axis), QStringLiteral("y"));
    }

    // Bulk restores store every value before telling anyone, so observers
    // keeping the axes a permutation never see a half-restored mapping.
    void restoreNotifiesOnlyFinishedMappings() {
        Manager manager(file_, 0);
        QStringList seen;
        auto observer = observe(manager.navig_value(x_trans_axis), [&](Value*) {
            seen << navig_text(manager, translation_axis(0)) +
                        navig_text(manager, translation_axis(1)) +
                        navig_text(manager, translation_axis(2));
        });
        manager.navig_string(x_trans_axis)->assign("z");
        manager.navig_string(z_trans_axis)->assign("x");
        manager.reset_navig_defaults();
        QCOMPARE(seen, QStringList{"xyz"});
    }

    // Custom functions: names published sorted and joined by blanks at every
    // add and remove, written to the file at once; bad names refused.
    void customFunctions() {
        Manager manager(file_, 2);
        QStringList published;
        auto observer = observe(manager.custom_function_names(), [&](Value*) {
            published << text_of(manager.custom_function_names());
        });
        manager.add_or_edit_custom_function("b", "echo b");
        manager.add_or_edit_custom_function("a", "echo a");
        manager.add_or_edit_custom_function("B", "line one\nline two, with a comma");
        QCOMPARE(published, (QStringList{"b", "a b", "B a b"}));
        manager.add_or_edit_custom_function("a", "echo A");
        QCOMPARE(published.size(), 3); // an edit keeps the list
        QCOMPARE(manager.get_function_definition("a").c_str(), "echo A");

        expect_warning("refused: it is empty or holds a blank");
        manager.add_or_edit_custom_function("two words", "x");
        expect_warning("refused: it is empty or holds a blank");
        manager.add_or_edit_custom_function("", "x");
        expect_warning("refused: a built-in function has it");
        manager.add_or_edit_custom_function("Fit_All", "x");
        QCOMPARE(published.size(), 3);
        QCOMPARE(manager.get_function_definition("Fit_All").c_str(), "view fit all");

        const Manager reread(file_, 2);
        QCOMPARE(text_of(reread.custom_function_names()), QStringLiteral("B a b"));
        QCOMPARE(reread.get_function_definition("B").c_str(), "line one\nline two, with a comma");
        QCOMPARE(reread.get_function_definition("a").c_str(), "echo A");

        // A function's action hands its command to the host's interpreter.
        QStringList commands;
        manager.set_command_handler([&](const CString& command) { commands << command.c_str(); });
        for (FunctionNameIterator it = manager.function_name_iterator(); it.more(); it.next()) {
            if (it.key() == CString("B") || it.key() == CString("Fit_All")) {
                it.value().first->execute();
                QCOMPARE(it.value().second->get(), manager.get_function_definition(it.key()));
            }
        }
        QCOMPARE(commands, (QStringList{"line one\nline two, with a comma", "view fit all"}));

        manager.remove_custom_function("a");
        manager.remove_custom_function("Fit_All"); // built-in: stays
        manager.remove_custom_function("unknown");
        QCOMPARE(published.last(), QStringLiteral("B b"));
        QVERIFY(function_names(manager).contains("Fit_All"));
        QVERIFY(!function_names(Manager(file_, 2)).contains("a"));
    }

    // Every kind of bad value in a file falls back to its default with one
    // warning naming the file and the key; good values beside them are kept.
    void badValuesFallBackWithAWarning() {
        write_file(file_, "[navigation]\n"
                          "x_translation_axis=w\n"
                          "x_translation_direction=negative\n"
                          "y_translation_direction=sideways\n"
                          "x_rotation_direction=counterclockwise\n"
                          "y_rotation_direction=positive\n"
                          "translation_sensitivity=fast\n"
                          "rotation_sensitivity=inf\n"
                          "this line is garbled\n"
                          "[buttons]\n"
                          "button_1=View_Top\n"
                          "button_2=two words\n"
                          "button_3=Fit_All\n"
                          "button_x=Fit_All\n"
                          "button_4=\n"
                          "[custom_functions]\n"
                          "size=4\n"
                          "1\\name=good\n1\\definition=echo good\n"
                          "2\\name=has blank\n2\\definition=x\n"
                          "3\\name=\n3\\definition=x\n"
                          "4\\name=View_Top\n4\\definition=x\n");
        const QString file = QRegularExpression::escape(file_);
        expect_warning(file + ": navigation/x_translation_axis: not one of the known choices");
        expect_warning(file + ": navigation/y_translation_direction: not one of");
        expect_warning(file + ": navigation/y_rotation_direction: not one of");
        expect_warning(file + ": navigation/translation_sensitivity: not a number");
        expect_warning(file + ": navigation/rotation_sensitivity: not a number");
        expect_warning(file + ": buttons/button_2: not a function name");
        expect_warning(file + ": buttons/button_3: the device has no such button");
        expect_warning(file + ": buttons/button_x: the device has no such button");
        expect_warning(file + ": buttons/button_4: the device has no such button");
        expect_warning(file + ": custom_functions/2: a custom function needs a name");
        expect_warning(file + ": custom_functions/3: a custom function needs a name");
        expect_warning(file + ": custom_functions/4: a built-in function has that name");
        const Manager manager(file_, 2);
        QCOMPARE(navig_text(manager, x_trans_axis), QStringLiteral("x"));
        QCOMPARE(navig_text(manager, x_trans_direction), QStringLiteral("negative"));
        QCOMPARE(navig_text(manager, y_trans_direction), QStringLiteral("positive"));
        QCOMPARE(navig_text(manager, x_rot_direction), QStringLiteral("counterclockwise"));
        QCOMPARE(navig_text(manager, y_rot_direction), QStringLiteral("clockwise"));
        QCOMPARE(manager.navig_float(trans_sensitivity)->get(), 1.0f);
        QCOMPARE(manager.navig_float(rot_sensitivity)->get(), 1.0f);
        QCOMPARE(text_of(manager.button_value(1)), QStringLiteral("View_Top"));
        QCOMPARE(text_of(manager.button_value(2)), QStringLiteral("View_Isometric"));
        QCOMPARE(text_of(manager.custom_function_names()), QStringLiteral("good"));
    }

    // The device's dead zone and dominant-axis switch: saved with the
    // navigation settings, read back, and a bad value falls back alone.
    void deviceSettings() {
        {
            Manager manager(file_, 2);
            QCOMPARE(manager.navig_float(dead_zone)->get(), 0.0f);
            QCOMPARE(text_of(manager.navig_string(dominant_axis)), QStringLiteral("off"));
            manager.navig_float(dead_zone)->set(12.0f);
            manager.navig_string(dominant_axis)->set("on");
            QVERIFY(manager.save_navig_values());
        }
        const Manager reread(file_, 2);
        QCOMPARE(reread.navig_float(dead_zone)->get(), 12.0f);
        QCOMPARE(text_of(reread.navig_string(dominant_axis)), QStringLiteral("on"));

        write_file(file_, "[navigation]\ndead_zone=101\ndominant_axis=maybe\n"
                          "rotation_sensitivity=2\n");
        expect_warning("navigation/dead_zone: not a number from 0 to 100");
        expect_warning("navigation/dominant_axis: not one of the known choices");
        const Manager bad(file_, 2);
        QCOMPARE(bad.navig_float(dead_zone)->get(), 0.0f);
        QCOMPARE(text_of(bad.navig_string(dominant_axis)), QStringLiteral("off"));
        QCOMPARE(bad.navig_float(rot_sensitivity)->get(), 2.0f);
    }

    // Each of the host's own navigation settings: its default, a good value
    // read back, a bad one falling back to the default with a warning, and
    // Save, Restore Preferences and Restore Default acting on it with the
    // rest.
    void theHostsNavigationSettings_data() {
        QTest::addColumn<int>("attribute");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("fallback");
        QTest::addColumn<QString>("good");
        QTest::addColumn<QString>("bad");
        const auto row = [](NavigAttribute attribute, const char* key, const char* fallback,
                            const char* good, const char* bad) {
            QTest::newRow(key) << int(attribute) << QString::fromLatin1(key)
                               << QString::fromLatin1(fallback) << QString::fromLatin1(good)
                               << QString::fromLatin1(bad);
        };
        row(dead_zone, "dead_zone", "0", "12", "101");
        row(dominant_axis, "dominant_axis", "off", "on", "maybe");
        // Each bad value is of another length than the good one: a file of
        // the same size written in the same instant reads as unchanged.
        row(rotation_centre, "rotation_centre", "auto", "cursor", "somewhere");
        row(lock_horizon, "lock_horizon", "off", "on", "yes");
        row(navigation_mode, "navigation_mode", "object", "camera", "eye");
        const char* const axes[] = {"x_translation_enabled", "y_translation_enabled",
                                    "z_translation_enabled", "x_rotation_enabled",
                                    "y_rotation_enabled",    "z_rotation_enabled"};
        for (int k = 0; k < 6; ++k) {
            row(axis_enabled(k), axes[k], "on", "off", "1");
        }
        row(trans_curve, "translation_curve", "1", "2.5", "3.25");
        row(rot_curve, "rotation_curve", "1", "3", "0.5");
    }
    void theHostsNavigationSettings() {
        QFETCH(int, attribute);
        QFETCH(QString, key);
        QFETCH(QString, fallback);
        QFETCH(QString, good);
        QFETCH(QString, bad);
        const auto value = [attribute](const Manager& manager) {
            const auto a = static_cast<NavigAttribute>(attribute);
            return manager.navig_string(a) ? navig_text(manager, a)
                                           : QString::number(manager.navig_float(a)->get());
        };
        const auto set = [attribute](Manager& manager, const QString& text) {
            const auto a = static_cast<NavigAttribute>(attribute);
            if (manager.navig_string(a)) {
                manager.navig_string(a)->set(text.toLatin1().constData());
            } else {
                manager.navig_float(a)->set(text.toFloat());
            }
        };
        QCOMPARE(value(Manager(file_, 2)), fallback);
        write_file(file_, "[navigation]\n" + (key + '=' + good).toLatin1() + '\n');
        QCOMPARE(value(Manager(file_, 2)), good);
        write_file(file_, "[navigation]\n" + (key + '=' + bad).toLatin1() + '\n');
        expect_warning("navigation/" + key + ": not ");
        QCOMPARE(value(Manager(file_, 2)), fallback);

        QFile::remove(file_);
        Manager manager(file_, 2);
        set(manager, good);
        QVERIFY(manager.save_navig_values());
        QCOMPARE(value(Manager(file_, 2)), good);
        set(manager, fallback);
        manager.reset_navig_settings();
        QCOMPARE(value(manager), good);
        manager.reset_navig_defaults();
        QCOMPARE(value(manager), fallback);
    }

    // Sensitivities outside 0.1 to 10, and axes that are no permutation, are
    // refused; the limits themselves are kept.
    void rangesAndPermutations() {
        QFETCH(QByteArray, content);
        QFETCH(QString, warning);
        QFETCH(QStringList, axes);
        QFETCH(float, translation);
        write_file(file_, content);
        if (warning.isEmpty()) {
            QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        } else {
            expect_warning(warning);
        }
        const Manager manager(file_, 1);
        QCOMPARE(QStringList({navig_text(manager, translation_axis(0)),
                              navig_text(manager, translation_axis(1)),
                              navig_text(manager, translation_axis(2))}),
                 axes);
        QCOMPARE(manager.navig_float(trans_sensitivity)->get(), translation);
    }
    void rangesAndPermutations_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QStringList>("axes");
        QTest::addColumn<float>("translation");
        const QStringList xyz{"x", "y", "z"};
        QTest::newRow("lowest") << QByteArray("[navigation]\ntranslation_sensitivity=0.1\n")
                                << QString() << xyz << 0.1f;
        QTest::newRow("lowest as a float")
            << QByteArray("[navigation]\ntranslation_sensitivity=0.100000001\n") << QString() << xyz
            << 0.1f;
        QTest::newRow("highest") << QByteArray("[navigation]\ntranslation_sensitivity=10\n")
                                 << QString() << xyz << 10.0f;
        QTest::newRow("below") << QByteArray("[navigation]\ntranslation_sensitivity=0.09\n")
                               << "not a number from 0.1 to 10" << xyz << 1.0f;
        QTest::newRow("above") << QByteArray("[navigation]\ntranslation_sensitivity=10.5\n")
                               << "not a number from 0.1 to 10" << xyz << 1.0f;
        QTest::newRow("nan") << QByteArray("[navigation]\ntranslation_sensitivity=nan\n")
                             << "not a number from 0.1 to 10" << xyz << 1.0f;
        QTest::newRow("permutation") << QByteArray("[navigation]\nx_translation_axis=z\n"
                                                   "y_translation_axis=x\nz_translation_axis=y\n")
                                     << QString() << QStringList{"z", "x", "y"} << 1.0f;
        QTest::newRow("twice x") << QByteArray("[navigation]\nx_translation_axis=x\n"
                                               "y_translation_axis=x\n")
                                 << "not each of x, y and z once" << xyz << 1.0f;
    }

    // Anything but a regular file where the preferences should be is
    // neither read nor replaced: a folder, a FIFO (which would block the
    // reader), a device.
    void onlyRegularFilesAreReadOrReplaced() {
        QVERIFY(QDir().mkpath(file_)); // a folder where the file should be
        const QString fifo = fresh_.beside("fifo");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        for (const QString& path : {file_, fifo, QStringLiteral("/dev/null")}) {
            expect_warning(QRegularExpression::escape(path) +
                           ": is not a regular file; it is not read");
            Manager manager(path, 2);
            QCOMPARE(navig_text(manager, x_trans_axis), QStringLiteral("x"));
            expect_warning(QRegularExpression::escape(path) +
                           ": is not a regular file; the settings are not saved");
            QVERIFY(!manager.save_navig_values());
            QCOMPARE(manager.save_error(), QStringLiteral("is not a regular file"));
        }
        QVERIFY(QFileInfo(file_).isDir());
        QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
        QVERIFY(QFileInfo(QStringLiteral("/dev/null")).exists() &&
                !QFileInfo(QStringLiteral("/dev/null")).isFile());
    }

    // One line the parser cannot read costs only that line: the rest is
    // read, and the first save keeps the file as it was beside itself.
    void aBadLineLosesNothing() {
        {
            Manager manager(file_, 2);
            manager.navig_float(trans_sensitivity)->set(2.51f);
            QVERIFY(manager.save_navig_values());
            QVERIFY(manager.add_or_edit_custom_function("mine", "echo mine"));
        }
        QFile file(file_);
        QVERIFY(file.open(QIODevice::Append));
        file.write("[oops\n");
        file.close();
        const QByteArray damaged = read_file(file_);
        const int bad_line = damaged.count('\n');
        expect_warning(QRegularExpression::escape(file_) +
                       QStringLiteral(": line %1 cannot be read; the rest is").arg(bad_line));
        Manager manager(file_, 2);
        QCOMPARE(manager.navig_float(trans_sensitivity)->get(), 2.51f);
        QCOMPARE(manager.get_function_definition("mine").c_str(), "echo mine");
        manager.button_value(2)->set("View_Top");
        QVERIFY(manager.save_button_values());
        QCOMPARE(read_file(file_ + ".bak"), damaged);
        // The next save has a sound file before it: the user's bytes stay kept.
        manager.button_value(1)->set("View_Left");
        QVERIFY(manager.save_button_values());
        QCOMPARE(read_file(file_ + ".bak"), damaged);

        const Manager reread(file_, 2);
        QCOMPARE(reread.navig_float(trans_sensitivity)->get(), 2.51f);
        QCOMPARE(reread.get_function_definition("mine").c_str(), "echo mine");
        QCOMPARE(text_of(reread.button_value(2)), QStringLiteral("View_Top"));

        // Binary garbage: nothing readable, still kept before it is replaced.
        static const char raw[] = "\x00\xff\xfe[navigation\x01\nx_translation_axis=y\x00";
        const QByteArray binary(raw, sizeof raw);
        write_file(file_, binary);
        expect_warning("line 1 cannot be read");
        Manager from_garbage(file_, 2);
        QCOMPARE(read_file(file_), binary);
        from_garbage.navig_string(x_trans_axis)->set("z");
        from_garbage.navig_string(z_trans_axis)->set("x");
        QVERIFY(from_garbage.save_navig_values());
        QCOMPARE(read_file(file_ + ".bak"), binary);
        QCOMPARE(navig_text(Manager(file_, 2), x_trans_axis), QStringLiteral("z"));
    }

    // Two programs on one file: a save writes its own section and keeps the
    // others as the other program left them a moment ago.
    void aSaveKeepsWhatAnotherProgramSaved() {
        Manager first(file_, 2);
        Manager second(file_, 2);
        second.button_value(2)->set("View_Top");
        QVERIFY(second.save_button_values());
        QVERIFY(second.add_or_edit_custom_function("theirs", "echo theirs"));
        first.navig_float(rot_sensitivity)->set(4.0f);
        QVERIFY(first.save_navig_values());
        const Manager reread(file_, 2);
        QCOMPARE(reread.navig_float(rot_sensitivity)->get(), 4.0f);
        QCOMPARE(text_of(reread.button_value(2)), QStringLiteral("View_Top"));
        QCOMPARE(reread.get_function_definition("theirs").c_str(), "echo theirs");
    }

    // A save keeps the sections it does not write byte for byte: a value the
    // reader refused is not rewritten into one it would take (found by the
    // fuzzer: an entry left out came back as a function with no definition).
    void otherSectionsKeptByteForByte() {
        const QByteArray functions = "[custom_functions]\nsize=1\n1\\name=B\n"
                                     "1\\definition=\"ab\\x20ac\n";
        // Sections of others whose names begin with ours are theirs.
        const QByteArray others = "[navigation_extra]\nx_translation_axis = z ; theirs\n"
                                  "[buttons2]\nbutton_1=Mine\n";
        write_file(file_, "top=level\n" + others + functions);
        Manager manager(file_, 2);
        manager.button_value(2)->set("View_Top");
        for (int save = 0; save < 3; ++save) {
            QVERIFY(manager.save_button_values());
            QVERIFY(manager.save_navig_values());
        }
        const QByteArray saved = read_file(file_);
        QVERIFY2(saved.contains(functions), saved.constData());
        QVERIFY2(saved.contains(others), saved.constData());
        QCOMPARE(saved.count("[General]"), 1);
        QCOMPARE(saved.count("top=level"), 1);
        const Manager reread(file_, 2);
        QCOMPARE(function_names(reread).contains("B"), function_names(manager).contains("B"));
        QCOMPARE(text_of(reread.button_value(2)), QStringLiteral("View_Top"));

        // A quote left open carries its line on, as QSettings reads it: the
        // section it swallows is not brought back by a save of another.
        const QByteArray open_quote = "[navigation]\nrotation_sensitivity=\"2\n"
                                      "[custom_functions]\nsize=1\n1\\name=hidden\n";
        write_file(file_, open_quote);
        expect_warning("line 2 cannot be read");
        Manager quoted(file_, 2);
        QVERIFY(quoted.save_navig_values());
        QCOMPARE(function_names(Manager(file_, 2)), function_names(quoted));
        QCOMPARE(read_file(file_ + ".bak"), open_quote);

        // A header with more after its ']' is still the section QSettings
        // reads: the save replaces it rather than keeping a stale copy.
        write_file(file_, "[buttons] and more\nbutton_2=View_Left\n");
        Manager junk_header(file_, 2);
        QCOMPARE(text_of(junk_header.button_value(2)), QStringLiteral("View_Left"));
        junk_header.button_value(2)->set("View_Top");
        QVERIFY(junk_header.save_button_values());
        QCOMPARE(text_of(Manager(file_, 2).button_value(2)), QStringLiteral("View_Top"));

        // So is a header that a carriage return or a semicolon ends before
        // its ']' (found by the fuzzer: the stale copy came back).
        write_file(file_, "[buttons;note]\nbutton_2=View_Left\n[custom_functions\r]\nsize=1\n"
                          "1\\name=old\n1\\definition=echo old\n");
        expect_warning("cannot be read");
        Manager cut_header(file_, 2);
        cut_header.button_value(2)->set("View_Top");
        QVERIFY(cut_header.save_button_values());
        QVERIFY(cut_header.add_or_edit_custom_function("new", "echo new"));
        const Manager cut_reread(file_, 2);
        QCOMPARE(text_of(cut_reread.button_value(2)), QStringLiteral("View_Top"));
        QCOMPARE(cut_reread.get_function_definition("old").c_str(), "echo old");
        QCOMPARE(cut_reread.get_function_definition("new").c_str(), "echo new");
    }

    // When another program saves the file, its preferences come in: the
    // values that were the saved ones follow, the user's unsaved change stays,
    // and the custom functions are refreshed.
    void anotherProgramsSaveComesIn() {
        Manager first(file_, 2);
        QVERIFY(first.save_navig_values());
        QCoreApplication::processEvents();
        first.navig_float(trans_sensitivity)->set(3.0f); // not saved
        QStringList names;
        const auto observer = observe(first.custom_function_names(), [&](Value*) {
            names << text_of(first.custom_function_names());
        });
        {
            Manager second(file_, 2);
            second.navig_float(rot_sensitivity)->set(5.0f);
            second.navig_float(trans_sensitivity)->set(6.0f);
            QVERIFY(second.save_navig_values());
            second.button_value(1)->set("View_Left");
            QVERIFY(second.save_button_values());
            QVERIFY(second.add_or_edit_custom_function("theirs", "echo theirs"));
        }
        QTRY_COMPARE(text_of(first.custom_function_names()), QStringLiteral("theirs"));
        QTRY_COMPARE(first.navig_float(rot_sensitivity)->get(), 5.0f);
        QCOMPARE(first.navig_float(trans_sensitivity)->get(), 3.0f);
        QCOMPARE(text_of(first.button_value(1)), QStringLiteral("View_Left"));
        QCOMPARE(first.get_function_definition("theirs").c_str(), "echo theirs");
        QVERIFY(names.contains(QStringLiteral("theirs")));
        // What the other program saved is now what Restore returns to.
        first.reset_navig_settings();
        QCOMPARE(first.navig_float(trans_sensitivity)->get(), 6.0f);
        QCOMPARE(first.navig_float(rot_sensitivity)->get(), 5.0f);
        // Its own saves do not come back as news.
        names.clear();
        QVERIFY(first.add_or_edit_custom_function("mine", "echo mine"));
        QTest::qWait(100);
        QCOMPARE(names, QStringList{"mine theirs"});
    }

    // A link stays a link: the save writes its target. A dangling link is
    // refused, and nothing is made in its place.
    void savingThroughALink() {
        const QString target = fresh_.beside("real", ".ini");
        write_file(target, "[navigation]\nrotation_sensitivity=2\n");
        QVERIFY(QFile::link(target, file_));
        Manager manager(file_, 2);
        QCOMPARE(manager.navig_float(rot_sensitivity)->get(), 2.0f);
        manager.navig_float(rot_sensitivity)->set(3.0f);
        QVERIFY(manager.save_navig_values());
        QVERIFY(QFileInfo(file_).isSymLink());
        QCOMPARE(Manager(target, 2).navig_float(rot_sensitivity)->get(), 3.0f);

        const QString dangling = fresh_.beside("dangling", ".ini");
        const QString nowhere = fresh_.beside("nowhere", ".ini");
        QVERIFY(QFile::link(nowhere, dangling));
        Manager lost(dangling, 2);
        expect_warning(QRegularExpression::escape(dangling) + ": is a link to .*, which does not "
                                                              "exist; the settings are not saved");
        QVERIFY(!lost.save_navig_values());
        QVERIFY(QFileInfo(dangling).isSymLink());
        QVERIFY(!QFileInfo::exists(nowhere));
    }

    // A file announcing two thousand million functions and holding one is
    // read at once: the one is there, the missing ones are told in one line.
    void aHugeArraySizeIsNotBelieved() {
        write_file(file_, "[custom_functions]\nsize=2000000000\n"
                          "1\\name=only\n1\\definition=echo only\n");
        expect_warning("custom_functions: 1999999999 of the 2000000000 custom functions it "
                       "announces are missing");
        const Manager manager(file_, 2);
        QCOMPARE(text_of(manager.custom_function_names()), QStringLiteral("only"));
    }

    // A definition longer than 64 KiB is refused when stored, and left out
    // with a warning when a file holds one; the rest of the file is read.
    void definitionsHaveASaneSize() {
        const QByteArray longest(Manager::longest_definition, 'e');
        write_file(file_, "[custom_functions]\nsize=2\n1\\name=huge\n1\\definition=" + longest +
                              "e\n2\\name=fine\n2\\definition=echo fine\n");
        expect_warning("custom_functions/1: the definition is too long");
        Manager manager(file_, 2);
        QCOMPARE(text_of(manager.custom_function_names()), QStringLiteral("fine"));
        expect_warning("\"over\" refused: its definition is longer than 65536 characters");
        QVERIFY(!manager.add_or_edit_custom_function("over", (longest + "e").constData()));
        QVERIFY(manager.add_or_edit_custom_function("most", longest.constData()));
        QCOMPARE(manager.get_function_definition("most").length(), Manager::longest_definition);
        QCOMPARE(text_of(manager.custom_function_names()), QStringLiteral("fine most"));
    }

    // An observer of a function's definition that removes the function as
    // it is told of a new definition.
    void functionRemovedByAnObserverOfItsDefinition() {
        Manager manager(file_, 2);
        QVERIFY(manager.add_or_edit_custom_function("doomed", "echo 1"));
        FunctionDefinition* definition = nullptr;
        for (FunctionNameIterator it = manager.function_name_iterator(); it.more(); it.next()) {
            if (it.key() == CString("doomed")) {
                definition = it.value().second;
            }
        }
        QVERIFY(definition);
        const auto observer =
            observe(definition, [&](Value*) { manager.remove_custom_function("doomed"); });
        manager.add_or_edit_custom_function("doomed", "echo 2");
        QVERIFY(!function_names(manager).contains("doomed"));
        QVERIFY(!function_names(Manager(file_, 2)).contains("doomed"));
    }

    // A preferences file the user made private stays private through every
    // kind of save.
    void privateFileStaysPrivate() {
        {
            Manager manager(file_, 2);
            QVERIFY(manager.save_navig_values());
        }
        const QFile::Permissions owner_only = QFile::ReadOwner | QFile::WriteOwner;
        QVERIFY(QFile::setPermissions(file_, owner_only));
        // Owner, group and others; the "user" bits repeat whichever applies to us.
        const auto mode = [this] { return QFile::permissions(file_) & 0x7077; };
        Manager manager(file_, 2);
        manager.navig_float(rot_sensitivity)->set(2.0f);
        QVERIFY(manager.save_navig_values());
        QCOMPARE(mode(), owner_only);
        manager.button_value(2)->set("View_Top");
        QVERIFY(manager.save_button_values());
        QCOMPARE(mode(), owner_only);
        manager.add_or_edit_custom_function("mine", "echo mine");
        QCOMPARE(mode(), owner_only);
    }

    // A tab or a line feed is a blank too: in a stored name of a custom
    // function or of a button's function it falls back with a warning, and
    // the manager refuses it as a new name.
    void namesWithOtherWhiteSpace() {
        write_file(file_, "[buttons]\n"
                          "button_1=a\\nb\n"
                          "[custom_functions]\n"
                          "size=2\n"
                          "1\\name=a\tb\n1\\definition=echo tab\n"
                          "2\\name=fine\n2\\definition=echo fine\n");
        const QString file = QRegularExpression::escape(file_);
        expect_warning(file + ": buttons/button_1: not a function name");
        expect_warning(file + ": custom_functions/1: a custom function needs a name");
        Manager manager(file_, 2);
        QCOMPARE(text_of(manager.button_value(1)), QStringLiteral("Fit_All"));
        QCOMPARE(text_of(manager.custom_function_names()), QStringLiteral("fine"));
        for (const char* name : {"a\tb", "a\nb",
                                 "a\xa0"
                                 "b"}) {
            expect_warning("refused: it is empty or holds a blank");
            manager.add_or_edit_custom_function(name, "x");
        }
        QCOMPARE(text_of(manager.custom_function_names()), QStringLiteral("fine"));
    }

    // Saving never leaves staging files behind, and a folder that cannot be
    // made is reported, not taken for success.
    void savesAreAtomicAndFailuresReported() {
        Manager manager(file_, 2);
        for (int i = 0; i < 5; ++i) {
            manager.navig_float(rot_sensitivity)->set(1.0f + i);
            QVERIFY(manager.save_navig_values());
        }
        QCOMPARE(QDir(fresh_.folder()).entryList({QFileInfo(file_).fileName() + "*"}, QDir::Files),
                 QStringList{QFileInfo(file_).fileName()});

        const QString blocker = fresh_.beside("blocker");
        write_file(blocker, "not a folder");
        Manager blocked(blocker + QStringLiteral("/prefs.ini"), 2);
        expect_warning("cannot create its folder; the settings are not saved");
        QVERIFY(!blocked.save_button_values());
        expect_warning("cannot create its folder");
        blocked.add_or_edit_custom_function("kept", "in memory");
        QCOMPARE(blocked.get_function_definition("kept").c_str(), "in memory");
    }

    // Another program's save is waited for, the events going on meanwhile;
    // a live owner's lock is never broken, one that tells no owner is once
    // the wait is over.
    void aSaveWaitsForAnotherProgramsSave() {
        Manager manager(file_, 2);
        QVERIFY(manager.save_navig_values());
        const QString lock_path = file_ + QStringLiteral(".lock");
        {
            QLockFile other(lock_path);
            QVERIFY(other.tryLock(0));
            QTimer::singleShot(300, [&other] { other.unlock(); });
            manager.navig_float(rot_sensitivity)->set(2.0f);
            QVERIFY(manager.save_navig_values());
            QVERIFY(!QFile::exists(lock_path));
        }
        {
            QLockFile other(lock_path);
            QVERIFY(other.tryLock(0));
            expect_warning("another program is saving it; the settings are not saved");
            QVERIFY(!manager.save_navig_values());
            QVERIFY(QFile::exists(lock_path));
        }
        write_file(lock_path, "");
        QVERIFY(manager.save_navig_values());
        QVERIFY(!QFile::exists(lock_path));
    }
};

QTEST_GUILESS_MAIN(TestPreferences)
#include "tst_preferences.moc"
