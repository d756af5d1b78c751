#include "SettingControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSignalBlocker>
#include <QSpinBox>
#include <cmath>

// Any change of a setting bound: every control shows its setting again.
class SettingControls::Observer : public ValueObserver {
public:
    explicit Observer(SettingControls* controls)
        : controls_(controls) {}
    void update(Value*) override { controls_->refresh(); }

private:
    SettingControls* controls_;
};

SettingControls::SettingControls(SpaceWarePreferencesManager& manager, QObject* parent)
    : QObject(parent)
    , manager_(manager)
    , observer_(new Observer(this)) {}

SettingControls::~SettingControls() = default;

void SettingControls::follow(NavigAttribute attribute, std::function<void()> show) {
    manager_.navig_value(attribute)->attach(observer_.get());
    show();
    shows_.push_back(std::move(show));
}

void SettingControls::refresh() {
    for (const auto& show : shows_) {
        show();
    }
    if (changed_) {
        changed_();
    }
}

QComboBox* SettingControls::choice(NavigAttribute attribute, QWidget* parent, const char* name) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    for (int i = 0; i < SpaceWarePreferencesManager::navig_choice_count(attribute); ++i) {
        combo->addItem(QString());
    }
    connect(combo, &QComboBox::activated, this,
            [this, attribute](int index) { manager_.set_navig_choice(attribute, index); });
    follow(attribute, [this, combo, attribute] {
        const int index = manager_.navig_choice(attribute);
        if (index >= 0 && combo->currentIndex() != index) {
            combo->setCurrentIndex(index);
        }
    });
    return combo;
}

QCheckBox* SettingControls::switch_box(NavigAttribute attribute, QWidget* parent,
                                       const char* name) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(QLatin1String(name));
    connect(box, &QCheckBox::toggled, this,
            [this, attribute](bool on) { manager_.set_navig_choice(attribute, on ? 1 : 0); });
    follow(attribute, [this, box, attribute] {
        const QSignalBlocker quiet(box);
        box->setChecked(manager_.navig_choice(attribute) == 1);
    });
    return box;
}

QSpinBox* SettingControls::whole_number(NavigAttribute attribute, QWidget* parent,
                                        const char* name) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    const auto [lowest, highest] = SpaceWarePreferencesManager::navig_range(attribute);
    spin->setRange(int(lowest), int(highest));
    connect(spin, &QSpinBox::valueChanged, this, [this, attribute](int value) {
        manager_.navig_float(attribute)->set(static_cast<float>(value));
    });
    follow(attribute, [this, spin, attribute] {
        // Shown rounded, the setting left as it is.
        const QSignalBlocker quiet(spin);
        spin->setValue(int(std::lround(manager_.navig_float(attribute)->get())));
    });
    return spin;
}

QDoubleSpinBox* SettingControls::number(NavigAttribute attribute, QWidget* parent, const char* name,
                                        double step) {
    auto* spin = new QDoubleSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    const auto [lowest, highest] = SpaceWarePreferencesManager::navig_range(attribute);
    spin->setRange(lowest, highest);
    spin->setSingleStep(step);
    spin->setDecimals(2);
    connect(spin, &QDoubleSpinBox::valueChanged, this, [this, attribute](double value) {
        manager_.navig_float(attribute)->set(static_cast<float>(value));
    });
    follow(attribute, [this, spin, attribute] {
        const QSignalBlocker quiet(spin);
        spin->setValue(manager_.navig_float(attribute)->get());
    });
    return spin;
}
