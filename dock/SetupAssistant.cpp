#include "SetupAssistant.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "AxisBars.h"
#include "DeviceSource.h"
#include "Kestrava_spaceWare.h"

namespace {
const char* const axis_names[6] = {"Tx", "Ty", "Tz", "Rx", "Ry", "Rz"};
const char* const view_axis_names[3] = {"X", "Y", "Z"};
// How often the assistant looks at the time: a held motion completes, the
// patience runs out, without an event.
constexpr int tick_ms = 50;

std::array<float, 6> values_of(const RawMotion& motion) {
    std::array<float, 6> values;
    for (size_t i = 0; i < 6; ++i) {
        values[i] = float(motion.axes[i]);
    }
    return values;
}
} // namespace

SetupAssistant::SetupAssistant(SpaceWarePreferencesManager& manager, DeviceSource& device,
                               QWidget* parent)
    : QDialog(parent)
    , manager_(manager) {
    setObjectName(QStringLiteral("device_setup"));
    setModal(false);
    build();
    connect(&device, &DeviceSource::motion, this, &SetupAssistant::see);
    ticks_.setInterval(tick_ms);
    connect(&ticks_, &QTimer::timeout, this, &SetupAssistant::tick);
    start_over();
}

void SetupAssistant::build() {
    auto* layout = new QVBoxLayout(this);
    step_ = new QLabel(this);
    step_->setObjectName(QStringLiteral("device_setup_step_"));
    QFont big = step_->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    step_->setFont(big);
    layout->addWidget(step_);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("device_setup_status_"));
    status_->setWordWrap(true);
    layout->addWidget(status_);
    bars_ = new AxisBars(this);
    layout->addWidget(bars_);
    result_ = new QLabel(this);
    result_->setObjectName(QStringLiteral("device_setup_result_"));
    result_->setTextFormat(Qt::PlainText);
    layout->addWidget(result_);
    auto* buttons = new QHBoxLayout;
    const auto button = [&](const char* name) {
        auto* b = new QPushButton(this);
        b->setObjectName(QLatin1String(name));
        buttons->addWidget(b);
        return b;
    };
    restart_ = button("device_setup_restart_");
    skip_ = button("device_setup_skip_");
    buttons->addStretch();
    cancel_ = button("device_setup_cancel_");
    apply_ = button("device_setup_apply_");
    layout->addLayout(buttons);
    connect(restart_, &QPushButton::clicked, this, &SetupAssistant::start_over);
    connect(skip_, &QPushButton::clicked, this, [this] {
        detector_.skip();
        show_state();
    });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(apply_, &QPushButton::clicked, this, &SetupAssistant::apply);
    changeEvent(nullptr);
}

void SetupAssistant::start_over() {
    detector_ = MappingDetector();
    clock_.start();
    ticks_.start();
    show_state();
}

void SetupAssistant::see(const RawMotion& motion) {
    last_ = motion;
    detector_.feed(motion, clock_.elapsed());
    bars_->set({}, values_of(motion));
    show_state();
}

void SetupAssistant::tick() {
    detector_.tick(clock_.elapsed());
    show_state();
}

QString SetupAssistant::instruction(int step) const {
    const char* const instructions[] = {QT_TR_NOOP("Push the cap to the right"),
                                        QT_TR_NOOP("Pull the cap up"),
                                        QT_TR_NOOP("Push the cap away from you"),
                                        QT_TR_NOOP("Twist the cap clockwise as seen from above"),
                                        QT_TR_NOOP("Tilt the cap forward"),
                                        QT_TR_NOOP("Tilt it to the right")};
    return tr(instructions[step]);
}

QString SetupAssistant::status() const {
    using State = MappingDetector::State;
    switch (detector_.state()) {
    case State::resting:
        return tr("Let go of the cap.");
    case State::conflict:
        return tr("That was the axis of step %1: let go, and try again.")
            .arg(detector_.conflicting_step() + 1);
    case State::holding: {
        const auto [axis, sign] = *detector_.lead();
        return tr("Seen: %1%2. Hold it\u2026")
            .arg(sign > 0 ? QStringLiteral("+") : QStringLiteral("\u2212"),
                 QLatin1String(axis_names[axis]));
    }
    case State::watching:
        return detector_.waited_too_long(clock_.elapsed())
                   ? tr("Nothing clear seen for 15 s: push further, or skip this step.")
                   : tr("Waiting for the motion\u2026");
    case State::done:
        break;
    }
    return tr("Done. Apply sets the mapping found; Cancel keeps the settings as they are.");
}

// Each device axis, where the mapping found sends it.
QString SetupAssistant::summary() const {
    const MappingDetector::Mapping mapping = detector_.mapping();
    QStringList lines;
    for (size_t k = 0; k < 3; ++k) {
        const QString name = QLatin1String(axis_names[k]);
        if (!mapping.axis[k]) {
            lines << tr("%1: not found, kept as it is").arg(name);
            continue;
        }
        const QString along = tr("%1 moves the view along %2")
                                  .arg(name, QLatin1String(view_axis_names[*mapping.axis[k]]));
        lines << (mapping.translation_sign[k].value_or(1) < 0 ? tr("%1, reversed").arg(along)
                                                              : along);
    }
    for (size_t k = 0; k < 3; ++k) {
        const QString name = QLatin1String(axis_names[3 + k]);
        lines << (!mapping.rotation_sign[k]       ? tr("%1: not found, kept as it is").arg(name)
                  : *mapping.rotation_sign[k] < 0 ? tr("%1 turns the view reversed").arg(name)
                                                  : tr("%1 turns the view as it is").arg(name));
    }
    return lines.join('\n');
}

void SetupAssistant::show_state() {
    const bool done = detector_.state() == MappingDetector::State::done;
    step_->setText(
        done ? tr("The mapping found")
             : tr("Step %1 of 6: %2").arg(detector_.step() + 1).arg(instruction(detector_.step())));
    status_->setText(status());
    result_->setText(done ? summary() : QString());
    result_->setVisible(done);
    skip_->setEnabled(!done);
    apply_->setEnabled(done);
    apply_->setDefault(done);
    if (done) {
        ticks_.stop();
    }
}

// Every setting found at once, as one change.
void SetupAssistant::apply() {
    const MappingDetector::Mapping mapping = detector_.mapping();
    std::vector<std::pair<NavigAttribute, int>> choices;
    for (int k = 0; k < 3; ++k) {
        if (mapping.axis[size_t(k)]) {
            choices.emplace_back(translation_axis(k), *mapping.axis[size_t(k)]);
        }
        if (mapping.translation_sign[size_t(k)]) {
            choices.emplace_back(translation_direction(k),
                                 *mapping.translation_sign[size_t(k)] < 0 ? 1 : 0);
        }
        if (mapping.rotation_sign[size_t(k)]) {
            choices.emplace_back(rotation_direction(k),
                                 *mapping.rotation_sign[size_t(k)] < 0 ? 1 : 0);
        }
    }
    manager_.set_navig_choices(choices);
    accept();
}

void SetupAssistant::changeEvent(QEvent* event) {
    if (!event || event->type() == QEvent::LanguageChange) {
        setWindowTitle(tr("Set Up the Device"));
        restart_->setText(tr("Start &Over"));
        skip_->setText(tr("&Skip This Step"));
        cancel_->setText(tr("Cancel"));
        apply_->setText(tr("&Apply"));
        show_state();
    }
    if (event) {
        QDialog::changeEvent(event);
    }
}
