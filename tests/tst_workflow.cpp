// The "Kestrava" workflow template: its properties and its type identity.

#include <QTest>

#include "workflow/KestravaWorkflow.h"

class TestWorkflow : public QObject {
    Q_OBJECT
private slots:
    // initialize() writes the twelve properties the host reads, and writes
    // the same values again when called twice.
    void initializeWritesTheTwelveProperties() {
        using Template = Workflow::WorkflowPropertyAttributes;
        using Element = WorkflowElement::WorkflowElementPropertyAttributes;
        const std::pair<const CString*, const char*> expected[] = {
            {&Template::upper_area_builder(), "KestravaWorkflowUpperPanel"},
            {&Template::default_instance_name(), "Kestrava"},
            {&Template::template_popup_menu_builder(), ""},
            {&Template::published_instances(), "false"},
            {&Element::lower_area_builder(), "KestravaWorkflowLowerPanel"},
            {&Element::lower_area_popup_menu_builder(), "KestravaWorkflowLowerPanelPopupMenu"},
            {&Element::name(), "Kestrava"},
            {&Element::title(), "Kestrava"},
            {&Element::header(), "Kestrava"},
            {&Element::pixmap(), "Kestrava"},
            {&Element::available(), "true"},
            {&Element::level_mode(), "Beginner"},
        };
        KestravaWorkflow workflow;
        QVERIFY(!workflow.get_property()->has_value(Element::name()));
        for (int round = 0; round < 2; ++round) {
            QVERIFY(workflow.initialize());
            for (const auto& [attribute, value] : expected) {
                CopyCString stored("unset");
                QVERIFY2(workflow.get_property()->get_value(*attribute, stored),
                         attribute->c_str());
                QCOMPARE(stored.c_str(), value);
            }
        }
        // The builder names come from the attribute names the host defines.
        QCOMPARE(Template::upper_area_builder().c_str(), "upper_area_builder");
    }

    // One identifier and one record, whichever accessor is asked; the type
    // is a Workflow and casts to it at its own address.
    void typeIdentity() {
        const TypeId& first = KestravaWorkflow::id();
        QCOMPARE(&KestravaWorkflow::static_type_id_(), &first);
        KestravaWorkflow workflow;
        QCOMPARE(&workflow.type_id(), &first);
        QCOMPARE(KestravaWorkflow::static_type_info_(), KestravaWorkflow::static_type_info_());
        QCOMPARE(first.info(), KestravaWorkflow::static_type_info_());
        QCOMPARE(first.name(), "KestravaWorkflow");

        const TypeId workflow_id(Workflow::static_type_info_());
        const TypeId element_id(WorkflowElement::static_type_info_());
        QVERIFY(workflow.is_a(workflow_id));
        QVERIFY(workflow.is_a(element_id));
        QVERIFY(workflow.is_a(first));
        const Workflow& as_base = workflow;
        QCOMPARE(as_base.ptr_cast(workflow_id), static_cast<void*>(&workflow));
        QCOMPARE(as_base.ptr_cast(first), static_cast<void*>(&workflow));
        QCOMPARE(KestravaWorkflow::upcast_(&workflow)[0],
                 static_cast<const void*>(static_cast<const Workflow*>(&workflow)));

        const TypeId unrelated(WorkflowElement::static_type_info_());
        QVERIFY(!TypeId(Workflow::static_type_info_()).is_a(first, false));
        QVERIFY(!unrelated.is_a(first, false));
    }

    // Made through the host's registry, as the host does.
    void createdThroughTheWorkflowManager() {
        WorkflowManager::register_factory("Kestrava", new ConcreteFactory<KestravaWorkflow>);
        Workflow* made = WorkflowManager::instance()->create("Kestrava");
        QVERIFY(made);
        QVERIFY(made->is_a(KestravaWorkflow::id()));
        QVERIFY(made->initialize());
        delete made;
    }
};

QTEST_APPLESS_MAIN(TestWorkflow)
#include "tst_workflow.moc"
