// The module as the host loads it: dlopen runs its static objects, which
// register it once and install its pictures; unloading undoes them in reverse.

#include <QTest>
#include <dlfcn.h>
#include <memory>

#include "MimeSourceFactory.h"
#include "ScopedSeam.h"
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
    // Listens from before the load to the end of the suite.
    const ScopedSeam<tarvik_init::Observer> observer_seam_{&tarvik_init::set_observer, hear};
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
    }
};

QTEST_MAIN(TestModule)
#include "tst_module.moc"
