#include "DevicePanel.h"

#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "Kestrava_spaceWare.h"

namespace {
const char* const axis_names[6] = {"Tx", "Ty", "Tz", "Rx", "Ry", "Rz"};
// One frame of a 60 Hz screen: the panel repaints no more often.
constexpr int frame_ms = 16;

std::array<float, 6> values_of(const ViewVelocity& velocity) {
    return {velocity.translation[0], velocity.translation[1], velocity.translation[2],
            velocity.rotation[0],    velocity.rotation[1],    velocity.rotation[2]};
}
} // namespace

// Six bars from the middle: the transformed value strong, the raw faint.
class DevicePanel::Bars : public QWidget {
public:
    explicit Bars(QWidget* parent)
        : QWidget(parent) {
        setMinimumSize(180, 6 * 18);
    }
    void set(const std::array<float, 6>& raw, const std::array<float, 6>& shown) {
        raw_ = raw;
        shown_ = shown;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const int row = height() / 6;
        const int middle = width() / 2;
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(middle, 0, middle, height());
        for (int i = 0; i < 6; ++i) {
            bar(painter, i * row, row, raw_[i], QColor(120, 120, 120, 70));
            bar(painter, i * row, row, shown_[i],
                i < 3 ? QColor(40, 110, 200) : QColor(200, 90, 40));
        }
    }

private:
    void bar(QPainter& painter, int top, int row, float value, const QColor& colour) {
        const int middle = width() / 2;
        const float fraction = std::clamp(value / DeviceScale::full_deflection, -1.0f, 1.0f);
        const int length = static_cast<int>(std::lround(fraction * (middle - 2)));
        painter.fillRect(
            QRect(length < 0 ? middle + length : middle, top + 3, std::abs(length), row - 6),
            colour);
    }
    std::array<float, 6> raw_{};
    std::array<float, 6> shown_{};
};

// Any change of the settings: the dead zone and switch may have changed,
// and the button names with them.
class DevicePanel::Observer : public ValueObserver {
public:
    explicit Observer(DevicePanel* panel)
        : panel_(panel) {}
    void update(Value*) override { panel_->show_device_settings(); }

private:
    DevicePanel* panel_;
};

DevicePanel::DevicePanel(SpaceWarePreferencesManager* manager, QWidget* parent)
    : QWidget(parent)
    , manager_(manager)
    , follower_(*manager)
    , observer_(new Observer(this)) {
    setObjectName(QStringLiteral("device_panel"));
    build(manager);
    for (SettingsValue* setting :
         {manager->navig_value(dead_zone), manager->navig_value(dominant_axis)}) {
        setting->attach(observer_.get());
    }
    for (long n = 1; n <= manager->button_count(); ++n) {
        manager->button_value(n)->attach(observer_.get());
    }
    show_device_settings();
    frame_.setSingleShot(true);
    connect(&frame_, &QTimer::timeout, this, &DevicePanel::refresh);
    refresh();
}

DevicePanel::~DevicePanel() = default;

void DevicePanel::build(SpaceWarePreferencesManager* manager) {
    auto* layout = new QVBoxLayout(this);
    state_ = new QLabel(this);
    state_->setObjectName(QStringLiteral("device_state_"));
    state_->setWordWrap(true);
    layout->addWidget(state_);

    auto* motion = new QGridLayout;
    bars_ = new Bars(this);
    motion->addWidget(bars_, 0, 1, 6, 1);
    for (int i = 0; i < 6; ++i) {
        motion->addWidget(new QLabel(QLatin1String(axis_names[i]), this), i, 0);
        values_[i] = new QLabel(QStringLiteral("0"), this);
        values_[i]->setObjectName(
            QStringLiteral("device_%1_").arg(QString::fromLatin1(axis_names[i]).toLower()));
        values_[i]->setMinimumWidth(40);
        values_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        motion->addWidget(values_[i], i, 2);
    }
    layout->addLayout(motion);

    auto* buttons = new QGridLayout;
    for (long n = 1; n <= manager->button_count(); ++n) {
        auto* lamp = new QLabel(this);
        lamp->setObjectName(QStringLiteral("device_button_%1_").arg(n));
        lamps_.push_back(lamp);
        buttons->addWidget(lamp, static_cast<int>(n - 1), 0);
    }
    pressed_.assign(lamps_.size(), false);
    layout->addLayout(buttons);

    auto* settings = new QFormLayout;
    dead_zone_ = new QSpinBox(this);
    dead_zone_->setObjectName(QStringLiteral("device_dead_zone_"));
    dead_zone_->setRange(0, 100);
    dead_zone_label_ = new QLabel(this);
    settings->addRow(dead_zone_label_, dead_zone_);
    dominant_axis_ = new QCheckBox(this);
    dominant_axis_->setObjectName(QStringLiteral("device_dominant_axis_"));
    settings->addRow(dominant_axis_);
    layout->addLayout(settings);
    layout->addStretch();
    retranslate();
    // A user's change only writes the setting; the widgets follow it.
    connect(dead_zone_, &QSpinBox::valueChanged, this, [this](int value) {
        manager_->navig_float(dead_zone)->set(static_cast<float>(value));
    });
    connect(dominant_axis_, &QCheckBox::toggled, this,
            [this](bool on) { manager_->set_navig_choice(dominant_axis, on ? 1 : 0); });
}

void DevicePanel::show_device_settings() {
    const int zone = static_cast<int>(std::lround(manager_->navig_float(dead_zone)->get()));
    if (dead_zone_->value() != zone) {
        dead_zone_->setValue(zone);
    }
    const bool on = manager_->navig_choice(dominant_axis) == 1;
    if (dominant_axis_->isChecked() != on) {
        dominant_axis_->setChecked(on);
    }
    schedule_refresh();
}

void DevicePanel::show_connection(bool connected, const QString& name) {
    connected_ = connected;
    device_name_ = name;
    retranslate();
}

void DevicePanel::retranslate() {
    state_->setText(connected_ ? tr("Connected: %1").arg(device_name_)
                               : tr("No device: spacenavd is not running"));
    dead_zone_label_->setText(tr("Dead zone"));
    dominant_axis_->setText(tr("Dominant axis only"));
}

void DevicePanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
    }
    QWidget::changeEvent(event);
}

void DevicePanel::show_motion(const RawMotion& motion) {
    raw_ = motion;
    schedule_refresh();
}

void DevicePanel::show_button(int number, bool pressed) {
    if (number >= 1 && number <= static_cast<int>(pressed_.size())) {
        pressed_[number - 1] = pressed;
        schedule_refresh();
    }
}

void DevicePanel::schedule_refresh() {
    if (!frame_.isActive()) {
        const qint64 since = since_refresh_.isValid() ? since_refresh_.elapsed() : frame_ms;
        frame_.start(static_cast<int>(std::max<qint64>(0, frame_ms - since)));
    }
}

void DevicePanel::refresh() {
    since_refresh_.start();
    const std::array<float, 6> shown = values_of(transform_motion(raw_, follower_.settings()));
    std::array<float, 6> raw;
    for (int i = 0; i < 6; ++i) {
        raw[i] = static_cast<float>(raw_.axes[i]);
        values_[i]->setText(QString::number(std::lround(shown[i])));
    }
    bars_->set(raw, shown);
    for (size_t i = 0; i < lamps_.size(); ++i) {
        const QString function =
            qstring_of(manager_->button_value(static_cast<long>(i) + 1)->get());
        lamps_[i]->setText(
            QStringLiteral("%1 %2  %3")
                .arg(pressed_[i] ? QStringLiteral("\u25cf") : QStringLiteral("\u25cb"))
                .arg(i + 1)
                .arg(function));
    }
}
