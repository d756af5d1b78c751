#include "module/Kestravagui_init.h"

#include "Tarvik_gui.h"
#include "Tarvik_utils.h"
#include "Tarvik_wizard.h"
#include "workflow/KestravaNames.h"
#include "workflow/KestravaWorkflow.h"
#include "workflow/VQKestravaWorkflowLowerPanel.h"
#include "workflow/VQKestravaWorkflowLowerPanelPopupMenu.h"
#include "workflow/VQKestravaWorkflowUpperPanel.h"

int Kestravagui_init::count_ = 0;

Kestravagui_init::Kestravagui_init() {
    initialize();
}

Kestravagui_init::~Kestravagui_init() {
    terminate();
}

Kestravagui_init& Kestravagui_init::operator=(const Kestravagui_init&) {
    return *this;
}

void Kestravagui_init::initialize() {
    tarvik_init::count_up(count_, "Kestravagui_init", initialize_internal);
}

void Kestravagui_init::terminate() {
    tarvik_init::count_down(count_, "Kestravagui_init");
}

namespace {
template <class Builder>
void register_builder(const char* builder_name) {
    VQWorkflowBuilderManager::instance();
    AbstractFactory* factory = new ConcreteFactory<Builder>;
    const CString builder(builder_name);
    const CString workflow(kestrava_names::workflow);
    VQWorkflowBuilderManager::register_factory(workflow, builder, factory);
}
} // namespace

void Kestravagui_init::initialize_internal() {
    WorkflowManager::instance();
    AbstractFactory* factory = new ConcreteFactory<KestravaWorkflow>;
    const CString name(kestrava_names::workflow);
    WorkflowManager::register_factory(name, factory);
    register_builder<VQKestravaWorkflowUpperPanel>(kestrava_names::upper_panel);
    register_builder<VQKestravaWorkflowLowerPanel>(kestrava_names::lower_panel);
    register_builder<VQKestravaWorkflowLowerPanelPopupMenu>(kestrava_names::lower_panel_popup_menu);
}

// The registrations stay with the host: there is nothing to undo.
void Kestravagui_init::terminate_internal() {}

#ifdef _WIN32
#include <windows.h>
// Only turns off per-thread notifications; the static objects do the rest.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
#endif
