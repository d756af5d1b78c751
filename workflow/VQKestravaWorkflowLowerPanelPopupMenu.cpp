#include "workflow/VQKestravaWorkflowLowerPanelPopupMenu.h"

#include <QMenu>

#include "Tarvik_qtools.h"

VQKestravaWorkflowLowerPanelPopupMenu::VQKestravaWorkflowLowerPanelPopupMenu() = default;

VQKestravaWorkflowLowerPanelPopupMenu::VQKestravaWorkflowLowerPanelPopupMenu(
    const VQKestravaWorkflowLowerPanelPopupMenu& other) = default;

VQKestravaWorkflowLowerPanelPopupMenu& VQKestravaWorkflowLowerPanelPopupMenu::operator=(
    const VQKestravaWorkflowLowerPanelPopupMenu& other) = default;

VQKestravaWorkflowLowerPanelPopupMenu::~VQKestravaWorkflowLowerPanelPopupMenu() = default;

void VQKestravaWorkflowLowerPanelPopupMenu::fill_menu(QMenu* menu) {
    menu->addAction(QIcon(VQPixmapLib::load("workflow_left_pane")),
                    QStringLiteral("Detach Settings Pane"), this, SLOT(detach_left_pane()));
}
