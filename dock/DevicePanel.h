#pragma once

// The host's view of the device: whether it is there; its six values at
// each stage the settings take them through (raw, switched and past the
// dead zone, shaped by the curve and the sensitivity, mapped onto the
// view's axes), with bars of the raw and the mapped values; a lamp per
// button with the function it runs; and the settings the settings dialog
// does not hold: the device's (axes on and off, dead zone, dominant axis,
// response curves) and the navigation's (rotation centre, horizon, mode).

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

#include "DeviceSource.h"
#include "MotionTransform.h"

class AxisBars;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class SettingControls;
class SpaceWarePreferencesManager;

class DevicePanel : public QWidget {
    Q_OBJECT
public:
    DevicePanel(SpaceWarePreferencesManager* manager, QWidget* parent = nullptr);
    ~DevicePanel() override;

    // Shows the device's name, or why there is none, as they change, and
    // lets go of what was held when the device goes.
    void follow(const DeviceSource& device);
    // What the device sent; shown at the next frame, however many come.
    void show_motion(const RawMotion& motion);
    void show_button(int number, bool pressed);

    // The stages, as the user reads them: the stage's column, the axis's row.
    static constexpr int stage_count = 4;

protected:
    void changeEvent(QEvent* event) override;

private:
    class CurvePlot;
    class Observer;
    QWidget* build_chain();
    QWidget* build_lamps();
    QGroupBox* build_device_settings();
    QGroupBox* build_navigation();
    void retranslate();
    // Shows the news at once, or when a frame has passed since the last.
    void schedule_refresh();
    void refresh();

    SpaceWarePreferencesManager* manager_;
    MotionSettingsFollower follower_;
    SettingControls* controls_;
    QLabel* state_ = nullptr;
    AxisBars* bars_ = nullptr;
    std::array<QLabel*, stage_count> stage_titles_{};
    std::array<std::array<QLabel*, 6>, stage_count> stage_values_{};
    std::vector<QLabel*> lamps_;
    QGroupBox* device_box_ = nullptr;
    QLabel* dead_zone_label_ = nullptr;
    QCheckBox* dominant_axis_ = nullptr;
    std::array<QCheckBox*, 6> enabled_{};
    std::array<QLabel*, 2> curve_labels_{};
    std::array<CurvePlot*, 2> curve_plots_{};
    QGroupBox* navigation_box_ = nullptr;
    QLabel* centre_label_ = nullptr;
    QComboBox* centre_ = nullptr;
    QCheckBox* lock_horizon_ = nullptr;
    QLabel* mode_label_ = nullptr;
    QComboBox* mode_ = nullptr;
    const DeviceSource* device_ = nullptr;
    RawMotion raw_;
    std::vector<bool> pressed_;
    QTimer frame_;
    QElapsedTimer since_refresh_;
    SmartResource<ValueObserver> observer_;
};
