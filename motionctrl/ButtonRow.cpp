#include "motionctrl/ButtonRow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include "Kestrava_spaceWare.h"
#include "Tarvik_qtools.h"

VQMotionCtrlPref::ButtonRow::ButtonRow(QGridLayout* layout, int index, VQMotionCtrlPref* owner,
                                       QWidget* parent)
    : owner_(owner)
    , layout_(layout)
    , index_(index) {
    const QString base = QStringLiteral("button_%1").arg(index + 1);
    label_ = new QLabel(parent);
    label_->setObjectName(base + QStringLiteral("_txt_"));
    layout_->addWidget(label_, index, 0);
    combo_ = new QComboBox(parent);
    combo_->setObjectName(base + QStringLiteral("_combo_"));
    combo_->setEditable(false);
    combo_->setModel(owner_->function_names_model());
    layout_->addWidget(combo_, index, 1);
    // The combo is the action's Qt parent: the action goes with it.
    new VQTypedCallback<ButtonRow, int>(combo_, SIGNAL(activated(int)), this,
                                        &ButtonRow::function_selected);
    observer_ = SmartResource<ValueObserverAction>(new ValueObserverAction(
        new ValueActionCallbackTp<ButtonRow>(this, &ButtonRow::update_function)));
    setting()->attach(observer_.get());
}

VQMotionCtrlPref::ButtonRow::~ButtonRow() = default;

StringSetting* VQMotionCtrlPref::ButtonRow::setting() const {
    return owner_->manager()->button_value(index_ + 1);
}

void VQMotionCtrlPref::ButtonRow::function_selected(int item) {
    CopyCString name;
    if (item >= 0 && host_string_of(combo_->itemText(item), name)) {
        setting()->set(name);
    }
}

void VQMotionCtrlPref::ButtonRow::update_function(const Value* value) {
    const auto* text = dynamic_cast<const StringValue*>(value);
    if (!text) {
        return;
    }
    const QString name = qstring_of(text->get());
    if (name == combo_->currentText()) {
        return;
    }
    const int found = owner_->function_position(name);
    const int shown =
        found >= 0
            ? found
            : owner_->function_position(qstring_of(SpaceWarePreferencesManager::no_action_name()));
    if (shown >= 0) {
        combo_->setCurrentIndex(shown);
    }
}

// The number goes through tr() as built ("3."), so that a catalogue can
// give a language's own way of numbering rows; without one it shows as is.
void VQMotionCtrlPref::ButtonRow::update_label() {
    label_->setText(VQMotionCtrlPref::tr(qPrintable(QStringLiteral("%1.").arg(index_ + 1))));
}

void VQMotionCtrlPref::ButtonRow::select_function_again() {
    observer_->update(setting()->value());
}
