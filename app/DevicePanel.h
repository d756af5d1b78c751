#pragma once

// The host's view of the device: whether it is there, the six transformed
// values as bars with the raw ones faint behind, a lamp per button with
// the function it runs, and the device settings the dialog does not hold.

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <vector>

#include "DeviceSource.h"
#include "MotionTransform.h"

class QCheckBox;
class QLabel;
class QSpinBox;
class SpaceWarePreferencesManager;

class DevicePanel : public QWidget {
    Q_OBJECT
public:
    DevicePanel(SpaceWarePreferencesManager* manager, QWidget* parent = nullptr);
    ~DevicePanel() override;

    // What the device sent; shown at the next frame, however many come.
    void show_connection(bool connected, const QString& name);
    void show_motion(const RawMotion& motion);
    void show_button(int number, bool pressed);

protected:
    void changeEvent(QEvent* event) override;

private:
    class Bars;
    class Observer;
    void build(SpaceWarePreferencesManager* manager);
    void show_device_settings();
    void retranslate();
    // Shows the news at once, or when a frame has passed since the last.
    void schedule_refresh();
    void refresh();

    SpaceWarePreferencesManager* manager_;
    MotionSettingsFollower follower_;
    QLabel* state_;
    Bars* bars_;
    std::array<QLabel*, 6> values_{};
    std::vector<QLabel*> lamps_;
    QLabel* dead_zone_label_;
    QSpinBox* dead_zone_;
    QCheckBox* dominant_axis_;
    bool connected_ = false;
    QString device_name_;
    RawMotion raw_;
    std::vector<bool> pressed_;
    QTimer frame_;
    QElapsedTimer since_refresh_;
    SmartResource<ValueObserver> observer_;
};
