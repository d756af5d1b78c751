#pragma once

#include "Kestrava_utils.h"
#include "motionctrl/VQMotionCtrlPref.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QWidget;

// One device button on the buttons page: its number and a combo of every
// function name, bound to the button's setting.
class KESTRAVA_GUI_NO_EXPORT VQMotionCtrlPref::ButtonRow {
public:
    ButtonRow(QGridLayout* layout, int index, VQMotionCtrlPref* owner, QWidget* parent);
    ~ButtonRow();
    ButtonRow(const ButtonRow&) = delete;
    ButtonRow& operator=(const ButtonRow&) = delete;

    // The user activated an item of the combo.
    void function_selected(int item);
    // Observer callback of the button's setting.
    void update_function(const Value* value);
    void update_label();

    QComboBox* combo() const { return combo_; }
    // Once the function names are listed anew: shows the button's function.
    void select_function_again();

private:
    StringSetting* setting() const;

    VQMotionCtrlPref* owner_;
    QGridLayout* layout_;
    QLabel* label_;
    QComboBox* combo_;
    int index_;
    SmartResource<ValueObserverAction> observer_;
};
