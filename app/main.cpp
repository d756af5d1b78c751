// The host application: a main window that shows a workflow.

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <cstdio>

#include "Tarvik_gui.h"

namespace {
struct Options {
    QString screenshot;
};

Options parse_options(const QApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tarvik modelling host"));
    parser.addHelpOption();
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Show the window, save a PNG of it to <file> and exit."),
        QStringLiteral("file"));
    parser.addOption(screenshot);
    parser.process(app);
    return Options{parser.value(screenshot)};
}

int save_screenshot_and_quit(QWidget* window, const QString& file) {
    if (!window->grab().save(file, "PNG")) {
        std::fprintf(stderr, "tarvik: cannot write the screenshot %s\n", qPrintable(file));
        return 1;
    }
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarvik"));
    const Options options = parse_options(app);

    XMMainWindow* window = TarvikGuiLib::instance()->main_window();
    window->resize(900, 700);
    window->show();

    int status = 0;
    if (!options.screenshot.isEmpty()) {
        QTimer::singleShot(0, window, [&] {
            status = save_screenshot_and_quit(window, options.screenshot);
            QApplication::exit(status);
        });
    }
    const int loop_status = app.exec();
    delete window;
    return status ? status : loop_status;
}
