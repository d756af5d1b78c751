#include "Tarvik_wizard.h"

// ---------------------------------------------------------------- properties

void WorkflowElementProperty::set_value(const CString& attribute, const CString& value) {
    values_[attribute.c_str()] = value;
}

bool WorkflowElementProperty::get_value(const CString& attribute, CopyCString& value) const {
    const auto found = values_.find(attribute.c_str());
    if (found == values_.end()) {
        return false;
    }
    value = found->second;
    return true;
}

bool WorkflowElementProperty::has_value(const CString& attribute) const {
    return values_.count(attribute.c_str()) != 0;
}

// ---------------------------------------------------------------- attribute names

#define TARVIK_ATTRIBUTE_NAME(SCOPE, NAME)                                                         \
    const CString& SCOPE::NAME() {                                                                 \
        static const CString attribute(#NAME);                                                     \
        return attribute;                                                                          \
    }

TARVIK_ATTRIBUTE_NAME(WorkflowElement::WorkflowElementPropertyAttributes, lower_area_builder)
TARVIK_ATTRIBUTE_NAME(WorkflowElement::WorkflowElementPropertyAttributes,
                      lower_area_popup_menu_builder)
TARVIK_ATTRIBUTE_NAME(WorkflowElement::WorkflowElementPropertyAttributes, name)
TARVIK_ATTRIBUTE_NAME(WorkflowElement::WorkflowElementPropertyAttributes, title)
TARVIK_ATTRIBUTE_NAME(WorkflowElement::WorkflowElementPropertyAttributes, header)
TARVIK_ATTRIBUTE_NAME(WorkflowElement::WorkflowElementPropertyAttributes, pixmap)
TARVIK_ATTRIBUTE_NAME(WorkflowElement::WorkflowElementPropertyAttributes, available)
TARVIK_ATTRIBUTE_NAME(WorkflowElement::WorkflowElementPropertyAttributes, level_mode)
TARVIK_ATTRIBUTE_NAME(Workflow::WorkflowPropertyAttributes, upper_area_builder)
TARVIK_ATTRIBUTE_NAME(Workflow::WorkflowPropertyAttributes, default_instance_name)
TARVIK_ATTRIBUTE_NAME(Workflow::WorkflowPropertyAttributes, template_popup_menu_builder)
TARVIK_ATTRIBUTE_NAME(Workflow::WorkflowPropertyAttributes, published_instances)

// ---------------------------------------------------------------- elements

WorkflowElement::WorkflowElement() = default;

WorkflowElement::WorkflowElement(const WorkflowElement& other)
    : property_(other.property_) {
    copy_transitions(other);
}

WorkflowElement& WorkflowElement::operator=(const WorkflowElement& other) {
    if (&other != this) {
        property_ = other.property_;
        delete_transitions();
        copy_transitions(other);
    }
    return *this;
}

WorkflowElement::~WorkflowElement() {
    delete_transitions();
}

void WorkflowElement::delete_transitions() {
    for (long i = 0; i < forward_transitions_.count(); ++i) {
        delete forward_transitions_.item(i);
    }
    forward_transitions_.remove_all();
}

void WorkflowElement::copy_transitions(const WorkflowElement& other) {
    for (long i = 0; i < other.forward_transitions_.count(); ++i) {
        add_forward_transition(new WorkflowTransition(*other.forward_transitions_.item(i)));
    }
}

void WorkflowElement::add_forward_transition(WorkflowTransition* transition) {
    insert_forward_transition(forward_transitions_.count(), transition);
}

void WorkflowElement::insert_forward_transition(long position, WorkflowTransition* transition) {
    const bool in_range = position >= 0 && position <= forward_transitions_.count();
    if (!in_range || !forward_transitions_.insert(position, transition)) {
        // Not kept, so not owned: nothing else would ever free it.
        delete transition;
    }
}

const TypeInfo* WorkflowElement::static_type_info_() {
    static const TypeInfo info("WorkflowElement", nullptr, 0, nullptr);
    return &info;
}

const TypeId& WorkflowElement::static_type_id_() {
    static const TypeId id(static_type_info_());
    return id;
}

const TypeId& WorkflowElement::type_id() const {
    return static_type_id_();
}

void* WorkflowElement::ptr_cast(const TypeId& other) const {
    return type_id().ptr_cast(this, other);
}

bool WorkflowElement::is_a(const TypeId& other) const {
    return type_id().is_a(other, false);
}

// ---------------------------------------------------------------- graphs and templates

const TypeInfo* WorkflowGraph::static_type_info_() {
    return single_base_type_info<WorkflowGraph, WorkflowElement>("WorkflowGraph");
}

const TypeId& WorkflowGraph::type_id() const {
    static const TypeId id(static_type_info_());
    return id;
}

void* WorkflowGraph::ptr_cast(const TypeId& other) const {
    return type_id().ptr_cast(this, other);
}

bool WorkflowGraph::is_a(const TypeId& other) const {
    return type_id().is_a(other, false);
}

const TypeInfo* Workflow::static_type_info_() {
    return single_base_type_info<Workflow, WorkflowGraph>("Workflow");
}

const TypeId& Workflow::type_id() const {
    static const TypeId id(static_type_info_());
    return id;
}

void* Workflow::ptr_cast(const TypeId& other) const {
    return type_id().ptr_cast(this, other);
}

bool Workflow::is_a(const TypeId& other) const {
    return type_id().is_a(other, false);
}

Workflow::~Workflow() = default;

bool Workflow::initialize() {
    return true;
}

// ---------------------------------------------------------------- instances

WorkflowInstance::WorkflowInstance(const Workflow* workflow_template)
    : template_(workflow_template) {}

bool WorkflowInstance::get_value(const CString& attribute, CopyCString& value,
                                 const WorkflowElement* element, bool fallback) const {
    if (property_.get_value(attribute, value)) {
        return true;
    }
    const WorkflowElement* source = element ? element : template_;
    return fallback && source && source->get_property()->get_value(attribute, value);
}

// ---------------------------------------------------------------- registry

WorkflowManager* WorkflowManager::instance() {
    // Never destroyed: modules' factories may outlive the registry's library.
    static auto* manager = new WorkflowManager;
    return manager;
}

WorkflowManager::~WorkflowManager() = default;

void WorkflowManager::register_factory(const CString& name, AbstractFactory* factory) {
    instance()->factories_.put(name.c_str(), factory);
    tarvik_init::tell("register", name.c_str());
}

Workflow* WorkflowManager::create(const CString& name) const {
    AbstractFactory* factory = factories_.find(name.c_str());
    return factory ? static_cast<Workflow*>(factory->create()) : nullptr;
}

bool WorkflowManager::is_registered(const CString& name) const {
    return factories_.find(name.c_str()) != nullptr;
}

TARVIK_DEFINE_LIBRARY_INIT(Tarvikwizard_init, nullptr)
