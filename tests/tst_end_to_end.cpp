// The host application as a user starts it, twice: what is saved in the
// first run is back in the second.

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
struct Run {
    int status;
    QString output;
    QString errors;
};

Run run_tarvik(const QStringList& arguments) {
    QProcess tarvik;
    tarvik.start(QStringLiteral(TARVIK_PROGRAM), arguments);
    if (!tarvik.waitForFinished(60000)) {
        tarvik.kill();
        tarvik.waitForFinished();
        return {-1, QString(), QStringLiteral("did not finish")};
    }
    const int status = tarvik.exitStatus() == QProcess::NormalExit ? tarvik.exitCode() : -2;
    return {status, QString::fromLocal8Bit(tarvik.readAllStandardOutput()),
            QString::fromLocal8Bit(tarvik.readAllStandardError())};
}
} // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString write_script(const QString& name, const QByteArray& lines) {
        const QString path = dir_.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(lines);
        return path;
    }

private slots:
    // Change settings through the dialog, save, quit; start again: they are back.
    void savedSettingsComeBack() {
        const QString settings = dir_.filePath(QStringLiteral("prefs.ini"));
        const QStringList common{"--settings", settings, "--buttons", "3"};
        const Run first =
            run_tarvik(common + QStringList{"--script", write_script("change.txt",
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
            QStringList{"--script",
                        write_script("print.txt", "print x_trans_combo_\nprint y_trans_combo_\n"
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

    // A screenshot of the whole window, then the program ends by itself.
    void screenshot() {
        const QString picture = dir_.filePath(QStringLiteral("window.png"));
        const Run run = run_tarvik(
            {"--settings", dir_.filePath(QStringLiteral("shot.ini")), "--screenshot", picture});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        const QImage image(picture);
        QVERIFY(image.width() >= 600 && image.height() >= 400);
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

        run = run_tarvik({"--settings", dir_.filePath(QStringLiteral("bad.ini")), "--script",
                          write_script("bad.txt", "click no_such_button_\n")});
        QCOMPARE(run.status, 3);
        QVERIFY2(run.errors.contains(QStringLiteral("line 1: no widget named no_such_button_")),
                 qPrintable(run.errors));
    }
};

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_end_to_end.moc"
