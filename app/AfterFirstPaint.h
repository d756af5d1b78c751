#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Runs an action once, right after the first paint of a widget, however
// long the window takes to be laid out and shown.
class AfterFirstPaint : public QObject {
public:
    // Belongs to `widget`.
    AfterFirstPaint(QWidget* widget, std::function<void()> action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void run();

    std::function<void()> action_;
};
