#pragma once

// The host's workflow framework: workflow templates with property sets, the
// instances the user works in, and the registry of template factories.

#include <map>
#include <string>

#include "Tarvik_utils.h"
#include "tarvik_wizard_export.h"

// A set of named string properties.
class TARVIK_WIZARD_EXPORT WorkflowElementProperty {
public:
    void set_value(const CString& attribute, const CString& value);
    // Fills `value` and returns true when the attribute is set.
    bool get_value(const CString& attribute, CopyCString& value) const;
    bool has_value(const CString& attribute) const;

private:
    std::map<std::string, CopyCString> values_;
};

class WorkflowElement;

// A step from one workflow element to the next.
class TARVIK_WIZARD_EXPORT WorkflowTransition {
public:
    explicit WorkflowTransition(WorkflowElement* target)
        : target_(target) {}
    WorkflowElement* target() const { return target_; }

private:
    WorkflowElement* target_;
};

class TARVIK_WIZARD_EXPORT WorkflowElement {
public:
    struct TARVIK_WIZARD_EXPORT WorkflowElementPropertyAttributes {
        static const CString& lower_area_builder();
        static const CString& lower_area_popup_menu_builder();
        static const CString& name();
        static const CString& title();
        static const CString& header();
        static const CString& pixmap();
        static const CString& available();
        static const CString& level_mode();
    };

    WorkflowElement(const WorkflowElement& other);
    WorkflowElement& operator=(const WorkflowElement& other);

    static const TypeInfo* static_type_info_();
    static const TypeId& static_type_id_();

    virtual const TypeId& type_id() const;
    virtual void* ptr_cast(const TypeId& other) const;
    virtual bool is_a(const TypeId& other) const;
    // The element owns the transitions handed to it.
    virtual void add_forward_transition(WorkflowTransition* transition);
    virtual void insert_forward_transition(long position, WorkflowTransition* transition);
    virtual ~WorkflowElement();

    WorkflowElementProperty* get_property() const { return &property_; }
    const PtrList<WorkflowTransition>& forward_transitions() const { return forward_transitions_; }

protected:
    WorkflowElement();

private:
    void delete_transitions();
    void copy_transitions(const WorkflowElement& other);

    mutable WorkflowElementProperty property_;
    PtrList<WorkflowTransition> forward_transitions_;
};

class TARVIK_WIZARD_EXPORT WorkflowGraph : public WorkflowElement {
public:
    static const TypeInfo* static_type_info_();

    const TypeId& type_id() const override;
    void* ptr_cast(const TypeId& other) const override;
    bool is_a(const TypeId& other) const override;

protected:
    WorkflowGraph() = default;
};

// A workflow template: what the framework knows of a workflow before the
// user opens it.
class TARVIK_WIZARD_EXPORT Workflow : public WorkflowGraph {
public:
    // The kind of object that workflow factories create.
    using FactoryProduct = Workflow;

    struct TARVIK_WIZARD_EXPORT WorkflowPropertyAttributes {
        static const CString& upper_area_builder();
        static const CString& default_instance_name();
        static const CString& template_popup_menu_builder();
        static const CString& published_instances();
    };

    static const TypeInfo* static_type_info_();

    const TypeId& type_id() const override;
    void* ptr_cast(const TypeId& other) const override;
    bool is_a(const TypeId& other) const override;
    ~Workflow() override;
    // Writes the template's properties; called once the factory made it.
    virtual bool initialize();

protected:
    Workflow() = default;
};

// One opened workflow. Its own values override the template's.
class TARVIK_WIZARD_EXPORT WorkflowInstance {
public:
    explicit WorkflowInstance(const Workflow* workflow_template);

    const Workflow* get_workflow_template() const { return template_; }
    WorkflowElementProperty* get_property() const { return &property_; }

    // The instance's own value of `attribute`; with `fallback`, when it has
    // none, the value of `element` (the template when null).
    bool get_value(const CString& attribute, CopyCString& value, const WorkflowElement* element,
                   bool fallback) const;

private:
    const Workflow* template_;
    mutable WorkflowElementProperty property_;
};

// Registry of workflow template factories, by workflow name.
class TARVIK_WIZARD_EXPORT WorkflowManager {
public:
    static WorkflowManager* instance();

    // Keeps `factory`; a factory registered earlier under `name` is released.
    static void register_factory(const CString& name, AbstractFactory* factory);

    // A new template of the named workflow, owned by the caller, or null.
    Workflow* create(const CString& name) const;
    bool is_registered(const CString& name) const;

    WorkflowManager(const WorkflowManager&) = delete;
    WorkflowManager& operator=(const WorkflowManager&) = delete;

private:
    WorkflowManager() = default;
    ~WorkflowManager();

    FactoryTable<std::string> factories_;
};

TARVIK_DECLARE_LIBRARY_INIT(TARVIK_WIZARD_EXPORT, Tarvikwizard_init);
