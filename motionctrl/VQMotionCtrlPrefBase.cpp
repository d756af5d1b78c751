#include "motionctrl/VQMotionCtrlPrefBase.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpacerItem>
#include <QTabWidget>
#include <QVBoxLayout>

#include "Kestrava_spaceWare.h"
#include "MimeSourceFactory.h"
#include "forms/FormSupport.h"
#include "motionctrl/AxisItems.h"

namespace {
const char* const axis_letters[3] = {"x", "y", "z"};
const char* const translation_pictures[axis_items::count] = {
    "ox_arrow.png", "xo_arrow.png", "oy_arrow.png", "yo_arrow.png", "oz_arrow.png", "zo_arrow.png"};
const char* const rotation_pictures[3][2] = {{"a_cw_arrow.png", "a_ccw_arrow.png"},
                                             {"b_cw_arrow.png", "b_ccw_arrow.png"},
                                             {"c_cw_arrow.png", "c_ccw_arrow.png"}};
// An object or picture name from a pattern with {axis} and {kind} in it.
QString name_of(const char* pattern, const char* axis, const char* kind) {
    return QString::fromLatin1(pattern)
        .replace(QLatin1String("{axis}"), QLatin1String(axis))
        .replace(QLatin1String("{kind}"), QLatin1String(kind));
}

void not_implemented(const char* slot) {
    form_support::warn_not_implemented("VQMotionCtrlPrefBase", slot);
}

QLabel* picture_label(QWidget* parent, const QString& name, const QString& picture, bool scaled) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setPixmap(pixmapFromMimeSource(picture));
    label->setScaledContents(scaled);
    if (!scaled) {
        label->setAlignment(Qt::AlignCenter);
    }
    return label;
}

QGridLayout* nested_grid(const char* name) {
    auto* grid = new QGridLayout;
    grid->setObjectName(QString::fromLatin1(name));
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(6);
    return grid;
}

QPushButton* push_button(QWidget* parent, const QString& name) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    return button;
}

// Appends one picture item with a null text and says what it shows.
void add_picture_item(QComboBox* combo, const char* picture, const QString& meaning) {
    combo->addItem(QIcon(pixmapFromMimeSource(QString::fromLatin1(picture))), QString());
    const int item = combo->count() - 1;
    combo->setItemData(item, meaning, Qt::ToolTipRole);
    combo->setItemData(item, meaning, Qt::AccessibleTextRole);
}
} // namespace

struct VQMotionCtrlPrefBase::AxisGroup {
    QGroupBox* box;
    QVBoxLayout* layout;
    QLabel* controller;
    QSlider* slider;
    QGridLayout* grid;
    std::array<QLabel*, 3> pictures;
    std::array<QComboBox*, 3> combos;
};

VQMotionCtrlPrefBase::VQMotionCtrlPrefBase(QWidget* parent, const char* name, Qt::WindowFlags fl)
    : QWidget(parent, fl) {
    setObjectName(QString::fromLatin1(name ? name : "VQMotionCtrlPrefBase"));
    setWindowIcon(pixmapFromMimeSource(QStringLiteral("Kestrava.png")));
    VQMotionCtrlPrefBaseLayout = new QHBoxLayout(this);
    VQMotionCtrlPrefBaseLayout->setObjectName(QStringLiteral("VQMotionCtrlPrefBaseLayout"));
    VQMotionCtrlPrefBaseLayout->setContentsMargins(11, 11, 11, 11);
    VQMotionCtrlPrefBaseLayout->setSpacing(6);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabs_"));
    build_motions_tab();
    build_buttons_tab();
    VQMotionCtrlPrefBaseLayout->addWidget(tabs_);
    VQMotionCtrlPrefBase::languageChange();
    resize(QSize(275, 850).expandedTo(minimumSizeHint()));
    connect_widgets();
    set_tab_order();
}

VQMotionCtrlPrefBase::~VQMotionCtrlPrefBase() = default;

QSpacerItem* VQMotionCtrlPrefBase::add_spacer(int width, int height, bool horizontal_expanding,
                                              bool vertical_expanding) {
    auto* spacer = new QSpacerItem(
        width, height, horizontal_expanding ? QSizePolicy::Expanding : QSizePolicy::Minimum,
        vertical_expanding ? QSizePolicy::Expanding : QSizePolicy::Minimum);
    spacers_.append(spacer);
    return spacer;
}

// One group of the motions page, translations or rotations alike: the
// controller picture, the sensitivity slider, then the axis pictures and
// combos, each created and placed in the order `order` gives.
VQMotionCtrlPrefBase::AxisGroup
VQMotionCtrlPrefBase::build_axis_group(QWidget* parent, const char* kind, const char* box_name,
                                       bool scaled_pictures, const AxisWidgetOrder& order) {
    AxisGroup group;
    group.box = new QGroupBox(parent);
    group.box->setObjectName(QString::fromLatin1(box_name));
    auto* box_layout = new QVBoxLayout(group.box);
    box_layout->setSpacing(6);
    box_layout->setContentsMargins(11, 11, 11, 11);
    group.layout = new QVBoxLayout;
    group.layout->setAlignment(Qt::AlignTop);
    box_layout->addLayout(group.layout);

    group.controller = picture_label(group.box, name_of("ctrl_axis_{kind}_pxm_", "", kind),
                                     name_of("controler_{kind}.png", "", kind), false);
    group.layout->addWidget(group.controller);
    group.slider = new QSlider(group.box);
    group.slider->setObjectName(name_of("{kind}_sensib_slider_", "", kind));
    group.slider->setMinimum(SensitivityScale::lowest_position);
    group.slider->setMaximum(SensitivityScale::highest_position);
    group.slider->setOrientation(Qt::Horizontal);
    group.layout->addWidget(group.slider);
    group.layout->addItem(add_spacer(20, 20, false, true));

    group.grid = nested_grid(qPrintable(name_of("{kind}_combos_layout_", "", kind)));
    for (const AxisWidget& widget : order) {
        const char* letter = axis_letters[widget.axis];
        if (widget.is_picture) {
            group.pictures[widget.axis] =
                picture_label(group.box, name_of("{axis}_{kind}_pxm_", letter, kind),
                              name_of("cube_{axis}_{kind}.png", letter, kind), scaled_pictures);
            group.grid->addWidget(group.pictures[widget.axis], widget.axis, 0);
        } else {
            QComboBox* combo = new QComboBox(group.box);
            combo->setObjectName(name_of("{axis}_{kind}_combo_", letter, kind));
            combo->setEditable(false);
            combo->setMinimumSize(60, 34);
            combo->setIconSize(arrow_size());
            group.combos[widget.axis] = combo;
            group.grid->addWidget(combo, widget.axis, 2);
        }
    }
    for (int axis = 0; axis < 3; ++axis) {
        group.grid->addItem(add_spacer(44, 20, true, false), axis, 1);
        group.grid->addItem(add_spacer(43, 20, true, false), axis, 3);
    }
    group.layout->addLayout(group.grid);
    return group;
}

// Restore Default above Restore Preferences and Save, between two spacers;
// the buttons are created and placed in the order given.
QGridLayout* VQMotionCtrlPrefBase::build_validate_grid(QWidget* parent, const char* name,
                                                       const char* prefix,
                                                       const std::array<GridButton, 3>& buttons) {
    QGridLayout* grid = nested_grid(name);
    for (const GridButton& button : buttons) {
        button.member =
            push_button(parent, QString::fromLatin1(prefix) + QString::fromLatin1(button.suffix));
        grid->addWidget(button.member, button.row, button.column);
    }
    grid->addItem(add_spacer(20, 20, true, false), 0, 0);
    grid->addItem(add_spacer(20, 20, true, false), 0, 3);
    return grid;
}

void VQMotionCtrlPrefBase::build_motions_tab() {
    motions_tab_ = new QWidget(tabs_);
    motions_tab_->setObjectName(QStringLiteral("motions_tab_"));
    motions_tab_Layout = new QVBoxLayout(motions_tab_);
    motions_tab_Layout->setObjectName(QStringLiteral("motions_tab_Layout"));
    motions_tab_Layout->setContentsMargins(11, 11, 11, 11);
    motions_tab_Layout->setSpacing(6);

    // Each group creates its axis widgets in an order of its own.
    const AxisGroup translation =
        build_axis_group(motions_tab_, "trans", "translation_grp_box_", false,
                         {{{true, 1}, {false, 0}, {false, 1}, {false, 2}, {true, 0}, {true, 2}}});
    translation_grp_box_ = translation.box;
    translation_grp_layout_ = translation.layout;
    ctrl_axis_trans_pxm_ = translation.controller;
    trans_sensib_slider_ = translation.slider;
    trans_combos_layout_ = translation.grid;
    x_trans_pxm_ = translation.pictures[0];
    y_trans_pxm_ = translation.pictures[1];
    z_trans_pxm_ = translation.pictures[2];
    x_trans_combo_ = translation.combos[0];
    y_trans_combo_ = translation.combos[1];
    z_trans_combo_ = translation.combos[2];
    motions_tab_Layout->addWidget(translation_grp_box_);
    motions_tab_Layout->addItem(add_spacer(20, 20, false, false));

    const AxisGroup rotation =
        build_axis_group(motions_tab_, "rot", "rotation_grp_box_", true,
                         {{{false, 1}, {true, 1}, {true, 2}, {true, 0}, {false, 0}, {false, 2}}});
    rotation_grp_box_ = rotation.box;
    rotation_grp_layout_ = rotation.layout;
    ctrl_axis_rot_pxm_ = rotation.controller;
    rot_sensib_slider_ = rotation.slider;
    rot_combos_layout_ = rotation.grid;
    x_rot_pxm_ = rotation.pictures[0];
    y_rot_pxm_ = rotation.pictures[1];
    z_rot_pxm_ = rotation.pictures[2];
    x_rot_combo_ = rotation.combos[0];
    y_rot_combo_ = rotation.combos[1];
    z_rot_combo_ = rotation.combos[2];
    motions_tab_Layout->addWidget(rotation_grp_box_);
    motions_tab_Layout->addItem(add_spacer(20, 20, false, false));

    motions_validate_layout_ =
        build_validate_grid(motions_tab_, "motions_validate_layout_", "motions",
                            {{{motions_restore_pref_btn_, "_restore_pref_btn_", 1, 1},
                              {motions_save_btn_, "_save_btn_", 1, 2},
                              {motions_restore_default_btn_, "_restore_default_btn_", 0, 1}}});
    motions_tab_Layout->addLayout(motions_validate_layout_);
    tabs_->addTab(motions_tab_, QString());
}

void VQMotionCtrlPrefBase::build_buttons_tab() {
    buttons_tab_ = new QWidget(tabs_);
    buttons_tab_->setObjectName(QStringLiteral("buttons_tab_"));
    buttons_tab_Layout = new QVBoxLayout(buttons_tab_);
    buttons_tab_Layout->setObjectName(QStringLiteral("buttons_tab_Layout"));
    buttons_tab_Layout->setContentsMargins(11, 11, 11, 11);
    buttons_tab_Layout->setSpacing(6);

    button_fcts_grp_box_ = new QGroupBox(buttons_tab_);
    button_fcts_grp_box_->setObjectName(QStringLiteral("button_fcts_grp_box_"));
    buttons_tab_Layout->addWidget(button_fcts_grp_box_);
    buttons_tab_Layout->addItem(add_spacer(20, 20, false, false));
    buttons_validate_layout_ =
        build_validate_grid(buttons_tab_, "buttons_validate_layout_", "buttons",
                            {{{buttons_restore_default_btn_, "_restore_default_btn_", 0, 1},
                              {buttons_restore_pref_btn_, "_restore_pref_btn_", 1, 1},
                              {buttons_save_btn_, "_save_btn_", 1, 2}}});
    buttons_tab_Layout->addLayout(buttons_validate_layout_);
    buttons_tab_Layout->addItem(add_spacer(20, 20, false, false));

    buttons_fct_edit_layout_ = new QHBoxLayout;
    buttons_fct_edit_layout_->setObjectName(QStringLiteral("buttons_fct_edit_layout_"));
    buttons_fct_edit_layout_->setContentsMargins(0, 0, 0, 0);
    buttons_fct_edit_layout_->setSpacing(6);
    buttons_fct_edit_btn_ = push_button(buttons_tab_, QStringLiteral("buttons_fct_edit_btn_"));
    buttons_fct_edit_layout_->addItem(add_spacer(22, 20, true, false));
    buttons_fct_edit_layout_->addWidget(buttons_fct_edit_btn_);
    buttons_fct_edit_layout_->addItem(add_spacer(22, 20, true, false));
    buttons_tab_Layout->addLayout(buttons_fct_edit_layout_);
    buttons_tab_Layout->addItem(add_spacer(20, 290, false, true));
    tabs_->addTab(buttons_tab_, QString());
}

void VQMotionCtrlPrefBase::connect_widgets() {
    using Form = VQMotionCtrlPrefBase;
    connect(buttons_restore_default_btn_, &QPushButton::clicked, this,
            &Form::restore_buttons_default);
    connect(buttons_restore_pref_btn_, &QPushButton::clicked, this, &Form::restore_buttons_pref);
    connect(buttons_save_btn_, &QPushButton::clicked, this, &Form::save_buttons_pref);
    connect(motions_restore_default_btn_, &QPushButton::clicked, this,
            &Form::restore_motions_default);
    connect(motions_restore_pref_btn_, &QPushButton::clicked, this, &Form::restore_motions_pref);
    connect(motions_save_btn_, &QPushButton::clicked, this, &Form::save_motions_pref);
    connect(rot_sensib_slider_, &QSlider::valueChanged, this, &Form::rot_slider_changed);
    connect(trans_sensib_slider_, &QSlider::valueChanged, this, &Form::trans_slider_changed);
    connect(x_rot_combo_, &QComboBox::activated, this, &Form::x_rot_selected);
    connect(x_trans_combo_, &QComboBox::activated, this, &Form::x_trans_selected);
    connect(y_rot_combo_, &QComboBox::activated, this, &Form::y_rot_selected);
    connect(y_trans_combo_, &QComboBox::activated, this, &Form::y_trans_selected);
    connect(z_rot_combo_, &QComboBox::activated, this, &Form::z_rot_selected);
    connect(z_trans_combo_, &QComboBox::activated, this, &Form::z_trans_selected);
}

void VQMotionCtrlPrefBase::set_tab_order() {
    form_support::set_tab_chain(
        {tabs_, trans_sensib_slider_, x_trans_combo_, x_rot_combo_, y_rot_combo_, z_rot_combo_,
         y_trans_combo_, z_trans_combo_, rot_sensib_slider_, motions_restore_default_btn_,
         motions_restore_pref_btn_, motions_save_btn_, buttons_restore_default_btn_,
         buttons_restore_pref_btn_, buttons_save_btn_, buttons_fct_edit_btn_});
}

std::array<QComboBox*, 3> VQMotionCtrlPrefBase::translation_combos() const {
    return {x_trans_combo_, y_trans_combo_, z_trans_combo_};
}

std::array<QComboBox*, 3> VQMotionCtrlPrefBase::rotation_combos() const {
    return {x_rot_combo_, y_rot_combo_, z_rot_combo_};
}

QString VQMotionCtrlPrefBase::translation_item_text(int item) {
    const QString axis = QString::fromLatin1(axis_letters[axis_items::axis(item)]).toUpper();
    return (axis_items::direction(item) == 0 ? QStringLiteral("+") : QStringLiteral("\u2212")) +
           axis;
}

QString VQMotionCtrlPrefBase::rotation_item_text(int axis, int direction) {
    const QString letter = QString::fromLatin1(axis_letters[axis]).toUpper();
    return direction == 0 ? tr("clockwise about %1").arg(letter)
                          : tr("counter-clockwise about %1").arg(letter);
}

// Each translation combo starts on the positive arrow of its own axis.
void VQMotionCtrlPrefBase::fill_translation_combos() {
    const std::array<QComboBox*, 3> combos = translation_combos();
    for (int axis = 0; axis < 3; ++axis) {
        combos[axis]->clear();
        for (int item = 0; item < axis_items::count; ++item) {
            add_picture_item(combos[axis], translation_pictures[item], translation_item_text(item));
        }
        combos[axis]->setCurrentIndex(axis_items::of(axis, 0));
    }
}

void VQMotionCtrlPrefBase::fill_rotation_combos() {
    const std::array<QComboBox*, 3> combos = rotation_combos();
    for (int axis = 0; axis < 3; ++axis) {
        combos[axis]->clear();
        for (int direction = 0; direction < 2; ++direction) {
            add_picture_item(combos[axis], rotation_pictures[axis][direction],
                             rotation_item_text(axis, direction));
        }
        combos[axis]->setCurrentIndex(0);
    }
}

void VQMotionCtrlPrefBase::changeEvent(QEvent* event) {
    if (form_support::is_language_change(event)) {
        languageChange();
    }
    QWidget::changeEvent(event);
}

// The texts stay exactly as they are, old spellings ("Controler",
// "sensibility") included: they are the keys of existing translations, and
// users know them.
void VQMotionCtrlPrefBase::languageChange() {
    setWindowTitle(tr("Motion Controler Settings"));
    translation_grp_box_->setTitle(tr("Translations"));
    trans_sensib_slider_->setToolTip(tr("translation sensibility"));
    trans_sensib_slider_->setWhatsThis(
        tr("Change the sensibility of the motion controler for translation motions."));
    fill_translation_combos();
    rotation_grp_box_->setTitle(tr("Rotations"));
    rot_sensib_slider_->setToolTip(tr("rotation sensibility"));
    rot_sensib_slider_->setWhatsThis(
        tr("Change the sensibility of the motion controler for rotation motions."));
    fill_rotation_combos();
    motions_restore_pref_btn_->setText(tr("Restore Preferences"));
    motions_save_btn_->setText(tr("Save"));
    motions_restore_default_btn_->setText(tr("Restore Default"));
    tabs_->setTabText(tabs_->indexOf(motions_tab_), tr("Motions"));
    button_fcts_grp_box_->setTitle(tr("Button functions"));
    buttons_restore_default_btn_->setText(tr("Restore Default"));
    buttons_restore_pref_btn_->setText(tr("Restore Preferences"));
    buttons_save_btn_->setText(tr("Save"));
    buttons_fct_edit_btn_->setText(tr("Edit Functions"));
    tabs_->setTabText(tabs_->indexOf(buttons_tab_), tr("Buttons"));
}

void VQMotionCtrlPrefBase::save_motions_pref() {
    not_implemented("save_motions_pref()");
}

void VQMotionCtrlPrefBase::restore_motions_pref() {
    not_implemented("restore_motions_pref()");
}

void VQMotionCtrlPrefBase::restore_motions_default() {
    not_implemented("restore_motions_default()");
}

void VQMotionCtrlPrefBase::restore_buttons_default() {
    not_implemented("restore_buttons_default()");
}

void VQMotionCtrlPrefBase::restore_buttons_pref() {
    not_implemented("restore_buttons_pref()");
}

void VQMotionCtrlPrefBase::save_buttons_pref() {
    not_implemented("save_buttons_pref()");
}

void VQMotionCtrlPrefBase::x_trans_selected(int) {
    not_implemented("x_trans_selected(int)");
}

void VQMotionCtrlPrefBase::y_trans_selected(int) {
    not_implemented("y_trans_selected(int)");
}

void VQMotionCtrlPrefBase::z_trans_selected(int) {
    not_implemented("z_trans_selected(int)");
}

void VQMotionCtrlPrefBase::trans_slider_changed(int) {
    not_implemented("trans_slider_changed(int)");
}

void VQMotionCtrlPrefBase::rot_slider_changed(int) {
    not_implemented("rot_slider_changed(int)");
}

void VQMotionCtrlPrefBase::x_rot_selected(int) {
    not_implemented("x_rot_selected(int)");
}

void VQMotionCtrlPrefBase::y_rot_selected(int) {
    not_implemented("y_rot_selected(int)");
}

void VQMotionCtrlPrefBase::z_rot_selected(int) {
    not_implemented("z_rot_selected(int)");
}
