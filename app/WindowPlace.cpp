#include "WindowPlace.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QScreen>

#include "HostSettings.h"

namespace {
const char* const geometry_key = "window/geometry";
const char* const state_key = "window/state";
const double first_share = 0.8;
} // namespace

WindowPlace::WindowPlace(QMainWindow& window, QSize preferred)
    : QObject(&window)
    , window_(window)
    , preferred_(preferred) {
    restore();
    connect(qApp, &QCoreApplication::aboutToQuit, this, &WindowPlace::keep);
}

void WindowPlace::restore() {
    const QSettings settings = host_settings();
    if (!window_.restoreGeometry(settings.value(QLatin1String(geometry_key)).toByteArray())) {
        // A large screen's room is used: most of it, at least the preferred size.
        window_.resize(preferred_.expandedTo(window_.screen()->availableSize() * first_share));
    }
    restored_ = window_.restoreState(settings.value(QLatin1String(state_key)).toByteArray());
    fit_screen();
}

void WindowPlace::fit_screen() {
    const QRect available = window_.screen()->availableGeometry();
    const QSize size = window_.size().boundedTo(available.size());
    if (size == window_.size() && available.contains(window_.geometry())) {
        return;
    }
    window_.resize(size);
    window_.move(available.topLeft() + QPoint((available.width() - size.width()) / 2,
                                              (available.height() - size.height()) / 2));
}

void WindowPlace::keep() const {
    QSettings settings = host_settings();
    settings.setValue(QLatin1String(geometry_key), window_.saveGeometry());
    settings.setValue(QLatin1String(state_key), window_.saveState());
}
