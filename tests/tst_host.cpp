// The host platform libraries as a module and the host application use them.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "ScopedSeam.h"
#include "Tarvik_gui.h"
#include "Tarvik_init.h"
#include "Tarvik_qtools.h"
#include "Tarvik_utils.h"
#include "Tarvik_wizard.h"

namespace {
int destroyed_resources = 0;

class CountedResource : public Resource {
protected:
    ~CountedResource() override { ++destroyed_resources; }
};

class CountedFactory : public AbstractFactory {
public:
    void* create() override { return nullptr; }

protected:
    ~CountedFactory() override { ++destroyed_resources; }
};

class TestTemplate : public Workflow {
public:
    bool initialize() override {
        using Element = WorkflowElement::WorkflowElementPropertyAttributes;
        get_property()->set_value(Element::name(), "Test");
        get_property()->set_value(Element::title(), "Test workflow");
        get_property()->set_value(Workflow::WorkflowPropertyAttributes::upper_area_builder(),
                                  "Upper");
        get_property()->set_value(Element::lower_area_builder(), "Lower");
        return true;
    }
};

QStringList builder_events;

// Builds a label and records how the host drives it.
class LabelBuilder : public VQWorkflowWidget {
public:
    QWidget* build_view(QWidget* parent, const char*) override {
        auto* label = new QLabel(QStringLiteral("area"), parent);
        set_view(label);
        return label;
    }
    void enter_view() override { builder_events << QStringLiteral("enter"); }
    void leave_view() override { builder_events << QStringLiteral("leave"); }
};

class RecordingMenu : public VQWorkflowLowerAreaPopupMenu {
protected:
    void fill_menu(QMenu* menu) override { menu->addAction(QStringLiteral("Entry")); }
};

// Records what each execute() overload received.
class RecordingAction : public VQAction {
public:
    using VQAction::VQAction;
    QStringList calls;
    void execute(int number) override { calls << QStringLiteral("int %1").arg(number); }
    void execute(const QString& text) override { calls << QStringLiteral("text ") + text; }
    void execute(bool flag) override { calls << QStringLiteral("bool %1").arg(flag); }
    void execute() override { calls << QStringLiteral("none"); }
};

// Multiple bases, so upcasts must shift the address.
struct PartA {
    int a = 1;
};
struct PartB {
    int b = 2;
};
struct Whole : PartA, PartB {};

const void* const* whole_upcast(const void* object) {
    static const void* table[2];
    const auto* whole = static_cast<const Whole*>(object);
    table[0] = static_cast<const PartA*>(whole);
    table[1] = static_cast<const PartB*>(whole);
    return table;
}
} // namespace

class TestHost : public QObject {
    Q_OBJECT
private slots:
    void init() {
        destroyed_resources = 0;
        builder_events.clear();
    }

    // Host strings never crash on null and compare by text.
    void strings() {
        const CString none(nullptr);
        QCOMPARE(none.c_str(), "");
        QVERIFY(none == CString(""));
        QVERIFY(CString("x") != CString("y"));
        CopyCString copy(CString("Kestrava"));
        QCOMPARE(copy.c_str(), "Kestrava");
        copy = CString("other");
        QVERIFY(copy == CString("other"));
    }

    // The last reference destroys; null references are ignored; deferred
    // releases wait for delete_deferred() and spare a resource taken up again.
    void resourceReferenceCounting() {
        auto* resource = new CountedResource;
        Resource::ref(resource);
        Resource::ref(resource);
        Resource::unref(resource);
        QCOMPARE(destroyed_resources, 0);
        Resource::unref(resource);
        QCOMPARE(destroyed_resources, 1);
        Resource::ref(nullptr);
        Resource::unref(nullptr);

        auto* deferred = new CountedResource;
        auto* revived = new CountedResource;
        Resource::ref(deferred);
        Resource::ref(revived);
        deferred->unref_deferred();
        revived->unref_deferred();
        Resource::ref(revived);
        QCOMPARE(destroyed_resources, 1);
        Resource::delete_deferred();
        QCOMPARE(destroyed_resources, 2);
        Resource::unref(revived);
        QCOMPARE(destroyed_resources, 3);
    }

    // is_a walks the parents; ptr_cast finds each base part at its address.
    void typeIdentification() {
        static const TypeInfo a_info("PartA", nullptr, 0, nullptr);
        static const TypeInfo b_info("PartB", nullptr, 0, nullptr);
        static const TypeInfo* parents[] = {&a_info, &b_info};
        static const TypeInfo whole_info("Whole", parents, 2, whole_upcast);
        const TypeId whole_id(&whole_info), b_id(&b_info);
        QVERIFY(whole_id.is_a(b_id, false));
        QVERIFY(!whole_id.is_a(b_id, true));
        QVERIFY(!b_id.is_a(whole_id, false));
        Whole whole;
        QCOMPARE(whole_id.ptr_cast(&whole, b_id), static_cast<void*>(static_cast<PartB*>(&whole)));
        QCOMPARE(b_id.ptr_cast(&whole.b, whole_id), nullptr);

        TestTemplate workflow;
        const TypeId element(WorkflowElement::static_type_info_());
        QVERIFY(workflow.is_a(element));
        QCOMPARE(workflow.ptr_cast(element), static_cast<void*>(&workflow));
        QCOMPARE(QString(workflow.type_id().name()), QStringLiteral("Workflow"));
    }

    // Unknown names give null; a replaced factory is released; an instance
    // falls back to its template's properties.
    void workflowRegistry() {
        WorkflowManager* manager = WorkflowManager::instance();
        QVERIFY(manager->create("no such workflow") == nullptr);
        WorkflowManager::register_factory("Test", new ConcreteFactory<TestTemplate>);
        WorkflowManager::register_factory("Counted", new CountedFactory);
        WorkflowManager::register_factory("Counted", new ConcreteFactory<TestTemplate>);
        QCOMPARE(destroyed_resources, 1);

        Workflow* workflow = manager->create("Test");
        QVERIFY(workflow);
        QVERIFY(workflow->initialize());
        WorkflowInstance instance(workflow);
        CopyCString value;
        const CString& title = WorkflowElement::WorkflowElementPropertyAttributes::title();
        QVERIFY(!instance.get_value(title, value, nullptr, false));
        QVERIFY(instance.get_value(title, value, nullptr, true));
        QCOMPARE(value.c_str(), "Test workflow");
        instance.get_property()->set_value(title, "Own title");
        QVERIFY(instance.get_value(title, value, nullptr, true));
        QCOMPARE(value.c_str(), "Own title");
        delete workflow;

        QVERIFY(VQWorkflowBuilderManager::instance()->create("Test", "Nothing") == nullptr);
        QVERIFY(VQWorkflowBuilderManager::instance()->create("Nothing", "Upper") == nullptr);
    }

    // Each emission reaches the overload of the signal's argument type; the
    // action goes with its sender.
    void actionsDispatchByArgumentType() {
        auto* combo = new QComboBox;
        combo->addItems({QStringLiteral("a"), QStringLiteral("b")});
        auto* on_index = new RecordingAction(combo, SIGNAL(activated(int)));
        auto* on_text = new RecordingAction(combo, SIGNAL(currentTextChanged(QString)));
        QVERIFY(on_index->is_connected());
        QVERIFY(on_text->is_connected());
        QSignalSpy action_gone(on_index, &QObject::destroyed);
        emit combo->activated(1);
        combo->setCurrentIndex(1);
        QCOMPARE(on_index->calls, QStringList{QStringLiteral("int 1")});
        QCOMPARE(on_text->calls, QStringList{QStringLiteral("text b")});

        QPushButton button;
        button.setCheckable(true);
        auto* on_click = new RecordingAction(&button, SIGNAL(clicked()));
        auto* on_toggle = new RecordingAction(&button, SIGNAL(toggled(bool)));
        button.click();
        QCOMPARE(on_click->calls, QStringList{QStringLiteral("none")});
        QCOMPARE(on_toggle->calls, QStringList{QStringLiteral("bool 1")});

        QTest::ignoreMessage(QtWarningMsg,
                             "VQAction: cannot execute signal 2nothing(int) of QPushButton");
        auto* unknown = new RecordingAction(&button, "2nothing(int)");
        QVERIFY(!unknown->is_connected());

        delete combo;
        QCOMPARE(action_gone.count(), 1);
    }

    // The panel builds both areas from the template's builder names, and the
    // lower area can be detached into its own window and brought back.
    void workflowPanelShowsAndDetaches() {
        VQWorkflowBuilderManager::register_factory("Test", "Upper",
                                                   new ConcreteFactory<LabelBuilder>);
        VQWorkflowBuilderManager::register_factory("Test", "Lower",
                                                   new ConcreteFactory<LabelBuilder>);
        TestTemplate workflow;
        workflow.initialize();
        WorkflowInstance instance(&workflow);
        XMMainWindow* window = TarvikGuiLib::instance()->main_window();
        QCOMPARE(TarvikGuiLib::instance()->main_window(), window);
        QVERIFY(window->workflow() == nullptr);

        auto* panel = new VQWorkflowPanel;
        window->set_workflow(panel);
        QVERIFY(panel->show_workflow(&instance));
        QCOMPARE(builder_events, (QStringList{QStringLiteral("enter"), QStringLiteral("enter")}));
        QVERIFY(qobject_cast<QLabel*>(panel->workflow_lower_area()->view()));
        QCOMPARE(panel->windowTitle(), QStringLiteral("Test workflow"));

        RecordingMenu menu_builder;
        menu_builder.detach_left_pane();
        QTRY_VERIFY(panel->is_lower_area_detached());
        QWidget* detached = panel->workflow_lower_area()->window();
        QVERIFY(detached != window);
        detached->close();
        QTRY_VERIFY(!panel->is_lower_area_detached());
        QCOMPARE(panel->workflow_lower_area()->window(), static_cast<QWidget*>(window));

        instance.get_property()->set_value(
            WorkflowElement::WorkflowElementPropertyAttributes::lower_area_builder(), "Missing");
        QVERIFY(!panel->show_workflow(&instance));

        window->set_workflow(nullptr);
        QCOMPARE(builder_events.count(QStringLiteral("leave")), 2);
        QVERIFY(window->workflow() == nullptr);
        delete window;
    }

    // A popup-menu builder fills a fresh menu and lives as long as it; closed
    // menus go when the next one is built.
    void popupMenusAreFilledAndCleanedUp() {
        QWidget parent;
        auto* first = new RecordingMenu;
        auto* menu = qobject_cast<QMenu*>(first->build_view(&parent, "popup"));
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 1);
        QCOMPARE(first->parent(), menu);
        QSignalSpy first_gone(first, &QObject::destroyed);
        auto* second = new RecordingMenu;
        second->build_view(&parent, nullptr);
        QCOMPARE(first_gone.count(), 1);
        QCOMPARE(parent.findChildren<QMenu*>().size(), 1);
    }

    void hostPictures() {
        QVERIFY(!VQPixmapLib::load("workflow_left_pane").isNull());
        QCOMPARE(VQPixmapLib::load("workflow_left_pane").size(), QSize(16, 16));
        QVERIFY(VQPixmapLib::load("no such picture").isNull());
    }

    // Initialisation objects count; an installed observer hears every
    // construction and destruction in order, and nothing once removed.
    void libraryInitialisationCounts() {
        static std::vector<std::string> heard;
        const int count = Tarvikmath_init::count();
        {
            const ScopedSeam seam(
                &tarvik_init::set_observer,
                +[](const std::string& event) { heard.push_back(event); });
            Tarvikmath_init first;
            Tarvikgui_init second;
            Tarvikmath_init::initialize();
            QCOMPARE(Tarvikmath_init::count(), count + 2);
            Tarvikmath_init::terminate();
        }
        Tarvikmath_init::initialize();
        Tarvikmath_init::terminate();
        QCOMPARE(Tarvikmath_init::count(), count);
        const std::vector<std::string> expected{"Tarvikmath_init", "Tarvikgui_init",
                                                "Tarvikmath_init", "~Tarvikmath_init",
                                                "~Tarvikgui_init", "~Tarvikmath_init"};
        QCOMPARE(heard, expected);
    }
};

QTEST_MAIN(TestHost)
#include "tst_host.moc"
