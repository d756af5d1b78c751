#pragma once

#include <QObject>

// The wheel moves a setting only when its control has the keyboard focus;
// otherwise it scrolls whatever holds the control, so that scrolling a pane
// of settings never changes one by accident. Watches the whole application.
class WheelGuard : public QObject {
    Q_OBJECT
public:
    explicit WheelGuard(QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
