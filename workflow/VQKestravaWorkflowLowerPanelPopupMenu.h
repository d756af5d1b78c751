#pragma once

#include "Tarvik_gui.h"
#include "kestrava_gui_export.h"

// The lower area's popup menu: one entry that detaches the settings pane.
class KESTRAVA_GUI_EXPORT VQKestravaWorkflowLowerPanelPopupMenu
    : public VQWorkflowLowerAreaPopupMenu {
    Q_OBJECT
public:
    VQKestravaWorkflowLowerPanelPopupMenu();
    VQKestravaWorkflowLowerPanelPopupMenu(const VQKestravaWorkflowLowerPanelPopupMenu& other);
    VQKestravaWorkflowLowerPanelPopupMenu&
    operator=(const VQKestravaWorkflowLowerPanelPopupMenu& other);
    ~VQKestravaWorkflowLowerPanelPopupMenu() override;

protected:
    void fill_menu(QMenu* menu) override;
};
