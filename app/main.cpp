// The host application: reads its options and starts the host.

#include <QApplication>

#include "HostApplication.h"
#include "Options.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarvik"));
    HostApplication host(parse_options(app));
    return host.run();
}
