#pragma once

#include "Tarvik_gui.h"
#include "kestrava_gui_export.h"

class VQMotionCtrlPref;

// The workflow's lower area: the motion-controller settings in a scroll
// area; a right-click on it opens the lower area's popup menu.
class KESTRAVA_GUI_EXPORT VQKestravaWorkflowLowerPanel : public VQWorkflowWidget {
    Q_OBJECT
public:
    VQKestravaWorkflowLowerPanel();
    VQKestravaWorkflowLowerPanel(const VQKestravaWorkflowLowerPanel& other);
    VQKestravaWorkflowLowerPanel& operator=(const VQKestravaWorkflowLowerPanel& other);
    ~VQKestravaWorkflowLowerPanel() override;

    bool eventFilter(QObject* watched, QEvent* event) override;
    QWidget* build_view(QWidget* parent, const char* name) override;

    VQMotionCtrlPref* preferences_editor() const { return preferences_editor_; }

private:
    bool is_menu_request(const QObject* watched, const QEvent* event) const;
    VQWorkflowWidget* create_popup_menu_builder() const;
    void open_popup_menu();

    VQMotionCtrlPref* preferences_editor_ = nullptr;
};
