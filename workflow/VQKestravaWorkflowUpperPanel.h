#pragma once

#include "Tarvik_gui.h"
#include "kestrava_gui_export.h"

// The workflow's upper area: an empty frame. While the workflow is shown the
// host's upper-area window is hidden.
class KESTRAVA_GUI_EXPORT VQKestravaWorkflowUpperPanel : public VQWorkflowWidget {
    Q_OBJECT
public:
    VQKestravaWorkflowUpperPanel();
    VQKestravaWorkflowUpperPanel(const VQKestravaWorkflowUpperPanel& other);
    VQKestravaWorkflowUpperPanel& operator=(const VQKestravaWorkflowUpperPanel& other);
    ~VQKestravaWorkflowUpperPanel() override;

    QWidget* build_view(QWidget* parent, const char* name) override;
    void enter_view() override;
    void leave_view() override;

private:
    static void show_host_upper_area(bool shown);
};
