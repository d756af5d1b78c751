#include "workflow/KestravaWorkflow.h"

#include <cstdlib>

#include "workflow/KestravaNames.h"

// Written out rather than made with single_base_type_info<>: the record must
// name this class's own exported upcast_ as its upcast function, and its
// destruction must be queued when it is built, so that it goes with the
// module at unload rather than with whichever library instantiates the
// template.
namespace {
const void* upcast_slot = nullptr;
const TypeInfo* parent_table[1] = {nullptr};
const TypeInfo* type_record = nullptr;

void destroy_type_record() {
    delete type_record;
    type_record = nullptr;
}
} // namespace

KestravaWorkflow::KestravaWorkflow() = default;

KestravaWorkflow::KestravaWorkflow(const KestravaWorkflow& other) = default;

KestravaWorkflow& KestravaWorkflow::operator=(const KestravaWorkflow& other) = default;

KestravaWorkflow::~KestravaWorkflow() = default;

const TypeInfo* KestravaWorkflow::static_type_info_() {
    if (!type_record) {
        parent_table[0] = Workflow::static_type_info_();
        type_record = new TypeInfo("KestravaWorkflow", parent_table, 1, upcast_);
        // Destroyed with the module, as the runtime runs its exit handlers.
        std::atexit(destroy_type_record);
    }
    return type_record;
}

const TypeId& KestravaWorkflow::id() {
    static const TypeId type_id(static_type_info_());
    return type_id;
}

const TypeId& KestravaWorkflow::static_type_id_() {
    return id();
}

const TypeId& KestravaWorkflow::type_id() const {
    return id();
}

const void* const* KestravaWorkflow::upcast_(const void* object) {
    upcast_slot = static_cast<const Workflow*>(static_cast<const KestravaWorkflow*>(object));
    return &upcast_slot;
}

bool KestravaWorkflow::is_a(const TypeId& other) const {
    return id().is_a(other, false);
}

void* KestravaWorkflow::ptr_cast(const TypeId& other) const {
    return id().ptr_cast(this, other);
}

bool KestravaWorkflow::initialize() {
    using Template = Workflow::WorkflowPropertyAttributes;
    using Element = WorkflowElement::WorkflowElementPropertyAttributes;
    struct Row {
        const CString& attribute;
        const char* value;
    };
    const Row rows[] = {
        {Template::upper_area_builder(), kestrava_names::upper_panel},
        {Template::default_instance_name(), kestrava_names::workflow},
        {Template::template_popup_menu_builder(), ""},
        {Template::published_instances(), "false"},
        {Element::lower_area_builder(), kestrava_names::lower_panel},
        {Element::lower_area_popup_menu_builder(), kestrava_names::lower_panel_popup_menu},
        {Element::name(), kestrava_names::workflow},
        {Element::title(), "Kestrava"},
        {Element::header(), "Kestrava"},
        {Element::pixmap(), "Kestrava"},
        {Element::available(), "true"},
        {Element::level_mode(), "Beginner"},
    };
    for (const Row& row : rows) {
        const CString value(row.value);
        get_property()->set_value(row.attribute, value);
    }
    return true;
}
