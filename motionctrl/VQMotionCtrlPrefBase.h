#pragma once

#include <QList>
#include <QSize>
#include <QWidget>
#include <array>

#include "kestrava_gui_export.h"

class QComboBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QSlider;
class QSpacerItem;
class QTabWidget;
class QVBoxLayout;

// The form of the motion-controller settings: a "Motions" page with the
// axis pictures, combos and sensitivity sliders, a "Buttons" page whose
// function group the logic fills. Its slots only warn.
class KESTRAVA_GUI_EXPORT VQMotionCtrlPrefBase : public QWidget {
    Q_OBJECT
public:
    VQMotionCtrlPrefBase(QWidget* parent = nullptr, const char* name = nullptr,
                         Qt::WindowFlags fl = Qt::WindowFlags());
    ~VQMotionCtrlPrefBase() override;

    // What the picture of a translation item (2 x axis + direction) or of a
    // rotation item (direction) of an axis means, for tool tips and screen readers.
    static QString translation_item_text(int item);
    static QString rotation_item_text(int axis, int direction);

    QTabWidget* tabs_;
    QWidget* motions_tab_;
    QGroupBox* translation_grp_box_;
    QLabel* ctrl_axis_trans_pxm_;
    QSlider* trans_sensib_slider_;
    QLabel* y_trans_pxm_;
    QComboBox* x_trans_combo_;
    QComboBox* y_trans_combo_;
    QComboBox* z_trans_combo_;
    QLabel* x_trans_pxm_;
    QLabel* z_trans_pxm_;
    QGroupBox* rotation_grp_box_;
    QLabel* ctrl_axis_rot_pxm_;
    QSlider* rot_sensib_slider_;
    QComboBox* y_rot_combo_;
    QLabel* y_rot_pxm_;
    QLabel* z_rot_pxm_;
    QLabel* x_rot_pxm_;
    QComboBox* x_rot_combo_;
    QComboBox* z_rot_combo_;
    QPushButton* motions_restore_pref_btn_;
    QPushButton* motions_save_btn_;
    QPushButton* motions_restore_default_btn_;
    QWidget* buttons_tab_;
    QGroupBox* button_fcts_grp_box_;
    QPushButton* buttons_restore_default_btn_;
    QPushButton* buttons_restore_pref_btn_;
    QPushButton* buttons_save_btn_;
    QPushButton* buttons_fct_edit_btn_;

protected:
    QHBoxLayout* VQMotionCtrlPrefBaseLayout;
    QVBoxLayout* motions_tab_Layout;
    QVBoxLayout* translation_grp_layout_;
    QGridLayout* trans_combos_layout_;
    QVBoxLayout* rotation_grp_layout_;
    QGridLayout* rot_combos_layout_;
    QGridLayout* motions_validate_layout_;
    QVBoxLayout* buttons_tab_Layout;
    QGridLayout* buttons_validate_layout_;
    QHBoxLayout* buttons_fct_edit_layout_;
    // The 25 spacers, in the order they are placed.
    QList<QSpacerItem*> spacers_;

    // The arrow pictures of the axis combos, shown at full size. (A function:
    // a static data member would be a unique symbol, and the module could
    // then never be unloaded.)
    static constexpr QSize arrow_size() { return QSize(32, 32); }

    // The translation and rotation combos, by axis (0, 1, 2 for x, y, z).
    std::array<QComboBox*, 3> translation_combos() const;
    std::array<QComboBox*, 3> rotation_combos() const;

    // An installed translator re-translates the open form.
    void changeEvent(QEvent* event) override;

protected slots:
    virtual void languageChange();
    virtual void save_motions_pref();
    virtual void restore_motions_pref();
    virtual void restore_motions_default();
    virtual void restore_buttons_default();
    virtual void restore_buttons_pref();
    virtual void save_buttons_pref();
    virtual void x_trans_selected(int idx);
    virtual void y_trans_selected(int idx);
    virtual void z_trans_selected(int idx);
    virtual void trans_slider_changed(int val);
    virtual void rot_slider_changed(int val);
    virtual void x_rot_selected(int idx);
    virtual void y_rot_selected(int idx);
    virtual void z_rot_selected(int idx);

private:
    struct AxisGroup;
    // An axis picture or combo of a group, by axis.
    struct AxisWidget {
        bool is_picture;
        int axis;
    };
    using AxisWidgetOrder = std::array<AxisWidget, 6>;
    // A restore or save button: its member, object name suffix and grid cell.
    struct GridButton {
        QPushButton*& member;
        const char* suffix;
        int row;
        int column;
    };
    AxisGroup build_axis_group(QWidget* parent, const char* kind, const char* box_name,
                               bool scaled_pictures, const AxisWidgetOrder& order);
    QGridLayout* build_validate_grid(QWidget* parent, const char* name, const char* prefix,
                                     const std::array<GridButton, 3>& buttons);
    void build_motions_tab();
    void build_buttons_tab();
    void connect_widgets();
    void set_tab_order();
    QSpacerItem* add_spacer(int width, int height, bool horizontal_expanding,
                            bool vertical_expanding);
    void fill_translation_combos();
    void fill_rotation_combos();
};
