// The host around the settings pane: the wheel scrolls the pane unless a
// control has the focus, and every change can be undone and redone.

#include <QApplication>
#include <QComboBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <memory>

#include "DevicePanel.h"
#include "Kestrava_spaceWare.h"
#include "MappingText.h"
#include "SettingsHistory.h"
#include "TestSupport.h"
#include "WheelGuard.h"
#include "motionctrl/VQMotionCtrlPref.h"

namespace {
using Manager = SpaceWarePreferencesManager;

// One notch of the wheel, down, over the middle of `widget`.
void wheel_down(QWidget* widget) {
    const QPointF middle(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent wheel(middle, widget->mapToGlobal(middle), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
}
} // namespace

class TestHostWindow : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<QScrollArea> pane_;
    VQMotionCtrlPref* dialog_ = nullptr;
    std::unique_ptr<SettingsHistory> history_;

    Manager& manager() { return *SpaceWareLib::instance()->preferences_manager(); }
    template <class W>
    W* widget(const char* name) {
        return dialog_->findChild<W*>(QLatin1String(name));
    }

private slots:
    void initTestCase() {
        SpaceWareLib::configure(dir_.filePath(QStringLiteral("prefs.ini")), 12);
        new WheelGuard(qApp);
    }

    void init() {
        manager().reset_navig_defaults();
        manager().reset_button_defaults();
        pane_ = std::make_unique<QScrollArea>();
        dialog_ = new VQMotionCtrlPref(&manager(), pane_->viewport(), "Preferences Editor", {});
        pane_->setWidget(dialog_);
        pane_->setWidgetResizable(true);
        pane_->resize(340, 300);
        pane_->show();
        pane_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(pane_.get()));
        history_ = std::make_unique<SettingsHistory>(manager());
    }

    void cleanup() {
        history_.reset();
        pane_.reset();
    }

    // Over a control without the focus the wheel scrolls the pane and the
    // setting stays; once the control has the focus, the wheel changes it.
    void theWheelScrollsUnlessTheControlHasTheFocus() {
        auto* combo = widget<QComboBox>("y_trans_combo_");
        pane_->ensureWidgetVisible(combo);
        QScrollBar* bar = pane_->verticalScrollBar();
        const int scrolled = bar->value();
        QVERIFY(bar->maximum() > scrolled);
        wheel_down(combo);
        QVERIFY(bar->value() > scrolled);
        QCOMPARE(translations(manager()), QStringLiteral("+x +y +z"));

        pane_->ensureWidgetVisible(combo);
        combo->setFocus();
        const int still = bar->value();
        wheel_down(combo);
        QCOMPARE(bar->value(), still);
        QVERIFY(translations(manager()) != QStringLiteral("+x +y +z"));
    }

    // A mapping and the swap it causes are one step: undone and redone
    // together, the combos following; a binding is undone the same way.
    void undoAndRedoStepThroughChanges() {
        QVERIFY(!history_->can_undo());
        choose(widget<QComboBox>("x_trans_combo_"), 2);
        const QString changed = translations(manager());
        QCOMPARE(changed, QStringLiteral("+y +x +z"));
        QTRY_VERIFY(history_->can_undo());
        history_->undo();
        QCOMPARE(translations(manager()), QStringLiteral("+x +y +z"));
        QCOMPARE(widget<QComboBox>("x_trans_combo_")->currentIndex(), 0);
        QVERIFY(history_->can_redo());
        history_->redo();
        QCOMPARE(translations(manager()), changed);
        QCOMPARE(widget<QComboBox>("x_trans_combo_")->currentIndex(), 2);

        auto* binding = widget<QComboBox>("button_3_combo_");
        const int bound = binding->currentIndex();
        choose(binding, bound + 1);
        QTest::qWait(0);
        history_->undo();
        QCOMPARE(binding->currentIndex(), bound);
        history_->undo();
        QCOMPARE(translations(manager()), QStringLiteral("+x +y +z"));
        QVERIFY(!history_->can_undo());
        // A new change after undoing drops what could be redone.
        choose(widget<QComboBox>("z_trans_combo_"), 1);
        QTest::qWait(0);
        QVERIFY(!history_->can_redo());
    }

    // The Device dock's own controls say what they are for, on hovering
    // and through What's This; the bars say they are the view's axes.
    void theDocksControlsExplainThemselves() {
        DevicePanel panel(&manager());
        for (const char* name : {"device_dead_zone_", "device_dominant_axis_", "device_tx_enabled_",
                                 "navigation_rotation_centre_", "navigation_mode_"}) {
            auto* control = panel.findChild<QWidget*>(QLatin1String(name));
            QVERIFY2(control && !control->toolTip().isEmpty(), name);
            QCOMPARE(control->whatsThis(), control->toolTip());
        }
        QVERIFY(panel.findChild<QWidget*>(QStringLiteral("device_bars_"))
                    ->toolTip()
                    .contains(QStringLiteral("view's axes")));
    }
};

QTEST_MAIN(TestHostWindow)
#include "tst_host_window.moc"
