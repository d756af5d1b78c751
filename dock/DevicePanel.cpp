#include "DevicePanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "AxisBars.h"
#include "FunctionNames.h"
#include "Kestrava_spaceWare.h"
#include "SettingControls.h"

namespace {
const char* const axis_names[6] = {"Tx", "Ty", "Tz", "Rx", "Ry", "Rz"};
// The object names of the stages' values: device_tx_raw_ … device_tx_.
const char* const stage_suffixes[DevicePanel::stage_count] = {"raw_", "switched_", "shaped_", ""};
// One frame of a 60 Hz screen: the panel repaints no more often.
constexpr int frame_ms = 16;

QString axis_object_name(int axis, const char* suffix) {
    return QStringLiteral("device_%1_%2")
        .arg(QString::fromLatin1(axis_names[axis]).toLower(), QLatin1String(suffix));
}

std::array<std::array<float, 6>, DevicePanel::stage_count> stages_of(const MotionStages& s) {
    return {s.raw, s.beyond_dead_zone, s.shaped, s.mapped};
}
} // namespace

// A response curve: the speed (up) a deflection (across) gives, from none
// to full, the straight line faint behind.
class DevicePanel::CurvePlot : public QWidget {
public:
    explicit CurvePlot(QWidget* parent)
        : QWidget(parent) {
        setFixedSize(48, 36);
    }
    void set(float exponent) {
        exponent_ = exponent;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF box = QRectF(rect()).adjusted(2, 2, -2, -2);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(box);
        painter.drawLine(box.bottomLeft(), box.topRight());
        QPainterPath curve(box.bottomLeft());
        for (int i = 1; i <= 32; ++i) {
            const double x = i / 32.0;
            curve.lineTo(box.left() + x * box.width(),
                         box.bottom() - std::pow(x, double(exponent_)) * box.height());
        }
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawPath(curve);
    }

private:
    float exponent_ = 1;
};

// The buttons' functions may change: their lamps follow.
class DevicePanel::Observer : public ValueObserver {
public:
    explicit Observer(DevicePanel* panel)
        : panel_(panel) {}
    void update(Value*) override { panel_->schedule_refresh(); }

private:
    DevicePanel* panel_;
};

DevicePanel::DevicePanel(SpaceWarePreferencesManager* manager, QWidget* parent)
    : QWidget(parent)
    , manager_(manager)
    , follower_(*manager)
    , controls_(new SettingControls(*manager, this))
    , observer_(new Observer(this)) {
    setObjectName(QStringLiteral("device_panel"));
    auto* layout = new QVBoxLayout(this);
    state_ = new QLabel(this);
    state_->setObjectName(QStringLiteral("device_state_"));
    state_->setWordWrap(true);
    // A device's name comes from outside: shown as it is, never as markup.
    state_->setTextFormat(Qt::PlainText);
    layout->addWidget(state_);
    layout->addWidget(build_chain());
    layout->addWidget(build_lamps());
    layout->addWidget(build_device_settings());
    layout->addWidget(build_navigation());
    layout->addStretch();
    for (long n = 1; n <= manager->button_count(); ++n) {
        manager->button_value(n)->attach(observer_.get());
    }
    controls_->on_change([this] { schedule_refresh(); });
    retranslate();
    frame_.setSingleShot(true);
    connect(&frame_, &QTimer::timeout, this, &DevicePanel::refresh);
}

DevicePanel::~DevicePanel() = default;

// The values stage by stage, an axis a row, with the bars at the right.
QWidget* DevicePanel::build_chain() {
    auto* chain = new QWidget(this);
    auto* grid = new QGridLayout(chain);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int stage = 0; stage < stage_count; ++stage) {
        stage_titles_[size_t(stage)] = new QLabel(chain);
        stage_titles_[size_t(stage)]->setWordWrap(true);
        grid->addWidget(stage_titles_[size_t(stage)], 0, stage + 1, Qt::AlignBottom);
    }
    for (int axis = 0; axis < 6; ++axis) {
        grid->addWidget(new QLabel(QLatin1String(axis_names[axis]), chain), axis + 1, 0);
        for (int stage = 0; stage < stage_count; ++stage) {
            auto* value = new QLabel(QStringLiteral("0"), chain);
            value->setObjectName(axis_object_name(axis, stage_suffixes[stage]));
            value->setMinimumWidth(36);
            value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->addWidget(value, axis + 1, stage + 1);
            stage_values_[size_t(stage)][size_t(axis)] = value;
        }
    }
    bars_ = new AxisBars(chain);
    bars_->setObjectName(QStringLiteral("device_bars_"));
    grid->addWidget(bars_, 1, stage_count + 1, 6, 1);
    grid->setColumnStretch(stage_count + 1, 1);
    return chain;
}

QWidget* DevicePanel::build_lamps() {
    auto* lamps = new QWidget(this);
    auto* grid = new QGridLayout(lamps);
    grid->setContentsMargins(0, 0, 0, 0);
    for (long n = 1; n <= manager_->button_count(); ++n) {
        auto* lamp = new QLabel(lamps);
        lamp->setObjectName(QStringLiteral("device_button_%1_").arg(n));
        lamp->setTextFormat(Qt::PlainText);
        lamps_.push_back(lamp);
        grid->addWidget(lamp, static_cast<int>(n - 1), 0);
    }
    pressed_.assign(lamps_.size(), false);
    return lamps;
}

QGroupBox* DevicePanel::build_device_settings() {
    device_box_ = new QGroupBox(this);
    device_box_->setObjectName(QStringLiteral("device_settings_"));
    auto* form = new QFormLayout(device_box_);
    auto* axes = new QGridLayout;
    for (int k = 0; k < 6; ++k) {
        const QByteArray name = axis_object_name(k, "enabled_").toLatin1();
        enabled_[size_t(k)] = controls_->switch_box(axis_enabled(k), device_box_, name.constData());
        enabled_[size_t(k)]->setText(QLatin1String(axis_names[k]));
        axes->addWidget(enabled_[size_t(k)], k / 3, k % 3);
    }
    form->addRow(axes);
    dead_zone_label_ = new QLabel(device_box_);
    dead_zone_label_->setBuddy(
        controls_->whole_number(NavigAttribute::dead_zone, device_box_, "device_dead_zone_"));
    form->addRow(dead_zone_label_, dead_zone_label_->buddy());
    dominant_axis_ =
        controls_->switch_box(NavigAttribute::dominant_axis, device_box_, "device_dominant_axis_");
    form->addRow(dominant_axis_);
    const std::pair<NavigAttribute, const char*> curves[] = {
        {trans_curve, "device_translation_curve_"}, {rot_curve, "device_rotation_curve_"}};
    for (size_t i = 0; i < 2; ++i) {
        auto* row = new QHBoxLayout;
        row->addWidget(controls_->number(curves[i].first, device_box_, curves[i].second, 0.1));
        curve_plots_[i] = new CurvePlot(device_box_);
        row->addWidget(curve_plots_[i]);
        curve_labels_[i] = new QLabel(device_box_);
        form->addRow(curve_labels_[i], row);
    }
    return device_box_;
}

QGroupBox* DevicePanel::build_navigation() {
    navigation_box_ = new QGroupBox(this);
    navigation_box_->setObjectName(QStringLiteral("navigation_settings_"));
    auto* form = new QFormLayout(navigation_box_);
    centre_label_ = new QLabel(navigation_box_);
    centre_ = controls_->choice(rotation_centre, navigation_box_, "navigation_rotation_centre_");
    centre_label_->setBuddy(centre_);
    form->addRow(centre_label_, centre_);
    lock_horizon_ =
        controls_->switch_box(lock_horizon, navigation_box_, "navigation_lock_horizon_");
    form->addRow(lock_horizon_);
    mode_label_ = new QLabel(navigation_box_);
    mode_ = controls_->choice(navigation_mode, navigation_box_, "navigation_mode_");
    mode_label_->setBuddy(mode_);
    form->addRow(mode_label_, mode_);
    return navigation_box_;
}

namespace {
// What a control is for, on hovering it and through What's This; a
// label's text explains its control too.
void explain(QWidget* widget, const QString& text) {
    widget->setToolTip(text);
    widget->setWhatsThis(text);
    if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy()) {
        explain(label->buddy(), text);
    }
}
} // namespace

void DevicePanel::follow(const DeviceSource& device) {
    device_ = &device;
    connect(&device, &DeviceSource::status_changed, this, [this] {
        if (!device_->is_connected()) {
            // Whatever was held when the device went is let go.
            raw_ = RawMotion();
            pressed_.assign(pressed_.size(), false);
        }
        retranslate();
    });
    retranslate();
}

void DevicePanel::retranslate() {
    // The lamps name functions in the language of the moment, at once.
    refresh();
    if (device_) {
        state_->setText(device_->is_connected() ? tr("Connected: %1").arg(device_->status())
                                                : device_->status());
    }
    const char* const titles[stage_count] = {QT_TR_NOOP("Raw"), QT_TR_NOOP("Switched, dead zone"),
                                             QT_TR_NOOP("Curve, sensitivity"), QT_TR_NOOP("View")};
    const char* const tips[stage_count] = {
        QT_TR_NOOP("What the device sends"),
        QT_TR_NOOP("With the axes that are off stilled and the dead zone taken off"),
        QT_TR_NOOP("After the response curve and the sensitivity"),
        QT_TR_NOOP("Where the axis mapping sends it: the view's axes, each row one of them")};
    for (int stage = 0; stage < stage_count; ++stage) {
        stage_titles_[size_t(stage)]->setText(tr(titles[stage]));
        explain(stage_titles_[size_t(stage)], tr(tips[stage]));
    }
    explain(bars_, tr("Strong: the view's axes after every setting. Faint: the device's "
                      "raw axes."));
    for (QLabel* lamp : lamps_) {
        explain(lamp, tr("Lit while the button is held; the function it runs"));
    }
    device_box_->setTitle(tr("Device"));
    for (QCheckBox* box : enabled_) {
        explain(box, tr("Whether this axis of the device moves the view"));
    }
    dead_zone_label_->setText(tr("Dead zone"));
    explain(dead_zone_label_, tr("Deflections this small count as none; larger ones start "
                                 "from zero at its edge"));
    dominant_axis_->setText(tr("Dominant axis only"));
    explain(dominant_axis_, tr("Only the axis pushed the most moves the view"));
    curve_labels_[0]->setText(tr("Translation curve"));
    curve_labels_[1]->setText(tr("Rotation curve"));
    for (QLabel* label : curve_labels_) {
        explain(label, tr("1 is linear; higher makes small pushes finer, a full push keeps "
                          "its speed"));
    }
    navigation_box_->setTitle(tr("Navigation"));
    centre_label_->setText(tr("Rotation centre"));
    const char* const centres[] = {QT_TR_NOOP("Automatic"), QT_TR_NOOP("Model's centre"),
                                   QT_TR_NOOP("View's centre"), QT_TR_NOOP("Under the pointer")};
    for (int i = 0; i < centre_->count(); ++i) {
        centre_->setItemText(i, tr(centres[i]));
    }
    explain(centre_, tr("What the view turns about: the middle of what is in sight, the "
                        "model's centre, the view's centre, or the model's point under the "
                        "pointer as a motion starts"));
    lock_horizon_->setText(tr("Lock the horizon"));
    explain(lock_horizon_, tr("Keep the model's up axis vertical: no roll"));
    mode_label_->setText(tr("The device moves"));
    mode_->setItemText(0, tr("the model"));
    mode_->setItemText(1, tr("the eye"));
    explain(mode_, tr("Moving the eye turns every motion the other way"));
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
        pressed_[size_t(number - 1)] = pressed;
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
    const MotionSettings& settings = follower_.settings();
    const MotionStages stages = motion_stages(raw_, settings);
    const auto values = stages_of(stages);
    for (int stage = 0; stage < stage_count; ++stage) {
        for (int axis = 0; axis < 6; ++axis) {
            stage_values_[size_t(stage)][size_t(axis)]->setText(
                QString::number(std::lround(values[size_t(stage)][size_t(axis)])));
        }
    }
    bars_->set(stages.raw, stages.mapped);
    curve_plots_[0]->set(settings.translation_curve);
    curve_plots_[1]->set(settings.rotation_curve);
    for (size_t i = 0; i < lamps_.size(); ++i) {
        const QString function = function_name_for_people(
            *manager_, manager_->button_value(static_cast<long>(i) + 1)->get());
        lamps_[i]->setText(
            QStringLiteral("%1 %2  %3")
                .arg(pressed_[i] ? QStringLiteral("\u25cf") : QStringLiteral("\u25cb"))
                .arg(i + 1)
                .arg(function));
    }
}
