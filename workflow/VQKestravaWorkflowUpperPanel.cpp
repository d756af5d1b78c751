#include "workflow/VQKestravaWorkflowUpperPanel.h"

#include <QFrame>

VQKestravaWorkflowUpperPanel::VQKestravaWorkflowUpperPanel() = default;

VQKestravaWorkflowUpperPanel::VQKestravaWorkflowUpperPanel(
    const VQKestravaWorkflowUpperPanel& other) = default;

VQKestravaWorkflowUpperPanel&
VQKestravaWorkflowUpperPanel::operator=(const VQKestravaWorkflowUpperPanel& other) = default;

VQKestravaWorkflowUpperPanel::~VQKestravaWorkflowUpperPanel() = default;

QWidget* VQKestravaWorkflowUpperPanel::build_view(QWidget* parent, const char* name) {
    auto* frame = new QFrame(parent, Qt::WindowFlags());
    frame->setObjectName(QString::fromLatin1(name));
    return frame;
}

void VQKestravaWorkflowUpperPanel::enter_view() {
    show_host_upper_area(false);
}

void VQKestravaWorkflowUpperPanel::leave_view() {
    show_host_upper_area(true);
}

void VQKestravaWorkflowUpperPanel::show_host_upper_area(bool shown) {
    VQWorkflowPanel* panel = TarvikGuiLib::instance()->main_window()->workflow();
    if (!panel || !panel->workflow_upper_area()) {
        return;
    }
    panel->workflow_upper_area()->setVisible(shown);
}
