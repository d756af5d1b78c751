#pragma once

#include <array>
#include <memory>
#include <vector>

#include "Kestrava_spaceWare.h"
#include "Kestrava_utils.h"
#include "kestrava_gui_export.h"
#include "motionctrl/VQMotionCtrlPrefBase.h"

class QAbstractItemModel;
class QGridLayout;
class QSlider;
class StringValue;
class VQMotionCtrlFctEditor;

// The motion-controller settings, bound both ways to a settings manager: a
// choice is written into its setting at once, and every change of a setting,
// whoever made it, reaches the widgets through observers.
class KESTRAVA_GUI_EXPORT VQMotionCtrlPref : public VQMotionCtrlPrefBase {
    Q_OBJECT
public:
    class ButtonRow;

    VQMotionCtrlPref(SpaceWarePreferencesManager* manager, QWidget* parent = nullptr,
                     const char* name = nullptr, Qt::WindowFlags fl = Qt::WindowFlags());
    ~VQMotionCtrlPref() override;

    // The slider position of a sensitivity and back: sensitivity = 10^(p/100).
    static float position_to_sensitivity(int position);
    static int sensitivity_to_position(float sensitivity);

    // Observer callbacks of the settings. ("sensibility" and, below,
    // "additionnal" are the names callers and translations know.)
    void update_x_trans(const Value* value);
    void update_y_trans(const Value* value);
    void update_z_trans(const Value* value);
    void update_x_rot(const Value* value);
    void update_y_rot(const Value* value);
    void update_z_rot(const Value* value);
    void update_trans_sensibility(const Value* value);
    void update_rot_sensibility(const Value* value);
    void update_function_names(const Value* value);

    SpaceWarePreferencesManager* manager() const { return manager_; }
    VQMotionCtrlFctEditor* function_editor() const { return editor_; }

    // The form's slots, overridden: the meta-object adds none of its own.
    void languageChange() override;

protected:
    void save_motions_pref() override;
    void restore_motions_pref() override;
    void restore_motions_default() override;
    void restore_buttons_default() override;
    void restore_buttons_pref() override;
    void save_buttons_pref() override;
    void x_trans_selected(int idx) override;
    void y_trans_selected(int idx) override;
    void z_trans_selected(int idx) override;
    void trans_slider_changed(int val) override;
    void rot_slider_changed(int val) override;
    void x_rot_selected(int idx) override;
    void y_rot_selected(int idx) override;
    void z_rot_selected(int idx) override;

    // Shows every setting of `manager` in the widgets.
    virtual void update(SpaceWarePreferencesManager* manager);

private:
    struct PrivateData;
    using Callback = void (VQMotionCtrlPref::*)(const Value*);
    enum Observer {
        x_trans_observer,
        y_trans_observer,
        z_trans_observer,
        x_rot_observer,
        y_rot_observer,
        z_rot_observer,
        trans_sensibility_observer,
        rot_sensibility_observer,
        function_names_observer,
        observer_count
    };

    // The sorted function names every row lists, and a name's position in
    // them, or -1.
    QAbstractItemModel* function_names_model() const;
    int function_position(const QString& name) const;

    void create_button_rows();
    void create_observers();
    void update_row_labels();
    void additionnalLanguageChange();
    // The settings an observer is attached to, in the order it is told of them.
    static std::vector<SettingsValue*> observed_settings(const SpaceWarePreferencesManager* manager,
                                                         int observer);

    // What the three rows of each kind share, by row (0, 1, 2 for x, y, z).
    void translation_selected(int row, int item);
    void rotation_selected(int row, int item);
    void sensitivity_changed(NavigAttribute attribute, int position);
    void update_translation(int row, const Value* value);
    void update_rotation(int row, const Value* value);
    void update_sensitivity(QSlider* slider, const Value* value);
    void repair_axes(int row, int axis);
    void show_rotation_pictures(int row, int axis);

    QGridLayout* rows_layout_;
    SpaceWarePreferencesManager* manager_;
    VQMotionCtrlFctEditor* editor_;
    std::array<SmartResource<ValueObserverAction>, observer_count> observers_;
    std::unique_ptr<PrivateData> d_;
};
