// The module as the host loads it: dlopen runs its static objects, which
// register it once and install its pictures; unloading undoes them in reverse.

#include <QProcess>
#include <QSet>
#include <QTest>
#include <dlfcn.h>
#include <memory>

#include "MimeSourceFactory.h"
#include "Tarvik_gui.h"
#include "Tarvik_utils.h"
#include "Tarvik_wizard.h"

namespace {
const std::vector<std::string> common_head{
    "Tarvikxtools_init",  "Tarvikutils_init",       "Tarvikmath_init",    "Tarvikgtools_init",
    "Tarvikgxtools_init", "KestravaspaceWare_init", "Kestravautils_init", "Kestravagui_init"};
const std::vector<std::string> full_tail{
    "Tarvikgeobase_init", "Tarviklines_init",  "Tarviksurfaces_init",    "Tarvikvolumes_init",
    "Tarviktgobjs_init",  "Tarvikappli_init",  "Tarvikascii_init",       "Tarvikarchive_init",
    "Tarvikgapi_init",    "Tarvikgviews_init", "Tarvikinterpreter_init", "Tarvikwizard_init",
    "Tarvikqtools_init",  "Tarvikgui_init"};

// The static objects in their order of construction, unit after unit.
std::vector<std::string> static_objects() {
    std::vector<std::string> objects;
    const auto add = [&objects](const std::vector<std::string>& part) {
        objects.insert(objects.end(), part.begin(), part.end());
    };
    add(common_head);
    add(full_tail);
    objects.push_back("image collection");
    for (int unit = 0; unit < 2; ++unit) {
        add(common_head);
        objects.push_back("Tarvikqtools_init");
    }
    add(common_head);
    add(full_tail);
    return objects;
}

// The members the module exports by name, as `nm -DC` spells them.
QStringList exported_members() {
    QStringList members{
        "Kestravagui_init::Kestravagui_init()",
        "Kestravagui_init::~Kestravagui_init()",
        "Kestravagui_init::operator=(Kestravagui_init const&)",
        "Kestravagui_init::initialize()",
        "Kestravagui_init::terminate()",
        "Kestravagui_init::initialize_internal()",
        "Kestravagui_init::terminate_internal()",
        "Kestravagui_init::count_",
        "KestravaWorkflow::KestravaWorkflow()",
        "KestravaWorkflow::KestravaWorkflow(KestravaWorkflow const&)",
        "KestravaWorkflow::~KestravaWorkflow()",
        "KestravaWorkflow::operator=(KestravaWorkflow const&)",
        "KestravaWorkflow::initialize()",
        "KestravaWorkflow::type_id() const",
        "KestravaWorkflow::is_a(TypeId const&) const",
        "KestravaWorkflow::ptr_cast(TypeId const&) const",
        "KestravaWorkflow::id()",
        "KestravaWorkflow::static_type_id_()",
        "KestravaWorkflow::static_type_info_()",
        "KestravaWorkflow::upcast_(void const*)",
        "VQKestravaWorkflowUpperPanel::build_view(QWidget*, char const*)",
        "VQKestravaWorkflowUpperPanel::enter_view()",
        "VQKestravaWorkflowUpperPanel::leave_view()",
        "VQKestravaWorkflowLowerPanel::build_view(QWidget*, char const*)",
        "VQKestravaWorkflowLowerPanel::eventFilter(QObject*, QEvent*)",
        "VQKestravaWorkflowLowerPanelPopupMenu::fill_menu(QMenu*)",
        "VQMotionCtrlPref::VQMotionCtrlPref(SpaceWarePreferencesManager*, QWidget*, char const*, "
        "QFlags<Qt::WindowType>)",
        "VQMotionCtrlPref::~VQMotionCtrlPref()",
        "VQMotionCtrlPref::update(SpaceWarePreferencesManager*)",
        "VQMotionCtrlFctEditor::VQMotionCtrlFctEditor(SpaceWarePreferencesManager*, QWidget*, char "
        "const*, unsigned int)",
        "VQMotionCtrlFctEditor::~VQMotionCtrlFctEditor()",
        "VQMotionCtrlFctEditor::update_fct_list(QList<QString> const&)",
        "VQMotionCtrlFctEditor::begin_edition()",
        "VQMotionCtrlFctEditor::end_edition()",
        "VQMotionCtrlFctEditor::closeEvent(QCloseEvent*)",
        "List<void*>::List()",
        "List<void*>::List(Explicit<long>)",
        "List<void*>::List(List<void*> const&)",
        "List<void*>::~List()",
        "List<void*>::operator=(List<void*> const&)",
        "List<void*>::count() const",
        "List<void*>::item(long) const",
        "List<void*>::item_ref(long) const",
        "List<void*>::insert(long, void* const&)",
        "List<void*>::insert(long, List<void*> const&)",
        "List<void*>::prepend(void* const&)",
        "List<void*>::prepend(List<void*> const&)",
        "List<void*>::append(void* const&)",
        "List<void*>::append(List<void*> const&)",
        "List<void*>::remove(long)",
        "List<void*>::remove_all()",
        "List<void*>::memory_used() const",
        "List<void*>::copy(List<void*> const&)",
        "List<void*>::resize(long)",
        "PtrList<Value>::count() const",
    };
    // The area builders are copyable host objects; the dialogs, being widgets, are not.
    for (const char* builder : {"VQKestravaWorkflowUpperPanel", "VQKestravaWorkflowLowerPanel",
                                "VQKestravaWorkflowLowerPanelPopupMenu"}) {
        members << QStringLiteral("%1::%1()").arg(builder)
                << QStringLiteral("%1::%1(%1 const&)").arg(builder)
                << QStringLiteral("%1::~%1()").arg(builder)
                << QStringLiteral("%1::operator=(%1 const&)").arg(builder);
    }
    for (const char* element : {"WorkflowTransition", "VQWorkflowElementCondition"}) {
        members << QStringLiteral("PtrList<%1>::PtrList(PtrList<%1> const&)").arg(element)
                << QStringLiteral("PtrList<%1>::~PtrList()").arg(element)
                << QStringLiteral("PtrList<%1>::operator=(PtrList<%1> const&)").arg(element);
    }
    for (const char* qt_class :
         {"VQKestravaWorkflowUpperPanel", "VQKestravaWorkflowLowerPanel",
          "VQKestravaWorkflowLowerPanelPopupMenu", "VQMotionCtrlPref", "VQMotionCtrlFctEditor"}) {
        members << QStringLiteral("%1::metaObject() const").arg(qt_class)
                << QStringLiteral("%1::qt_metacast(char const*)").arg(qt_class)
                << QStringLiteral("%1::qt_metacall(QMetaObject::Call, int, void**)").arg(qt_class)
                << QStringLiteral("%1::staticMetaObject").arg(qt_class);
    }
    for (const char* slot :
         {"languageChange()", "save_motions_pref()", "restore_motions_pref()",
          "restore_motions_default()", "restore_buttons_default()", "restore_buttons_pref()",
          "save_buttons_pref()", "x_trans_selected(int)", "y_trans_selected(int)",
          "z_trans_selected(int)", "trans_slider_changed(int)", "rot_slider_changed(int)",
          "x_rot_selected(int)", "y_rot_selected(int)", "z_rot_selected(int)"}) {
        members << QStringLiteral("VQMotionCtrlPref::") + slot;
    }
    for (const char* handler : {"x_trans", "y_trans", "z_trans", "x_rot", "y_rot", "z_rot",
                                "trans_sensibility", "rot_sensibility", "function_names"}) {
        members << QStringLiteral("VQMotionCtrlPref::update_%1(Value const*)").arg(handler);
    }
    for (const char* slot :
         {"languageChange()", "add_fct()", "remove_fct()", "edit_fct()", "check_fct()",
          "validate_fct()", "fct_selected(int)", "cancel_edition()"}) {
        members << QStringLiteral("VQMotionCtrlFctEditor::") + slot;
    }
    return members;
}

// What the host's initialisation observer heard, with a line where the
// module's pictures came or went in between.
std::vector<std::string>& heard() {
    static std::vector<std::string> events;
    return events;
}

void hear(const std::string& event) {
    static bool served = false;
    if ((MimeSourceFactory::defaultFactory()->data(QStringLiteral("ox_arrow.png")) != nullptr) !=
        served) {
        served = !served;
        heard().push_back(served ? "pictures in" : "pictures out");
    }
    heard().push_back(event);
}

std::vector<std::string> events_since(size_t start) {
    return std::vector<std::string>(heard().begin() + static_cast<long>(start), heard().end());
}

const std::vector<std::string> registrations{
    "register Kestrava", "register Kestrava KestravaWorkflowUpperPanel",
    "register Kestrava KestravaWorkflowLowerPanel",
    "register Kestrava KestravaWorkflowLowerPanelPopupMenu"};
} // namespace

class TestModule : public QObject {
    Q_OBJECT
    void* module_ = nullptr;
    size_t before_load_ = 0;
    int* count_ = nullptr;

    template <class Function>
    Function symbol(const char* name) {
        void* found = dlsym(module_, name);
        if (!found) {
            qFatal("the module exports no %s: %s", name, dlerror());
        }
        return reinterpret_cast<Function>(found);
    }

private slots:
    void initTestCase() {
        tarvik_init::set_observer(hear);
        before_load_ = heard().size();
        module_ = dlopen(KESTRAVA_MODULE, RTLD_NOW | RTLD_LOCAL);
        QVERIFY2(module_, dlerror());
        count_ = symbol<int*>("_ZN16Kestravagui_init6count_E");
    }

    // Every unit constructs its objects in order; the first construction of
    // the module's own registers its four factories, the first unit ends by
    // installing the pictures.
    void staticObjectsInOrder() {
        std::vector<std::string> expected;
        for (const std::string& object : static_objects()) {
            expected.push_back(object == "image collection" ? "pictures in" : object);
            if (object == "Kestravagui_init" && expected.size() == 8) {
                expected.insert(expected.end(), registrations.begin(), registrations.end());
            }
        }
        QCOMPARE(events_since(before_load_), expected);
        QCOMPARE(*count_, 4);
    }

    // The four factories, registered once each under the plain names, each
    // making its class.
    void factoriesRegisteredOnce() {
        QVERIFY(WorkflowManager::instance()->is_registered("Kestrava"));
        const std::unique_ptr<Workflow> workflow(WorkflowManager::instance()->create("Kestrava"));
        QVERIFY(workflow);
        QCOMPARE(workflow->type_id().name(), "KestravaWorkflow");
        for (const char* builder : {"KestravaWorkflowUpperPanel", "KestravaWorkflowLowerPanel",
                                    "KestravaWorkflowLowerPanelPopupMenu"}) {
            const std::unique_ptr<VQWorkflowWidget> made(
                VQWorkflowBuilderManager::instance()->create("Kestrava", builder));
            QVERIFY2(made, builder);
            QCOMPARE(made->metaObject()->className(), qPrintable(QStringLiteral("VQ") + builder));
        }
        const auto events = events_since(before_load_);
        for (const std::string& registration : registrations) {
            QCOMPARE(std::count(events.begin(), events.end(), registration), 1L);
        }
    }

    // initialize() and terminate() only count.
    void initializeAndTerminateOnlyCount() {
        const size_t before = heard().size();
        symbol<void (*)()>("_ZN16Kestravagui_init10initializeEv")();
        QCOMPARE(*count_, 5);
        symbol<void (*)()>("_ZN16Kestravagui_init9terminateEv")();
        QCOMPARE(*count_, 4);
        QCOMPARE(events_since(before),
                 (std::vector<std::string>{"Kestravagui_init", "~Kestravagui_init"}));
    }

    // Every member the module must export is there by name, inline and
    // defaulted ones included.
    void exportsEveryListedMember() {
        QProcess nm;
        nm.start(QStringLiteral("nm"), {"-DC", "--defined-only", KESTRAVA_MODULE});
        QVERIFY(nm.waitForFinished());
        QCOMPARE(nm.exitCode(), 0);
        QSet<QString> defined;
        for (const QString& line : QString::fromLatin1(nm.readAllStandardOutput()).split('\n')) {
            // "ADDRESS TYPE NAME"
            defined.insert(line.section(' ', 2));
        }
        QStringList missing;
        for (const QString& member : exported_members()) {
            if (!defined.contains(member)) {
                missing << member;
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral("\n"))));
    }

    void picturesAreServed() {
        QVERIFY(MimeSourceFactory::defaultFactory()->data(QStringLiteral("ox_arrow.png")));
        QVERIFY(!pixmapFromMimeSource(QStringLiteral("Kestrava.png")).isNull());
    }

    // Unloading destroys every static object in reverse order, the pictures
    // going with the first unit's last object; the registrations stay.
    void unloadingUndoesInReverse() {
        const size_t before = heard().size();
        QCOMPARE(dlclose(module_), 0);
        module_ = nullptr;
        std::vector<std::string> expected;
        const std::vector<std::string> objects = static_objects();
        for (auto object = objects.rbegin(); object != objects.rend(); ++object) {
            expected.push_back(*object == "image collection" ? "pictures out" : "~" + *object);
        }
        QCOMPARE(events_since(before), expected);
        QVERIFY(MimeSourceFactory::defaultFactory()->data(QStringLiteral("ox_arrow.png")) ==
                nullptr);
        QVERIFY(WorkflowManager::instance()->is_registered("Kestrava"));
        tarvik_init::set_observer(nullptr);
    }
};

QTEST_MAIN(TestModule)
#include "tst_module.moc"
