// Observable settings: the write rule and observers that change things while
// they are being told.

#include <QTest>
#include <functional>

#include "Kestrava_utils.h"

namespace {
// An observer running whatever the test gives it; counts its destructions.
class ScriptedObserver : public ValueObserver {
public:
    static inline int destroyed = 0;
    std::function<void(Value*)> on_update;
    int updates = 0;
    void update(Value* value) override {
        ++updates;
        if (on_update) {
            on_update(value);
        }
    }

protected:
    ~ScriptedObserver() override { ++destroyed; }
};

ScriptedObserver* held_observer() {
    auto* observer = new ScriptedObserver;
    observer->ref();
    return observer;
}

struct Target {
    QStringList seen;
    void record(const Value* value) {
        if (const auto* text = dynamic_cast<const StringValue*>(value)) {
            seen << QString::fromLatin1(text->get().c_str());
        }
    }
};
} // namespace

class TestSettingsValues : public QObject {
    Q_OBJECT
private slots:
    void init() { ScriptedObserver::destroyed = 0; }

    // A write stores only a different value and clears the flags only then,
    // but notifies every time; floats mark their own change.
    void writeRuleStoresOnlyDifferencesAndAlwaysNotifies() {
        StringSetting text(CString("x"));
        ScriptedObserver* observer = held_observer();
        text.attach(observer);
        text.attach(observer);
        text.mark_source(true, false);
        text.set("x");
        QCOMPARE(observer->updates, 1);
        QVERIFY(text.is_from_preferences());
        text.set("y");
        QCOMPARE(observer->updates, 2);
        QCOMPARE(text.get().c_str(), "y");
        QVERIFY(!text.is_from_preferences() && !text.is_from_defaults());

        FloatSetting number(1.0f);
        auto* value = static_cast<FloatValue*>(number.value());
        number.set(1.0f);
        QVERIFY(!value->is_changed());
        number.set(2.5f);
        QVERIFY(value->is_changed());
        QCOMPARE(number.get(), 2.5f);
        observer->unref();
        QCOMPARE(text.observer_count(), 0L);
    }

    // Observer actions call back the bound member with the setting's value.
    void observerActionsCallTheirMember() {
        Target target;
        auto* action = new ValueActionCallbackTp<Target>(&target, &Target::record);
        auto* observer = new ValueObserverAction(action);
        observer->ref();
        StringSetting setting(CString("a"));
        setting.attach(observer);
        setting.set("b");
        setting.notify(observer); // skipped
        setting.notify(nullptr);
        QCOMPARE(target.seen, (QStringList{"b", "b"}));
        observer->unref();
        setting.set("c");
        QCOMPARE(target.seen.size(), 2);
    }

    // An observer that writes another setting: the nested notification runs
    // to its end before the outer one goes on, as the axis repair relies on.
    void nestedNotificationsRunInOrder() {
        StringSetting first(CString("a")), second(CString("a"));
        QStringList order;
        ScriptedObserver* writer = held_observer();
        ScriptedObserver* listener = held_observer();
        writer->on_update = [&](Value*) {
            order << "writer";
            second.set("b");
        };
        listener->on_update = [&](Value* value) {
            order << QString("listener %1").arg(static_cast<StringValue*>(value)->get().c_str());
        };
        first.attach(writer);
        first.attach(listener);
        second.attach(listener);
        first.set("z");
        QCOMPARE(order, (QStringList{"writer", "listener b", "listener z"}));
        writer->unref();
        listener->unref();
    }

    // Observers released, detached or attached in the middle of a round: no
    // dead observer is called, the one released by its own update lives
    // until it returns, and newcomers wait for the next round.
    void observersChangingDuringANotification() {
        StringSetting setting(CString("a"));
        ScriptedObserver* self_releasing = held_observer();
        ScriptedObserver* released_early = held_observer();
        ScriptedObserver* newcomer = held_observer();
        self_releasing->on_update = [&](Value* value) {
            self_releasing->unref();
            QCOMPARE(ScriptedObserver::destroyed, 0); // still alive inside its update
            QVERIFY(value == setting.value());
            released_early->unref();
            setting.attach(newcomer);
        };
        setting.attach(self_releasing);
        setting.attach(released_early);
        setting.notify(nullptr);
        QCOMPARE(ScriptedObserver::destroyed, 2);
        QCOMPARE(newcomer->updates, 0);
        QCOMPARE(setting.observer_count(), 1L);
        setting.notify(nullptr);
        QCOMPARE(newcomer->updates, 1);
        newcomer->unref();
        QCOMPARE(setting.observer_count(), 0L);
    }

    // An observer attached in the middle of a round in the very memory of one
    // released in it is a newcomer all the same: it waits for the next round.
    void newcomerInAReleasedObserversMemory() {
        StringSetting setting(CString("a"));
        ScriptedObserver* releaser = held_observer();
        ScriptedObserver* released = held_observer();
        ScriptedObserver* newcomer = nullptr;
        releaser->on_update = [&](Value*) {
            if (!newcomer) {
                released->unref();
                newcomer = held_observer(); // the allocator hands back the freed memory
                setting.attach(newcomer);
            }
        };
        setting.attach(releaser);
        setting.attach(released);
        setting.notify(nullptr);
        QCOMPARE(newcomer->updates, 0);
        setting.notify(nullptr);
        QCOMPARE(newcomer->updates, 1);
        releaser->unref();
        newcomer->unref();
    }

    // A setting destroyed by one of its observers while it tells them: the
    // round stops there, and nothing reads the freed setting, also when it
    // was told inside another of its own rounds.
    void settingDestroyedDuringItsNotification() {
        auto* setting = new StringSetting(CString("a"));
        ScriptedObserver* nested = held_observer();
        ScriptedObserver* destroyer = held_observer();
        ScriptedObserver* later = held_observer();
        bool nesting = false;
        nested->on_update = [&](Value*) {
            if (!nesting) {
                nesting = true;
                setting->notify(nullptr);
            }
        };
        destroyer->on_update = [&](Value*) { delete setting; };
        setting->attach(nested);
        setting->attach(destroyer);
        setting->attach(later);
        setting->notify(nullptr);
        QCOMPARE(later->updates, 0);
        QCOMPARE(destroyer->updates, 1);
        for (ScriptedObserver* observer : {nested, destroyer, later}) {
            observer->unref();
        }
    }

    // A setting that goes first leaves its observers nothing to detach from.
    void settingDestroyedBeforeItsObserver() {
        ScriptedObserver* observer = held_observer();
        {
            StringSetting setting(CString("a"));
            FloatSetting other(1.0f);
            setting.attach(observer);
            other.attach(observer);
            other.detach(observer);
            QCOMPARE(other.observer_count(), 0L);
        }
        observer->unref();
        QCOMPARE(ScriptedObserver::destroyed, 1);
    }
};

QTEST_APPLESS_MAIN(TestSettingsValues)
#include "tst_settings_values.moc"
