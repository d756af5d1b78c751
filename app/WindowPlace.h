#pragma once

#include <QObject>
#include <QSize>

class QMainWindow;

// The window as the user left it: its size, place and docks come back at
// the next start, kept in the host's own settings; the first time, and on
// a screen too small for what was kept, it fits the screen's free area.
class WindowPlace : public QObject {
    Q_OBJECT
public:
    // `preferred`: the size of a first start, on a screen large enough.
    WindowPlace(QMainWindow& window, QSize preferred);
    // Whether the size and docks came back from an earlier run.
    bool restored() const { return restored_; }

private:
    void restore();
    void fit_screen();
    void keep() const;

    QMainWindow& window_;
    QSize preferred_;
    bool restored_ = false;
};
