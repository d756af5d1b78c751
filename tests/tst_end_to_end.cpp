// The host application as a user starts it, twice: what is saved in the
// first run is back in the second.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <cmath>
#include <limits>
#include <numbers>
#include <sys/stat.h>

#include "FakeDaemon.h"
#include "HostRun.h"
#include "SerialSpaceball.h"
#include "StlWriter.h"
#include "TestFiles.h"

Q_DECLARE_METATYPE(Misbehaviour)

namespace {
// Starts the host talking to the test's daemon.
void start_with_daemon(QProcess& tarvik, const FakeDaemon& daemon, const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("SPNAV_SOCKET", daemon.socket_path());
    tarvik.setProcessEnvironment(environment);
    tarvik.start(QStringLiteral(TARVIK_PROGRAM), arguments);
}

// How sharp a picture is: the mean grey step between neighbours across
// the rows; blown up, a picture's steps spread over several pixels.
double edge_contrast(const QImage& picture) {
    double sum = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 1; x < picture.width(); ++x) {
            sum += std::abs(qGray(picture.pixel(x, y)) - qGray(picture.pixel(x - 1, y)));
        }
    }
    return sum / (double(picture.width()) * picture.height());
}

// The texts a catalogue translates into something else, accelerators left
// out, with their translations.
QHash<QString, QString> translated_texts(const QString& catalogue) {
    QFile file(catalogue);
    file.open(QIODevice::ReadOnly);
    QXmlStreamReader xml(&file);
    QHash<QString, QString> texts;
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText().remove('&');
        } else if (xml.name() == QLatin1String("translation")) {
            const QString translation = xml.readElementText().remove('&');
            if (translation != source) {
                texts.insert(source, translation);
            }
        }
    }
    return texts;
}

// The dumps of a script's "texts" lines, each a map from where a text is to
// the text; a dump begins with a line that counts its windows.
QList<QMap<QString, QString>> text_dumps(const QString& output) {
    QList<QMap<QString, QString>> dumps;
    for (const QString& line : output.split('\n')) {
        if (line.startsWith(QLatin1String("texts of "))) {
            dumps.append(QMap<QString, QString>());
        }
        if (!line.startsWith(QLatin1String("texts ")) || dumps.isEmpty()) {
            continue;
        }
        const qsizetype colon = line.indexOf(QLatin1String(": "));
        const QString where = line.mid(6, colon - 6);
        QString key = where;
        for (int n = 2; dumps.last().contains(key); ++n) {
            key = where + '#' + QString::number(n);
        }
        dumps.last().insert(key, line.mid(colon + 2));
    }
    return dumps;
}

// Where the translated dump still shows an English text the catalogue
// translates, or lacks a text the English one has.
QStringList untranslated(const QMap<QString, QString>& english,
                         const QMap<QString, QString>& translated,
                         const QHash<QString, QString>& catalogue) {
    QStringList left;
    for (auto it = english.begin(); it != english.end(); ++it) {
        if (!translated.contains(it.key())) {
            left << it.key() + " is gone";
        } else if (catalogue.contains(QString(it.value()).remove('&')) &&
                   translated[it.key()] == it.value()) {
            left << it.key() + ": " + it.value();
        }
    }
    return left;
}
} // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    // Change settings through the dialog, save, quit; start again: they are back.
    void savedSettingsComeBack() {
        const QString settings = dir_.filePath(QStringLiteral("prefs.ini"));
        const QStringList common{"--settings", settings, "--buttons", "3"};
        const Run first =
            run_tarvik(common + QStringList{"--script", write_file(dir_, "change.txt",
                                                                   "choose x_trans_combo_ 2\n"
                                                                   "slide rot_sensib_slider_ 40\n"
                                                                   "click motions_save_btn_\n"
                                                                   "choose button_3_combo_ 0\n"
                                                                   "click buttons_save_btn_\n"
                                                                   "quit\n")});
        QVERIFY2(first.status == 0, qPrintable(first.errors));
        QVERIFY(QFile::exists(settings));

        const Run second = run_tarvik(
            common +
            QStringList{"--script", write_file(dir_, "print.txt",
                                               "print x_trans_combo_\nprint y_trans_combo_\n"
                                               "print rot_sensib_slider_\n"
                                               "print button_3_combo_\nquit\n")});
        QVERIFY2(second.status == 0, qPrintable(second.errors));
        const QStringList lines = second.output.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.value(0).trimmed(), QStringLiteral("x_trans_combo_ 2"));
        QCOMPARE(lines.value(1).trimmed(), QStringLiteral("y_trans_combo_ 0"));
        QCOMPARE(lines.value(2).trimmed(), QStringLiteral("rot_sensib_slider_ 40"));
        QVERIFY2(lines.value(3).startsWith(QStringLiteral("button_3_combo_ 0 ")),
                 qPrintable(second.output));
    }

    // At twice the scale the pane's pictures are drawn from their sources
    // at twice the pixels: halved and blown up again, a picture loses
    // detail, where a 1x picture blown up would lose next to none.
    void picturesAreSharpAtTwiceTheScale() {
        const QString file = dir_.filePath(QStringLiteral("pane_2x.png"));
        qputenv("QT_SCALE_FACTOR", "2");
        const Run run = run_tarvik(
            {"--settings", dir_.filePath(QStringLiteral("scaled.ini")), "--script",
             write_file(dir_, "scaled.txt",
                        "grab ctrl_axis_trans_pxm_ " + QFile::encodeName(file) + "\nquit\n")},
            QString(), QStringLiteral("offscreen"), dir_.filePath("scaled-config"));
        qunsetenv("QT_SCALE_FACTOR");
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        const QImage grabbed = QImage(file).convertToFormat(QImage::Format_ARGB32);
        const QString folder = qEnvironmentVariable("KESTRAVA_SCREENSHOTS");
        if (!folder.isEmpty() && QDir().mkpath(folder)) {
            QFile::remove(folder + QStringLiteral("/pane_2x.png"));
            QFile::copy(file, folder + QStringLiteral("/pane_2x.png"));
        }
        const QImage round_trip =
            grabbed.scaled(grabbed.size() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .scaled(grabbed.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const double sharp = edge_contrast(grabbed);
        const double soft = edge_contrast(round_trip);
        QVERIFY2(sharp > 1.15 * soft, qPrintable(QStringLiteral("%1 %2").arg(sharp).arg(soft)));
    }

    // Closing the window with unsaved settings asks: Discard lets them go,
    // Save keeps them, Cancel keeps the window open. A save that fails (the
    // file is a folder) says why and keeps the window open with the changes.
    void unsavedSettingsAskBeforeClosing_data() {
        QTest::addColumn<bool>("unwritable");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("printed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("discard") << false << QByteArray("answer Discard\n") << 0 << QString()
                                 << "0 ";
        QTest::newRow("save") << false << QByteArray("answer Save\n") << 0 << QString() << "2 ";
        QTest::newRow("cancel") << false << QByteArray("cancel\n") << 0 << "x_trans_combo_ 2 "
                                << "0 ";
        QTest::newRow("save fails")
            << true << QByteArray("answer Save\nanswer OK\n") << 0 << "x_trans_combo_ 2 "
            << "0 ";
        // Left unanswered, the warning fails the script, which quotes it.
        QTest::newRow("save fails, why")
            << true << QByteArray("answer Save\n") << 3 << QString() << "0 ";
    }
    void unsavedSettingsAskBeforeClosing() {
        QFETCH(bool, unwritable);
        QFETCH(QByteArray, answer);
        QFETCH(int, status);
        QFETCH(QString, printed);
        QFETCH(QString, kept);
        const QString settings =
            dir_.filePath(QStringLiteral("unsaved_%1.ini").arg(QTest::currentDataTag()));
        if (unwritable) {
            QVERIFY(QDir().mkpath(settings));
        }
        const Run closing = run_tarvik({"--settings", settings, "--script",
                                        write_file(dir_, "closing.txt",
                                                   "choose x_trans_combo_ 2\n" + answer +
                                                       "close\nprint x_trans_combo_\nquit\n")});
        QVERIFY2(closing.status == status, qPrintable(closing.errors));
        QVERIFY2(closing.output.startsWith(printed), qPrintable(closing.output));
        if (status != 0) {
            QVERIFY2(closing.errors.contains("The settings could not be saved: "),
                     qPrintable(closing.errors));
        }
        const Run again =
            run_tarvik({"--settings", settings, "--script",
                        write_file(dir_, "again.txt", "print x_trans_combo_\nquit\n")});
        QVERIFY2(again.output.startsWith("x_trans_combo_ " + kept), qPrintable(again.output));
    }

    // The window fits a screen smaller than its usual size (the offscreen
    // screen is 800 × 800), and a dock hidden from the View menu stays
    // hidden at the next start.
    void theWindowFitsAndComesBackAsLeft() {
        const QString config = dir_.filePath(QStringLiteral("window-config"));
        const QString settings = dir_.filePath(QStringLiteral("window.ini"));
        const Run first = run_tarvik(
            {"--settings", settings, "--script",
             write_file(dir_, "window.txt",
                        "print main_window\nprint device_dock\npick device_dock_action\nquit\n")},
            QString(), QStringLiteral("offscreen"), config);
        QVERIFY2(first.status == 0, qPrintable(first.errors));
        QCOMPARE(first.output, QStringLiteral("main_window 800x800\ndevice_dock shown\n"));
        const Run second =
            run_tarvik({"--settings", settings, "--script",
                        write_file(dir_, "window2.txt", "print device_dock\nquit\n")},
                       QString(), QStringLiteral("offscreen"), config);
        QCOMPARE(second.output, QStringLiteral("device_dock hidden\n"));
    }

    // A script answers the prompts it opens; a prompt with no answer queued
    // fails the script instead of waiting for ever; nothing runs after quit.
    void scriptsAnswerPrompts() {
        const QString settings = dir_.filePath(QStringLiteral("answers.ini"));
        const QStringList common{"--settings", settings};
        Run run = run_tarvik(common + QStringList{"--script", write_file(dir_, "answer.txt",
                                                                         "cancel\n"
                                                                         "click fcts_add_btn_\n"
                                                                         "answer gamma\n"
                                                                         "click fcts_add_btn_\n"
                                                                         "click fcts_valid_btn_\n"
                                                                         "print fcts_combo_\n"
                                                                         "quit\n"
                                                                         "click no_such_btn_\n")});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QCOMPARE(run.output.trimmed(), QStringLiteral("fcts_combo_ 0 gamma"));

        run = run_tarvik(common + QStringList{"--script", write_file(dir_, "unanswered.txt",
                                                                     "print fcts_combo_\n"
                                                                     "click fcts_add_btn_\n"
                                                                     "print fcts_combo_\n")});
        QCOMPARE(run.status, 3);
        QVERIFY2(run.errors.contains(QStringLiteral(
                     "line 2: the dialog \"Create new function\" (Enter a function name:) waits "
                     "for an answer")),
                 qPrintable(run.errors));
        QCOMPARE(run.output.trimmed(), QStringLiteral("fcts_combo_ 0 gamma"));
    }

    // A module named by a relative path is the file in the current folder,
    // not a name for the system loader to look up.
    void relativeModulePath() {
        const QString folder = QFileInfo(QStringLiteral(TARVIK_PROGRAM)).absolutePath();
        const Run run = run_tarvik({"--module", "libKestrava_gui.so", "--settings",
                                    dir_.filePath(QStringLiteral("relative.ini")), "--screenshot",
                                    dir_.filePath(QStringLiteral("relative.png"))},
                                   folder);
        QVERIFY2(run.status == 0, qPrintable(run.errors));
    }

    // Two hosts on one file: one waits with an unsaved change while the other
    // saves a button and adds a function. The first shows what the other
    // saved, and its own save keeps it.
    void twoHostsOnOneFile() {
        const QString settings = dir_.filePath(QStringLiteral("shared.ini"));
        const QStringList common{"--settings", settings, "--buttons", "2"};
        QProcess first;
        first.start(QStringLiteral(TARVIK_PROGRAM),
                    common + QStringList{"--script", write_file(dir_, "first.txt",
                                                                "slide trans_sensib_slider_ 30\n"
                                                                "print trans_sensib_slider_\n"
                                                                "wait 4000\n"
                                                                "print button_2_combo_\n"
                                                                "click motions_save_btn_\n"
                                                                "quit\n")});
        QTRY_VERIFY_WITH_TIMEOUT(first.canReadLine(), 30000);
        const Run second =
            run_tarvik(common + QStringList{"--script", write_file(dir_, "second.txt",
                                                                   "choose button_2_combo_ 0\n"
                                                                   "print button_2_combo_\n"
                                                                   "click buttons_save_btn_\n"
                                                                   "answer theirs\n"
                                                                   "click fcts_add_btn_\n"
                                                                   "click fcts_valid_btn_\n"
                                                                   "quit\n")});
        QVERIFY2(second.status == 0, qPrintable(second.errors));
        QVERIFY(first.waitForFinished(30000));
        QCOMPARE(first.exitCode(), 0);
        const QStringList lines =
            QString::fromLocal8Bit(first.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.value(1), second.output.split('\n').value(0)); // the other's choice shows

        QSettings file(settings, QSettings::IniFormat);
        QCOMPARE(file.value("navigation/translation_sensitivity").toString(),
                 QStringLiteral("1.99526227"));
        QCOMPARE(file.value("buttons/button_2").toString(),
                 second.output.section(' ', 2).trimmed());
        QCOMPARE(file.value("custom_functions/1/name").toString(), QStringLiteral("theirs"));
    }

    // Saves killed at any moment leave a whole file and, at most, what the
    // one save that died was writing; the next save clears it.
    void killedSavesLeaveNoLitter() {
        QTemporaryDir folder;
        const QString settings = folder.filePath(QStringLiteral("prefs.ini"));
        QByteArray saves;
        for (int i = 0; i < 400; ++i) {
            saves += "slide rot_sensib_slider_ " + QByteArray::number(i % 200 - 100) +
                     "\nclick motions_save_btn_\n";
        }
        const QString script = write_file(dir_, "saves.txt", saves);
        // The staging file is written under a lock of its own, too; taking
        // over a killed save's lock, Qt locks that take-over.
        const QStringList allowed{
            "prefs.ini",        "prefs.ini.lock",        "prefs.ini.lock.rmlock",
            "prefs.ini.saving", "prefs.ini.saving.lock", "prefs.ini.saving.lock.rmlock"};
        for (int round = 0; round < 20; ++round) {
            QProcess tarvik;
            tarvik.start(QStringLiteral(TARVIK_PROGRAM),
                         {"--settings", settings, "--script", script});
            QVERIFY(tarvik.waitForStarted());
            QTest::qWait(150 + QRandomGenerator::global()->bounded(600));
            tarvik.kill();
            QVERIFY(tarvik.waitForFinished());
            const QStringList left = QDir(folder.path()).entryList(QDir::Files);
            // ... and QSettings' temporary file of that staging file.
            const QStringList temporary = left.filter(QRegularExpression("^prefs.ini.saving.{7}$"));
            QVERIFY2(temporary.size() <= 1, qPrintable(left.join(' ')));
            for (const QString& name : left) {
                QVERIFY2(allowed.contains(name) || temporary.contains(name),
                         qPrintable(left.join(' ')));
            }
            if (QFile::exists(settings)) {
                QSettings file(settings, QSettings::IniFormat);
                QCOMPARE(file.status(), QSettings::NoError);
                QVERIFY(file.contains("navigation/rotation_sensitivity"));
            }
        }
        const Run clean =
            run_tarvik({"--settings", settings, "--script",
                        write_file(dir_, "one.txt", "click motions_save_btn_\nquit\n")});
        QVERIFY2(clean.status == 0, qPrintable(clean.errors));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"prefs.ini"});
    }

    // The host with a device: the daemon's twelve buttons are the settings'
    // buttons, a motion shows in the device panel on the axis the dialog now
    // maps it to, with the panel's dominant-axis switch on, a press runs the
    // button's function, and a button beyond the count is ignored with a line.
    void theDeviceDrivesTheHost() {
        FakeDaemon daemon(dir_.filePath(QStringLiteral("spnav.sock")));
        daemon.start();
        QProcess tarvik;
        const QString picture = dir_.filePath(QStringLiteral("device.png"));
        start_with_daemon(tarvik, daemon,
                          {"--settings", dir_.filePath(QStringLiteral("device.ini")),
                           "--screenshot", picture, "--script",
                           write_file(dir_, "device.txt",
                                      "choose x_trans_combo_ 2\n"
                                      "click device_dominant_axis_\n"
                                      "print button_12_combo_\n"
                                      "wait 1500\n"
                                      "print device_tx_\n"
                                      "print device_ty_\n"
                                      "print device_rz_\n"
                                      "print device_state_\n")});
        QTRY_VERIFY_WITH_TIMEOUT(tarvik.canReadLine(), 30000);
        QCOMPARE(daemon.handshakes(), 1);
        daemon.send_motion({100, 0, 0, 0, 0, 30}, 8);
        daemon.send_button(0, true);
        daemon.send_button(0, false);
        daemon.send_button(20, true);
        QVERIFY(tarvik.waitForFinished(30000));
        const QString errors = QString::fromLocal8Bit(tarvik.readAllStandardError());
        QVERIFY2(tarvik.exitCode() == 0, qPrintable(errors));
        const QStringList lines =
            QString::fromLocal8Bit(tarvik.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QVERIFY2(lines.value(0).startsWith("button_12_combo_ "), qPrintable(lines.join('|')));
        QCOMPARE(lines.value(1), QStringLiteral("device_tx_ 0"));
        QCOMPARE(lines.value(2), QStringLiteral("device_ty_ 100"));
        QCOMPARE(lines.value(3), QStringLiteral("device_rz_ 0")); // the dominant axis alone
        QCOMPARE(lines.value(4), QStringLiteral("device_state_ Connected: Fake Spaceball"));
        QVERIFY2(errors.contains("tarvik: command: view fit all"), qPrintable(errors));
        QVERIFY2(errors.contains("Device button 21 ignored: the device has 12 buttons."),
                 qPrintable(errors));
        QCOMPARE(errors.count("tarvik: command:"), 1); // releases run nothing
        const QString folder = qEnvironmentVariable("KESTRAVA_SCREENSHOTS");
        if (!folder.isEmpty() && QDir().mkpath(folder)) {
            QFile::remove(folder + QStringLiteral("/host_device.png"));
            QFile::copy(picture, folder + QStringLiteral("/host_device.png"));
        }
    }

    // A daemon that errs leaves the host running: its window comes up and
    // its script runs; the hostile name shows as it is, stray buttons are
    // logged and nothing else.
    void hostileDaemonsLeaveTheHostWorking_data() {
        QTest::addColumn<Misbehaviour>("misbehaviour");
        QTest::addColumn<QString>("state");
        QTest::newRow("closes after the handshake")
            << Misbehaviour::close_after_handshake
            << "device_state_ No device: spacenavd closed the connection";
        // The host's next requests are written to a closed socket.
        QTest::newRow("deaf while the host writes")
            << Misbehaviour::deaf_after_handshake << QString();
        // libspnav may make sense of the half it had: connected or not, the host works.
        QTest::newRow("half a handshake") << Misbehaviour::half_handshake << QString();
        QTest::newRow("a marked-up name")
            << Misbehaviour::none << "device_state_ Connected: <img src=\"/dev/zero\">";
    }
    void hostileDaemonsLeaveTheHostWorking() {
        QFETCH(Misbehaviour, misbehaviour);
        QFETCH(QString, state);
        FakeDaemon daemon(dir_.filePath(QStringLiteral("hostile.sock")));
        daemon.misbehave(misbehaviour);
        daemon.set_device("<img src=\"/dev/zero\">", -7);
        daemon.start();
        QProcess tarvik;
        start_with_daemon(
            tarvik, daemon,
            {"--settings", dir_.filePath(QStringLiteral("hostile.ini")), "--script",
             write_file(dir_, "hostile.txt",
                        "print device_state_\nwait 1000\nprint device_state_\nquit\n")});
        // A host that died is told by its exit status below.
        QTRY_VERIFY_WITH_TIMEOUT(tarvik.canReadLine() || tarvik.state() == QProcess::NotRunning,
                                 30000);
        for (int32_t number :
             {-1, std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min()}) {
            daemon.send_button(number, true);
        }
        QVERIFY(tarvik.state() == QProcess::NotRunning || tarvik.waitForFinished(30000));
        const QString errors = QString::fromLocal8Bit(tarvik.readAllStandardError());
        QVERIFY2(tarvik.exitStatus() == QProcess::NormalExit && tarvik.exitCode() == 0,
                 qPrintable(errors));
        const QStringList lines =
            QString::fromLocal8Bit(tarvik.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        if (!state.isEmpty()) {
            QCOMPARE(lines.value(1), state);
        }
        if (misbehaviour == Misbehaviour::none) {
            QCOMPARE(errors.count(QStringLiteral("ignored: the device has 2 buttons")), 3);
        }
    }

    // A daemon lost with the cap pushed and buttons held, the first and the
    // last: the dock showed them lit, says the device is gone and lets go.
    void losingTheDeviceLetsGo() {
        FakeDaemon daemon(dir_.filePath(QStringLiteral("lost.sock")));
        daemon.start();
        QProcess tarvik;
        const QByteArray shown =
            "print device_tx_\nprint device_button_1_\nprint device_button_12_\n";
        start_with_daemon(tarvik, daemon,
                          {"--settings", dir_.filePath(QStringLiteral("lost.ini")), "--script",
                           write_file(dir_, "lost.txt",
                                      "print device_state_\nwait 1500\n" + shown + "wait 1500\n" +
                                          shown + "print device_state_\nquit\n")});
        QTRY_VERIFY_WITH_TIMEOUT(tarvik.canReadLine(), 30000);
        daemon.send_motion({100, 0, 0, 0, 0, 0}, 8);
        daemon.send_button(0, true);
        daemon.send_button(11, true);
        QString output;
        QTRY_VERIFY_WITH_TIMEOUT(
            (output += QString::fromLocal8Bit(tarvik.readAll())).count('\n') >= 4, 30000);
        daemon.stop();
        QVERIFY(tarvik.waitForFinished(30000));
        output += QString::fromLocal8Bit(tarvik.readAllStandardOutput());
        const QStringList lines = output.split('\n', Qt::SkipEmptyParts);
        const QStringList expected{"device_tx_ 100",
                                   "device_button_1_ \u25cf 1 ",
                                   "device_button_12_ \u25cf 12 ",
                                   "device_tx_ 0",
                                   "device_button_1_ \u25cb 1 ",
                                   "device_button_12_ \u25cb 12 ",
                                   "device_state_ No device: spacenavd is not running"};
        QCOMPARE(lines.size(), expected.size() + 1);
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QVERIFY2(lines[i + 1].startsWith(expected[i]), qPrintable(lines[i + 1]));
        }
    }

    // Functions act on the view through the interpreter: button 1, bound to
    // View_Front in the dialog, turns the view to the front; button 2 runs
    // the user's function "echo hello", which writes in the command log; a
    // push on the cap turns the model, and letting go stops it.
    void theDeviceRunsFunctionsOnTheView() {
        const QString settings = dir_.filePath(QStringLiteral("functions.ini"));
        write_file(settings,
                   "[buttons]\nbutton_2=greet\n\n[custom_functions]\nsize=2\n1\\name=greet\n"
                   "1\\definition=echo hello\n2\\name=broken\n"
                   "2\\definition=\"echo one\\necho two\\nview spin\\necho four\"\n");
        FakeDaemon daemon(dir_.filePath(QStringLiteral("functions.sock")));
        daemon.start();
        QProcess tarvik;
        start_with_daemon(tarvik, daemon,
                          {"--settings", settings, "--buttons", "2", "--script",
                           write_file(dir_, "functions.txt",
                                      "choose button_1_combo_ 16\n"
                                      "print button_1_combo_\n"
                                      "wait 1500\n"
                                      "print model_view\n"
                                      "print command_log\n"
                                      "wait 1000\n"
                                      "print model_view\n"
                                      "pick function_broken_action\n"
                                      "print command_log\n"
                                      "quit\n")});
        QTRY_VERIFY_WITH_TIMEOUT(tarvik.canReadLine(), 30000);
        daemon.send_button(0, true);
        daemon.send_button(0, false);
        daemon.send_button(1, true);
        QTRY_VERIFY_WITH_TIMEOUT(tarvik.bytesAvailable() > 60, 30000);
        daemon.send_motion({0, 0, 0, 0, 200, 0}, 8);
        QTest::qWait(300);
        daemon.send_motion({0, 0, 0, 0, 0, 0}, 8);
        QVERIFY(tarvik.waitForFinished(30000));
        const QString errors = QString::fromLocal8Bit(tarvik.readAllStandardError());
        QVERIFY2(tarvik.exitCode() == 0, qPrintable(errors));
        const QStringList lines =
            QString::fromLocal8Bit(tarvik.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.value(0), QStringLiteral("button_1_combo_ 16 View_Front"));
        QCOMPARE(lines.value(1), QStringLiteral("model_view front perspective"));
        QCOMPARE(lines.value(2), QStringLiteral("command_log hello"));
        QCOMPARE(lines.value(3), QStringLiteral("model_view turned perspective"));
        // From the menu, a definition with a bad line runs none; the log says which.
        QCOMPARE(lines.value(4),
                 QStringLiteral("command_log menu: error: line 3: unknown command \"view spin\""));
        QVERIFY2(!errors.contains("tarvik: output: one"), qPrintable(errors));
        QVERIFY2(errors.contains("tarvik: command: view front (button 1 (Front View))"),
                 qPrintable(errors));
        QVERIFY2(errors.contains("tarvik: command: echo hello (button 2 (greet))"),
                 qPrintable(errors));
    }

    // The navigation functions, each bound to a button of the device: what
    // each press changes shows in the Device dock and the settings dialog,
    // and each says so in the Commands dock.
    void theDeviceRunsTheNavigationFunctions() {
        const QString settings = dir_.filePath(QStringLiteral("navigation.ini"));
        write_file(settings, "[buttons]\nbutton_1=Toggle_Rotations\nbutton_2=Toggle_Lock_Horizon\n"
                             "button_3=Sensitivity_Up\nbutton_4=Toggle_Dominant_Axis\n"
                             "button_5=Toggle_Translations\nbutton_6=Sensitivity_Down\n"
                             "button_7=Centre_On_Cursor\n");
        FakeDaemon daemon(dir_.filePath(QStringLiteral("navigation.sock")));
        daemon.start();
        QProcess tarvik;
        start_with_daemon(tarvik, daemon,
                          {"--settings", settings, "--buttons", "7", "--script",
                           write_file(dir_, "navigation.txt",
                                      "print device_rx_enabled_\n"
                                      "wait 1500\n"
                                      "print device_rx_enabled_\n"
                                      "print device_tx_enabled_\n"
                                      "print navigation_lock_horizon_\n"
                                      "print device_dominant_axis_\n"
                                      "print trans_sensib_slider_\n"
                                      "quit\n")});
        QTRY_VERIFY_WITH_TIMEOUT(tarvik.canReadLine(), 30000);
        for (int button = 0; button < 7; ++button) {
            daemon.send_button(button, true);
            daemon.send_button(button, false);
        }
        QVERIFY(tarvik.waitForFinished(30000));
        const QString errors = QString::fromLocal8Bit(tarvik.readAllStandardError());
        QVERIFY2(tarvik.exitCode() == 0, qPrintable(errors));
        const QStringList lines =
            QString::fromLocal8Bit(tarvik.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines, (QStringList{"device_rx_enabled_ Rx enabled checked",
                                     "device_rx_enabled_ Rx enabled unchecked",
                                     "device_tx_enabled_ Tx enabled unchecked",
                                     "navigation_lock_horizon_ Lock the horizon enabled checked",
                                     "device_dominant_axis_ Dominant axis only enabled checked",
                                     "trans_sensib_slider_ 0"}));
        for (const char* said :
             {"Rotations off", "Horizon locked", "Sensitivities: translations 1.26, rotations 1.26",
              "Dominant axis only", "Translations off",
              "Sensitivities: translations 1.00, rotations 1.00", "urning about the "}) {
            QVERIFY2(errors.contains(QLatin1String(said)), qPrintable(errors + said));
        }
    }

    // --profile starts in a profile, and a device button bound to
    // Next_Profile moves to the next; an unknown profile ends the start
    // with the names there are.
    void theCommandLineAndAButtonChooseTheProfile() {
        QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("kept/profiles")));
        const QString settings = dir_.filePath(QStringLiteral("kept/prefs.ini"));
        write_file(settings, "[buttons]\nbutton_1=Next_Profile\n");
        write_file(dir_.filePath(QStringLiteral("kept/profiles/Detail.tarvik-profile")),
                   "[buttons]\nbutton_1=Next_Profile\n\n[navigation]\n"
                   "translation_sensitivity=0.501187205\n\n[profile]\nname=Detail\nformat=1\n");
        const Run unknown = run_tarvik({"--settings", settings, "--profile", "Nowhere"});
        QCOMPARE(unknown.status, 2);
        QVERIFY2(unknown.errors.contains(
                     QStringLiteral("there is no profile \"Nowhere\"; there are: Default, Detail")),
                 qPrintable(unknown.errors));

        FakeDaemon daemon(dir_.filePath(QStringLiteral("profiles.sock")));
        daemon.start();
        QProcess tarvik;
        start_with_daemon(tarvik, daemon,
                          {"--settings", settings, "--profile", "Detail", "--buttons", "2",
                           "--script",
                           write_file(dir_, "profiles.txt",
                                      "print profile_combo\nprint trans_sensib_slider_\n"
                                      "wait 1500\nprint profile_combo\n"
                                      "print trans_sensib_slider_\nquit\n")});
        QTRY_VERIFY_WITH_TIMEOUT(tarvik.canReadLine(), 30000);
        daemon.send_button(0, true);
        daemon.send_button(0, false);
        QVERIFY(tarvik.waitForFinished(30000));
        QVERIFY2(tarvik.exitCode() == 0, tarvik.readAllStandardError().constData());
        QCOMPARE(
            QString::fromLocal8Bit(tarvik.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts),
            (QStringList{"profile_combo 1 Detail", "trans_sensib_slider_ -30",
                         "profile_combo 0 Default", "trans_sensib_slider_ 0"}));
    }

    // --buttons wins over the daemon's count, at start-up and after the
    // daemon comes back: the settings keep three buttons, and the fifth of
    // the device's twelve runs nothing.
    void theButtonsOptionWins() {
        FakeDaemon daemon(dir_.filePath(QStringLiteral("counted.sock")));
        daemon.start();
        QProcess tarvik;
        start_with_daemon(tarvik, daemon,
                          {"--settings", dir_.filePath(QStringLiteral("counted.ini")), "--buttons",
                           "3", "--script",
                           write_file(dir_, "counted.txt",
                                      "print button_3_combo_\nwait 6000\nprint device_state_\n"
                                      "quit\n")});
        QTRY_VERIFY_WITH_TIMEOUT(tarvik.canReadLine(), 30000);
        daemon.send_button(4, true);
        daemon.stop();
        daemon.start();
        QTRY_COMPARE_WITH_TIMEOUT(daemon.handshakes(), 2, 10000);
        daemon.send_button(4, true);
        QVERIFY(tarvik.waitForFinished(30000));
        const QString errors = QString::fromLocal8Bit(tarvik.readAllStandardError());
        QVERIFY2(tarvik.exitCode() == 0, qPrintable(errors));
        QCOMPARE(
            errors.count(QStringLiteral("device button 5 ignored: the settings have 3 buttons")),
            2);
        QCOMPARE(errors.count(QStringLiteral("tarvik: command:")), 0);
    }

    // The real spacenavd, fed by a serial Spaceball on a pseudo-terminal:
    // the device's name and eight buttons reach the host, a push along x
    // shows on the axis the dialog maps x to, and a press runs Fit_All.
    void theRealDaemon() {
        if (QStandardPaths::findExecutable(QStringLiteral("spacenavd")).isEmpty()) {
            QSKIP("spacenavd is not installed");
        }
        SerialSpaceball spaceball;
        QVERIFY(spaceball.is_open());
        QTemporaryDir folder;
        // Its own dead zone, sensitivity and inversion neutral: ours apply.
        const QString config =
            write_file(folder, QStringLiteral("spnavrc"),
                       QStringLiteral("serial = %1\nsensitivity = 1.0\ndead-zone = 0\n"
                                      "invert-rot =\ninvert-trans =\n")
                           .arg(spaceball.device())
                           .toLocal8Bit());
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("run")));
        QProcess daemon;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DISPLAY");
        daemon.setProcessEnvironment(environment);
        daemon.setWorkingDirectory(folder.path());
        daemon.start(QStringLiteral("spacenavd"),
                     {"-d", "-c", config, "-l", folder.filePath(QStringLiteral("log"))});
        QVERIFY(daemon.waitForStarted());
        const auto stop_daemon = qScopeGuard([&daemon] {
            daemon.kill();
            daemon.waitForFinished();
        });
        QVERIFY2(spaceball.answer_reset(20000), "the daemon never reset the device");
        const QString socket = folder.filePath(QStringLiteral("run/spnav.sock"));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socket), 20000);

        QProcess tarvik;
        environment.insert("SPNAV_SOCKET", socket);
        tarvik.setProcessEnvironment(environment);
        tarvik.start(QStringLiteral(TARVIK_PROGRAM),
                     {"--settings", folder.filePath(QStringLiteral("prefs.ini")), "--script",
                      write_file(dir_, "real.txt",
                                 "choose x_trans_combo_ 4\n"
                                 "print device_state_\n"
                                 "wait 2500\n"
                                 "print device_tz_\n"
                                 "print button_8_combo_\n"
                                 "quit\n")});
        QTRY_VERIFY_WITH_TIMEOUT(tarvik.canReadLine(), 30000);
        spaceball.send_motion({100, 0, 0, 0, 0, 0});
        spaceball.send_buttons(0x0001);
        spaceball.send_buttons(0x0000);
        QVERIFY(tarvik.waitForFinished(30000));
        const QString errors = QString::fromLocal8Bit(tarvik.readAllStandardError());
        QVERIFY2(tarvik.exitCode() == 0, qPrintable(errors));
        const QStringList lines =
            QString::fromLocal8Bit(tarvik.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.value(0),
                 QStringLiteral("device_state_ Connected: Spaceball 1003/2003/2003C"));
        QCOMPARE(lines.value(1), QStringLiteral("device_tz_ 100"));
        QVERIFY2(lines.value(2).startsWith("button_8_combo_ "), qPrintable(lines.join('|')));
        QVERIFY2(errors.contains("tarvik: command: view fit all"), qPrintable(errors));
    }

    // The View menu's standard views, each looked at as a user would: the
    // host says where it looks from, and a picture of each is kept. Then an
    // STL model replaces the built-in one.
    void everyStandardViewAndAnStlModel() {
        const QString folder = qEnvironmentVariable("KESTRAVA_SCREENSHOTS", dir_.path());
        QDir().mkpath(folder);
        QByteArray script;
        const char* const views[] = {"front", "back",   "left",     "right",
                                     "top",   "bottom", "isometric"};
        for (const char* view : views) {
            script += QStringLiteral("pick view_view_%1_action\nprint model_view\n"
                                     "grab main_window %2/host_view_%1.png\n")
                          .arg(QLatin1String(view), folder)
                          .toLocal8Bit();
        }
        script += "pick view_toggle_projection_action\nprint model_view\nquit\n";
        Run run = run_tarvik({"--settings", dir_.filePath(QStringLiteral("views.ini")), "--script",
                              write_file(dir_, "views.txt", script)});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QStringList expected;
        for (const char* view : views) {
            expected << QStringLiteral("model_view %1 perspective").arg(QLatin1String(view));
        }
        expected << QStringLiteral("model_view isometric orthographic");
        QCOMPARE(run.output.split('\n', Qt::SkipEmptyParts), expected);
        QVERIFY(QImage(folder + "/host_view_front.png") != QImage(folder + "/host_view_back.png"));

        // A torus, its hole along z.
        std::vector<QVector3D> torus;
        const int rings = 48, sides = 24;
        const auto at = [&](int i, int j) {
            const double u = 2 * std::numbers::pi * i / rings, v = 2 * std::numbers::pi * j / sides;
            const double r = 2 + 0.7 * std::cos(v);
            return QVector3D(float(r * std::cos(u)), float(r * std::sin(u)),
                             float(0.7 * std::sin(v)));
        };
        for (int i = 0; i < rings; ++i) {
            for (int j = 0; j < sides; ++j) {
                torus.insert(torus.end(), {at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j),
                                           at(i + 1, j + 1), at(i, j + 1)});
            }
        }
        const QString model = write_file(dir_, QStringLiteral("torus.stl"),
                                         binary_stl(torus, quint32(torus.size() / 3)));
        run = run_tarvik({"--settings", dir_.filePath(QStringLiteral("views.ini")), "--model",
                          model, "--screenshot", folder + "/host_stl.png"});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QVERIFY(!QImage(folder + "/host_stl.png").isNull());

        // A file that is no model: said in the view, the Commands dock and on
        // the terminal, and the built-in one shows. A screenshot of it fails.
        const QString letter = write_file(dir_, "letter.stl", "Dear user,\nthis is no model.\n");
        run = run_tarvik({"--settings", dir_.filePath(QStringLiteral("views.ini")), "--model",
                          letter, "--script",
                          write_file(dir_, "quit.txt", "texts\nprint command_log\nquit\n")});
        QCOMPARE(run.status, 0);
        const QString reason = letter + QStringLiteral(" cannot be shown: it is not an STL file");
        QVERIFY2(run.errors.contains(reason), qPrintable(run.errors));
        QVERIFY2(run.output.contains("model_view notice: letter.stl cannot be shown: it is not an "
                                     "STL file"),
                 qPrintable(run.output));
        QVERIFY(run.output.contains("model_view caption: Built-in model"));
        QVERIFY2(run.output.contains("command_log model: error: " + reason),
                 qPrintable(run.output));
        run = run_tarvik({"--settings", dir_.filePath(QStringLiteral("views.ini")), "--model",
                          letter, "--screenshot", folder + "/host_refused.png"});
        QCOMPARE(run.status, 1);
    }

    // Under an X server, the view draws with OpenGL, and a screenshot shows
    // what it drew.
    void theViewDrawsWithOpenGL() {
        const QString picture = dir_.filePath(QStringLiteral("opengl.png"));
        const Run run = run_tarvik(
            {"--settings", dir_.filePath(QStringLiteral("gl.ini")), "--screenshot", picture},
            QString(), QStringLiteral("xcb"));
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QVERIFY2(!run.errors.contains("without OpenGL"), qPrintable(run.errors));
        const QImage image(picture);
        QVERIFY(!image.isNull());
        // The roof of the house, red, in the middle of the view.
        int red = 0;
        for (int x = 400; x < 900; ++x) {
            const QRgb pixel = image.pixel(x, 300);
            red += qRed(pixel) > 120 && qGreen(pixel) < 80;
        }
        QVERIFY2(red > 50, qPrintable(QString::number(red)));
    }

    // Started in German or French, every text of the settings pane, the
    // function editor and the host that the catalogue translates shows
    // translated; pictures of each are kept.
    void everyLanguageTranslatesEveryText() {
        const QString folder = qEnvironmentVariable("KESTRAVA_SCREENSHOTS", dir_.path());
        QDir().mkpath(folder);
        QMap<QString, QString> english;
        for (const QString language : {"en", "de", "fr"}) {
            const QString shots = folder + "/" + language;
            const QString script = QStringLiteral("click buttons_fct_edit_btn_\ntexts\n"
                                                  "grab main_window %1_motions.png\n"
                                                  "grab sw_fct_editor %1_editor.png\n"
                                                  "choose tabs_ 1\ntexts\n"
                                                  "grab main_window %1_buttons.png\nquit\n")
                                       .arg(shots);
            const Run run = run_tarvik({"--lang", language, "--settings",
                                        dir_.filePath(QStringLiteral("languages.ini")), "--script",
                                        write_file(dir_, "languages.txt", script.toUtf8())});
            QVERIFY2(run.status == 0, qPrintable(run.errors));
            const QList<QMap<QString, QString>> dumps = text_dumps(run.output);
            QCOMPARE(dumps.size(), 2);
            QMap<QString, QString> texts = dumps[0];
            texts.insert(dumps[1]);
            if (language == QLatin1String("en")) {
                english = texts;
                QVERIFY(english.size() > 60);
                continue;
            }
            const QHash<QString, QString> catalogue =
                translated_texts(QStringLiteral(CATALOGUES "/tarvik_%1.ts").arg(language));
            const QStringList left = untranslated(english, texts, catalogue);
            QVERIFY2(left.isEmpty(), qPrintable(language + ":\n" + left.join('\n')));
            QVERIFY(texts.values().contains(catalogue.value(QStringLiteral("Edit Functions"))));
        }
    }

    // Without --lang the user's locale speaks: French here, English for a
    // language the host does not know.
    void theLocaleChoosesTheLanguage() {
        for (const auto& [locale, file_menu] :
             {std::pair{"fr_FR.UTF-8", "&Fichier"}, std::pair{"pt_BR.UTF-8", "&File"}}) {
            QProcess tarvik;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) {
                environment.remove(QLatin1String(variable));
            }
            environment.insert("LANG", QLatin1String(locale));
            tarvik.setProcessEnvironment(environment);
            tarvik.start(QStringLiteral(TARVIK_PROGRAM),
                         {"--settings", dir_.filePath(QStringLiteral("locale.ini")), "--script",
                          write_file(dir_, "locale.txt", "texts\nquit\n")});
            QVERIFY(tarvik.waitForFinished(60000));
            const QString output = QString::fromUtf8(tarvik.readAllStandardOutput());
            QVERIFY2(output.contains(QStringLiteral(" text: ") + file_menu + '\n'),
                     qPrintable(locale + QStringLiteral(": ") + output.left(300)));
        }
    }

    // In the middle of an addition in the function editor the user switches
    // to German: the typed text, the new name and the buttons' states stay;
    // back in English, every text is as it was.
    void languageSwitchesInTheMiddleOfAnEdition() {
        const Run run = run_tarvik(
            {"--lang", "en", "--settings", dir_.filePath(QStringLiteral("switch.ini")), "--script",
             write_file(dir_, "switch.txt",
                        "choose x_trans_combo_ 2\nslide rot_sensib_slider_ 40\n"
                        "print y_trans_combo_\n"
                        "click buttons_fct_edit_btn_\nanswer gamma\n"
                        "click fcts_add_btn_\ntype fcts_text_edit_ view top\n"
                        "texts\npick language_de_action\ntexts\n"
                        "print fcts_text_edit_\nprint fcts_combo_\n"
                        "print fcts_valid_btn_\nprint fcts_add_btn_\n"
                        "print x_trans_combo_\nprint y_trans_combo_\n"
                        "print rot_sensib_slider_\n"
                        "pick language_en_action\ntexts\nquit\n")});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        const QList<QMap<QString, QString>> dumps = text_dumps(run.output);
        QCOMPARE(dumps.size(), 3);
        const QStringList left = untranslated(
            dumps[0], dumps[1], translated_texts(QStringLiteral(CATALOGUES "/tarvik_de.ts")));
        QVERIFY2(left.isEmpty(), qPrintable(left.join('\n')));
        QCOMPARE(dumps[2], dumps[0]);
        const QStringList prints = run.output.split('\n').filter(QRegularExpression("^fcts_"));
        QCOMPARE(prints, QStringList({"fcts_text_edit_ view top", "fcts_combo_ 0 gamma",
                                      "fcts_valid_btn_ Übernehmen enabled",
                                      "fcts_add_btn_ Hinzufügen disabled"}));
        // The settings dialog keeps the user's choices, unsaved as they are.
        const QStringList choices =
            run.output.split('\n').filter(QRegularExpression("^(x|y)_trans_combo_|^rot_sensib"));
        QCOMPARE(choices.size(), 4);
        QCOMPARE(choices[1], QStringLiteral("x_trans_combo_ 2 "));
        QCOMPARE(choices[2], choices[0]);
        QCOMPARE(choices[3], QStringLiteral("rot_sensib_slider_ 40"));
    }

    // A screenshot of the whole window, then the program ends by itself.
    void screenshot() {
        const QString picture = dir_.filePath(QStringLiteral("window.png"));
        const Run run = run_tarvik(
            {"--settings", dir_.filePath(QStringLiteral("shot.ini")), "--screenshot", picture});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        const QImage image(picture);
        QVERIFY(image.width() >= 600 && image.height() >= 400);
    }

    // --help says what each option does today, and --version the versions.
    void helpAndVersionTellWhatIsTrue() {
        const Run help = run_tarvik({"--help"});
        QCOMPARE(help.status, 0);
        const QString flowing = help.output.simplified();
        for (const char* told :
             {"STL, OBJ, PLY, OFF, 3MF, glTF, COLLADA, FBX, 3DS, X3D, AMF, DXF, STEP or IGES",
              "what the daemon tells, else 2", "--version", "A model file to show"}) {
            QVERIFY2(flowing.contains(QLatin1String(told)), qPrintable(help.output));
        }
        const Run version = run_tarvik({"--version"});
        QCOMPARE(version.status, 0);
        QVERIFY2(version.output.startsWith(QLatin1String("tarvik ")) &&
                     version.output.contains(QStringLiteral("Qt %1").arg(qVersion())) &&
                     version.output.contains(QLatin1String("Kestrava module")),
                 qPrintable(version.output));
    }

    // What cannot work is said plainly, with a non-zero exit.
    void failuresAreReported() {
        const QString missing = dir_.filePath(QStringLiteral("nowhere/libKestrava_gui.so"));
        Run run = run_tarvik({"--module", missing});
        QVERIFY(run.status != 0);
        QVERIFY2(run.errors.contains(QStringLiteral("cannot load the module ") + missing),
                 qPrintable(run.errors));

        run = run_tarvik({"--module", QStringLiteral(NOT_A_MODULE)});
        QVERIFY(run.status != 0);
        QVERIFY2(run.errors.contains(QStringLiteral("registers no \"Kestrava\" workflow")),
                 qPrintable(run.errors));

        run = run_tarvik({"--buttons", "many"});
        QCOMPARE(run.status, 2);
        QVERIFY(run.errors.contains(QStringLiteral("--buttons takes a number")));

        // Lines are numbered as in the file, blank ones and comments too;
        // a line no command can run stops the script before any line runs.
        run = run_tarvik(
            {"--settings", dir_.filePath(QStringLiteral("bad.ini")), "--script",
             write_file(dir_, "bad.txt", "\n# a comment\n\n  \nclick no_such_button_\n")});
        QCOMPARE(run.status, 3);
        QVERIFY2(run.errors.contains(QStringLiteral("line 5: no widget named no_such_button_")),
                 qPrintable(run.errors));
        run = run_tarvik({"--settings", dir_.filePath(QStringLiteral("bad.ini")), "--script",
                          write_file(dir_, "unknown.txt", "\nprint device_state_\nfly away\n")});
        QCOMPARE(run.status, 3);
        QVERIFY2(run.errors.contains(QStringLiteral("line 3: cannot run \"fly away\"")),
                 qPrintable(run.errors));
        QVERIFY2(run.output.isEmpty(), qPrintable(run.output));
    }

    // --script reads a regular file of at most 1 MiB: a FIFO, a device, a
    // folder or a huge file is refused before it is read, with status 2.
    void onlyAScriptFileIsRead_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("reason");
        const QString fifo = dir_.filePath(QStringLiteral("fifo"));
        QVERIFY(mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        const QString huge = dir_.filePath(QStringLiteral("huge.txt"));
        write_file(huge, QByteArray(1024 * 1024 + 1, '#'));
        QTest::newRow("a FIFO") << fifo << "it is not a regular file";
        QTest::newRow("/dev/zero") << "/dev/zero"
                                   << "it is not a regular file";
        QTest::newRow("a folder") << dir_.path() << "it is not a regular file";
        QTest::newRow("over 1 MiB") << huge << "it is larger than 1 MiB";
    }
    void onlyAScriptFileIsRead() {
        QFETCH(QString, script);
        QFETCH(QString, reason);
        const Run run = run_tarvik({"--script", script});
        QCOMPARE(run.status, 2);
        QVERIFY2(run.errors.contains(
                     QStringLiteral("cannot read the script %1: %2").arg(script, reason)),
                 qPrintable(run.errors));
    }
};

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_end_to_end.moc"
