#pragma once

// Device → Set Up…: asks for six motions of the cap one at a time, watches
// what the device reports, and shows the mapping that makes the device
// move the view as the hand does; Apply writes it into the settings in one
// step, Cancel changes nothing. It works from the keyboard alone.

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <array>

#include "MappingDetector.h"

class AxisBars;
class DeviceSource;
class QLabel;
class QPushButton;
class SpaceWarePreferencesManager;

class SetupAssistant : public QDialog {
    Q_OBJECT
public:
    SetupAssistant(SpaceWarePreferencesManager& manager, DeviceSource& device,
                   QWidget* parent = nullptr);

    // The raw motion, as the device reports it.
    void see(const RawMotion& motion);

protected:
    void changeEvent(QEvent* event) override;

private:
    void build();
    void start_over();
    void tick();
    void show_state();
    QString instruction(int step) const;
    QString status() const;
    QString summary() const;
    void apply();

    SpaceWarePreferencesManager& manager_;
    MappingDetector detector_;
    QElapsedTimer clock_;
    QTimer ticks_;
    RawMotion last_;
    QLabel* step_ = nullptr;
    QLabel* status_ = nullptr;
    AxisBars* bars_ = nullptr;
    QLabel* result_ = nullptr;
    QPushButton* skip_ = nullptr;
    QPushButton* restart_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* apply_ = nullptr;
};
