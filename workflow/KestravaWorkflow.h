#pragma once

#include "Tarvik_wizard.h"
#include "kestrava_gui_export.h"

// The "Kestrava" workflow template: names the builders of its three areas and
// how the workflow is offered to the user.
class KESTRAVA_GUI_EXPORT KestravaWorkflow : public Workflow {
public:
    KestravaWorkflow();
    KestravaWorkflow(const KestravaWorkflow& other);
    KestravaWorkflow& operator=(const KestravaWorkflow& other);

    static const TypeInfo* static_type_info_();
    static const TypeId& id();
    static const TypeId& static_type_id_();
    static const void* const* upcast_(const void* object);

    const TypeId& type_id() const override;
    void* ptr_cast(const TypeId& other) const override;
    bool is_a(const TypeId& other) const override;
    ~KestravaWorkflow() override;
    bool initialize() override;
};
