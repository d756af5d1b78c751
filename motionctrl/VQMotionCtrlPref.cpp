#include "motionctrl/VQMotionCtrlPref.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHash>
#include <QPushButton>
#include <QSlider>
#include <QStringListModel>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "Kestrava_spaceWare.h"
#include "fcteditor/VQMotionCtrlFctEditor.h"
#include "forms/FormSupport.h"
#include "motionctrl/AxisItems.h"
#include "motionctrl/ButtonRow.h"

struct VQMotionCtrlPref::PrivateData {
    // The picture of rotation item i of axis k, at axis_items::of(k, i).
    std::array<QPixmap, axis_items::count> pixmaps;
    // Every function name, sorted: one model behind every row's combo, so
    // that a refresh grows with buttons plus functions, not their product;
    // and the position of each name in it.
    QStringListModel function_names;
    QHash<QString, int> function_positions;
    std::vector<std::unique_ptr<ButtonRow>> rows;
};

namespace {
using Manager = SpaceWarePreferencesManager;

int axis_of(const CString& text) {
    return Manager::string_to_index(axis_group, text);
}

QStringList sorted(QStringList names) {
    names.sort(Qt::CaseSensitive);
    return names;
}
} // namespace

// ---------------------------------------------------------------- construction

VQMotionCtrlPref::VQMotionCtrlPref(SpaceWarePreferencesManager* manager, QWidget* parent,
                                   const char* name, Qt::WindowFlags fl)
    : VQMotionCtrlPrefBase(parent, name, fl)
    , rows_layout_(nullptr)
    , manager_(manager)
    , editor_(nullptr)
    , d_(std::make_unique<PrivateData>()) {
    if (!name) {
        setObjectName(QStringLiteral("VQMotionCtrlPref"));
    }
    editor_ = new VQMotionCtrlFctEditor(manager, this, "sw_fct_editor", 0);
    connect(buttons_fct_edit_btn_, &QPushButton::clicked, editor_, &QWidget::show);
    create_button_rows();
    for (int axis = 0; axis < 3; ++axis) {
        for (int item = 0; item < 2; ++item) {
            d_->pixmaps[axis_items::of(axis, item)] =
                rotation_combos()[axis]->itemIcon(item).pixmap(arrow_size());
        }
    }
    create_observers();
    update(manager_);
    update_row_labels();
    editor_->languageChange();
}

// The rows go first, then the observers, last one first, then the form.
VQMotionCtrlPref::~VQMotionCtrlPref() {
    d_.reset();
    for (auto observer = observers_.rbegin(); observer != observers_.rend(); ++observer) {
        *observer = SmartResource<ValueObserverAction>();
    }
}

void VQMotionCtrlPref::create_button_rows() {
    auto* box_layout = new QVBoxLayout(button_fcts_grp_box_);
    box_layout->setSpacing(6);
    box_layout->setContentsMargins(11, 11, 11, 11);
    rows_layout_ = new QGridLayout;
    rows_layout_->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    box_layout->addLayout(rows_layout_);
    for (long index = 0; index < manager_->button_count(); ++index) {
        d_->rows.push_back(std::make_unique<ButtonRow>(rows_layout_, static_cast<int>(index), this,
                                                       button_fcts_grp_box_));
    }
    if (d_->rows.empty()) {
        return;
    }
    // The rows' combos go between the motions page's buttons and the buttons page's.
    QWidget* previous = motions_save_btn_;
    for (const auto& row : d_->rows) {
        setTabOrder(previous, row->combo());
        previous = row->combo();
    }
    setTabOrder(previous, buttons_restore_default_btn_);
}

void VQMotionCtrlPref::create_observers() {
    const Callback callbacks[observer_count] = {
        &VQMotionCtrlPref::update_x_trans,
        &VQMotionCtrlPref::update_y_trans,
        &VQMotionCtrlPref::update_z_trans,
        &VQMotionCtrlPref::update_x_rot,
        &VQMotionCtrlPref::update_y_rot,
        &VQMotionCtrlPref::update_z_rot,
        &VQMotionCtrlPref::update_trans_sensibility,
        &VQMotionCtrlPref::update_rot_sensibility,
        &VQMotionCtrlPref::update_function_names,
    };
    for (int o = 0; o < observer_count; ++o) {
        observers_[o] = SmartResource<ValueObserverAction>(new ValueObserverAction(
            new ValueActionCallbackTp<VQMotionCtrlPref>(this, callbacks[o])));
    }
    for (int o = 0; o < observer_count; ++o) {
        for (SettingsValue* setting : observed_settings(manager_, o)) {
            setting->attach(observers_[o].get());
        }
    }
}

std::vector<SettingsValue*> VQMotionCtrlPref::observed_settings(const Manager* manager,
                                                                int observer) {
    if (observer <= z_trans_observer) {
        const int row = observer - x_trans_observer;
        return {manager->navig_value(translation_axis(row)),
                manager->navig_value(translation_direction(row))};
    }
    if (observer <= z_rot_observer) {
        // A row's axis is watched twice, here too: the rotation pictures
        // follow the axis of the translation row of the same letter.
        const int row = observer - x_rot_observer;
        return {manager->navig_value(translation_axis(row)),
                manager->navig_value(rotation_direction(row))};
    }
    if (observer == trans_sensibility_observer) {
        return {manager->navig_value(trans_sensitivity)};
    }
    if (observer == rot_sensibility_observer) {
        return {manager->navig_value(rot_sensitivity)};
    }
    return {manager->custom_function_names()};
}

void VQMotionCtrlPref::update(SpaceWarePreferencesManager* manager) {
    for (int o = 0; o < observer_count; ++o) {
        for (SettingsValue* setting : observed_settings(manager, o)) {
            observers_[o]->update(setting->value());
        }
    }
}

// ---------------------------------------------------------------- language

void VQMotionCtrlPref::languageChange() {
    VQMotionCtrlPrefBase::languageChange();
    additionnalLanguageChange();
}

void VQMotionCtrlPref::additionnalLanguageChange() {
    update(manager_);
    update_row_labels();
    editor_->languageChange();
}

void VQMotionCtrlPref::update_row_labels() {
    for (const auto& row : d_->rows) {
        row->update_label();
    }
}

// ---------------------------------------------------------------- the user's choices

void VQMotionCtrlPref::save_motions_pref() {
    if (!manager_->save_navig_values()) {
        form_support::tell_save_failed(this, *manager_);
    }
}
void VQMotionCtrlPref::restore_motions_pref() {
    manager_->reset_navig_settings();
}
void VQMotionCtrlPref::restore_motions_default() {
    manager_->reset_navig_defaults();
}
void VQMotionCtrlPref::save_buttons_pref() {
    if (!manager_->save_button_values()) {
        form_support::tell_save_failed(this, *manager_);
    }
}
void VQMotionCtrlPref::restore_buttons_pref() {
    manager_->reset_button_settings();
}
void VQMotionCtrlPref::restore_buttons_default() {
    manager_->reset_button_defaults();
}

void VQMotionCtrlPref::x_trans_selected(int idx) {
    translation_selected(0, idx);
}
void VQMotionCtrlPref::y_trans_selected(int idx) {
    translation_selected(1, idx);
}
void VQMotionCtrlPref::z_trans_selected(int idx) {
    translation_selected(2, idx);
}
void VQMotionCtrlPref::x_rot_selected(int idx) {
    rotation_selected(0, idx);
}
void VQMotionCtrlPref::y_rot_selected(int idx) {
    rotation_selected(1, idx);
}
void VQMotionCtrlPref::z_rot_selected(int idx) {
    rotation_selected(2, idx);
}
void VQMotionCtrlPref::trans_slider_changed(int val) {
    sensitivity_changed(trans_sensitivity, val);
}
void VQMotionCtrlPref::rot_slider_changed(int val) {
    sensitivity_changed(rot_sensitivity, val);
}

// Both settings of the row are written, then told.
void VQMotionCtrlPref::translation_selected(int row, int item) {
    if (item < 0 || item >= axis_items::count) {
        return;
    }
    StringSetting* axis = manager_->navig_string(translation_axis(row));
    StringSetting* direction = manager_->navig_string(translation_direction(row));
    axis->assign(Manager::index_to_string(axis_group, axis_items::axis(item)));
    direction->assign(Manager::index_to_string(direction_group, axis_items::direction(item)));
    axis->notify(nullptr);
    direction->notify(nullptr);
}

void VQMotionCtrlPref::rotation_selected(int row, int item) {
    if (item < 0 || item >= 2) {
        return;
    }
    manager_->navig_string(rotation_direction(row))
        ->set(Manager::index_to_string(rotation_group, item));
}

void VQMotionCtrlPref::sensitivity_changed(NavigAttribute attribute, int position) {
    manager_->navig_float(attribute)->set(position_to_sensitivity(position));
}

float VQMotionCtrlPref::position_to_sensitivity(int position) {
    return static_cast<float>(
        std::pow(10.0, position / double(SensitivityScale::positions_per_decade)));
}

// The nearest position, exact halves going to the lower one. Values no slider
// can show (zero, negative, not a number) go to the nearest end, or the middle.
int VQMotionCtrlPref::sensitivity_to_position(float sensitivity) {
    if (std::isnan(sensitivity)) {
        return 0;
    }
    if (!(sensitivity > 0.0f)) {
        return SensitivityScale::lowest_position;
    }
    const float l = static_cast<float>(std::log10(static_cast<double>(sensitivity)));
    // Far beyond either end, so that the slider's own bounds decide.
    const double far = 10.0 * SensitivityScale::highest_position;
    const double a = std::clamp(SensitivityScale::positions_per_decade * double(l), -far, far);
    const double lower = std::floor(a);
    return static_cast<int>(a - lower > 0.5 ? std::ceil(a) : lower);
}

// ---------------------------------------------------------------- observers

void VQMotionCtrlPref::update_x_trans(const Value* value) {
    update_translation(0, value);
}
void VQMotionCtrlPref::update_y_trans(const Value* value) {
    update_translation(1, value);
}
void VQMotionCtrlPref::update_z_trans(const Value* value) {
    update_translation(2, value);
}
void VQMotionCtrlPref::update_x_rot(const Value* value) {
    update_rotation(0, value);
}
void VQMotionCtrlPref::update_y_rot(const Value* value) {
    update_rotation(1, value);
}
void VQMotionCtrlPref::update_z_rot(const Value* value) {
    update_rotation(2, value);
}

void VQMotionCtrlPref::update_trans_sensibility(const Value* value) {
    update_sensitivity(trans_sensib_slider_, value);
}

void VQMotionCtrlPref::update_rot_sensibility(const Value* value) {
    update_sensitivity(rot_sensib_slider_, value);
}

// Told of the row's axis or direction: shows it, then keeps the three axes a
// permutation by giving a row that uses the same axis the one left free.
void VQMotionCtrlPref::update_translation(int row, const Value* value) {
    const auto* text = dynamic_cast<const StringValue*>(value);
    if (!text) {
        return;
    }
    QComboBox* combo = translation_combos()[row];
    const int current = combo->currentIndex();
    const int axis = axis_of(text->get());
    if (axis < 0) {
        // A direction, or a string of no group: then the combo stays as it is.
        const int direction = Manager::string_to_index(direction_group, text->get());
        if (direction >= 0 && direction != axis_items::direction(current)) {
            combo->setCurrentIndex(axis_items::of(axis_items::axis(current), direction));
        }
        return;
    }
    if (axis != axis_items::axis(current)) {
        combo->setCurrentIndex(axis_items::of(axis, axis_items::direction(current)));
    }
    repair_axes(row, axis);
}

void VQMotionCtrlPref::repair_axes(int row, int axis) {
    const int first = (row + 1) % 3;
    const int second = (row + 2) % 3;
    const int first_axis = axis_of(manager_->navig_string(translation_axis(first))->get());
    const int second_axis = axis_of(manager_->navig_string(translation_axis(second))->get());
    int conflicting, remaining, remaining_axis;
    if (second_axis == axis) {
        conflicting = second, remaining = first, remaining_axis = first_axis;
    } else if (first_axis == axis) {
        conflicting = first, remaining = second, remaining_axis = second_axis;
    } else {
        return;
    }
    const int free_axis = 3 - remaining_axis - axis;
    if (free_axis >= 0 && free_axis <= 2 && free_axis != axis) {
        manager_->navig_string(translation_axis(conflicting))
            ->set(Manager::index_to_string(axis_group, free_axis));
        return;
    }
    // The remaining row holds no usable axis either: both get one anew.
    StringSetting* conflicting_setting = manager_->navig_string(translation_axis(conflicting));
    StringSetting* remaining_setting = manager_->navig_string(translation_axis(remaining));
    conflicting_setting->assign(Manager::index_to_string(axis_group, (axis + 1) % 3));
    remaining_setting->assign(Manager::index_to_string(axis_group, (axis + 2) % 3));
    remaining_setting->notify(nullptr);
    conflicting_setting->notify(nullptr);
}

// Told of the row's translation axis (the pictures follow it) or of its
// rotation direction (the combo shows it).
void VQMotionCtrlPref::update_rotation(int row, const Value* value) {
    const auto* text = dynamic_cast<const StringValue*>(value);
    if (!text) {
        return;
    }
    QComboBox* combo = rotation_combos()[row];
    const int current = combo->currentIndex();
    if (axis_of(text->get()) >= 0) {
        // The setting is read again rather than the value told: inside a
        // nested repair it may already hold a newer axis.
        const int axis = axis_of(manager_->navig_string(translation_axis(row))->get());
        if (axis >= 0) {
            show_rotation_pictures(row, axis);
            combo->setCurrentIndex(current);
        }
        return;
    }
    const int direction = Manager::string_to_index(rotation_group, text->get());
    if (direction >= 0 && direction != current) {
        combo->setCurrentIndex(direction);
    }
}

void VQMotionCtrlPref::show_rotation_pictures(int row, int axis) {
    QComboBox* combo = rotation_combos()[row];
    for (int item = 0; item < 2; ++item) {
        combo->setItemIcon(item, QIcon(d_->pixmaps[axis_items::of(axis, item)]));
        const QString meaning = rotation_item_text(axis, item);
        combo->setItemData(item, meaning, Qt::ToolTipRole);
        combo->setItemData(item, meaning, Qt::AccessibleTextRole);
    }
}

void VQMotionCtrlPref::update_sensitivity(QSlider* slider, const Value* value) {
    const auto* number = dynamic_cast<const FloatValue*>(value);
    if (!number) {
        return;
    }
    const int position = sensitivity_to_position(number->get());
    if (slider->value() != position) {
        slider->setValue(position);
    }
}

// The custom names go to the editor; every function name, sorted, to each row.
void VQMotionCtrlPref::update_function_names(const Value* value) {
    const auto* text = dynamic_cast<const StringValue*>(value);
    if (!text) {
        return;
    }
    List<CString> pieces;
    text->get().split(" ", pieces);
    QStringList custom;
    for (long i = 0; i < pieces.count(); ++i) {
        custom << qstring_of(pieces.item(i));
    }
    editor_->update_fct_list(sorted(custom));

    QStringList all;
    for (FunctionNameIterator it = manager_->function_name_iterator(); it.more(); it.next()) {
        all << qstring_of(it.key());
    }
    all = sorted(all);
    d_->function_positions.clear();
    for (int position = 0; position < all.size(); ++position) {
        d_->function_positions.insert(all[position], position);
    }
    d_->function_names.setStringList(all);
    for (const auto& row : d_->rows) {
        row->select_function_again();
    }
}

QAbstractItemModel* VQMotionCtrlPref::function_names_model() const {
    return &d_->function_names;
}

int VQMotionCtrlPref::function_position(const QString& name) const {
    return d_->function_positions.value(name, -1);
}
