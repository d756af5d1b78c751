// Setting up a device as a person does: the assistant fed, through the
// daemon, by a device whose axes are permuted and inverted, Apply and
// Cancel; and a device button bringing its row of the settings forward.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "ButtonRows.h"
#include "DeviceSource.h"
#include "FakeDaemon.h"
#include "Kestrava_spaceWare.h"
#include "MappingText.h"
#include "SetupAssistant.h"
#include "TestSupport.h"
#include "motionctrl/VQMotionCtrlPref.h"

namespace {
using Manager = SpaceWarePreferencesManager;

QString rotations(const Manager& manager) {
    QStringList parts;
    for (int k = 0; k < 3; ++k) {
        parts << (manager.navig_choice(rotation_direction(k)) == 1 ? "-" : "+");
    }
    return parts.join(' ');
}
} // namespace

class TestDeviceSetup : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<FakeDaemon> daemon_;
    std::unique_ptr<Manager> manager_;
    std::unique_ptr<DeviceSource> device_;

    // A device reporting the cap's x on its y, y on its z, z on its -x; its
    // turns the same way, those about y reversed again. A person does what
    // each step asks: rests, then pushes and holds.
    // Through the daemon, as the device sends it, or straight to the
    // assistant.
    void do_every_step(SetupAssistant& assistant, bool through_the_daemon) {
        const int perm[3] = {2, 0, 1};
        const int push_sign[3] = {-1, 1, 1};
        const int turn_sign[3] = {1, -1, 1};
        for (const MappingDetector::Step& step : MappingDetector::steps) {
            std::array<int, 3> move{}, turn{};
            (step.rotation ? turn : move)[size_t(step.view_axis)] = 260 * step.sign;
            RawMotion raw;
            for (size_t i = 0; i < 3; ++i) {
                raw.axes[i] = push_sign[i] * move[size_t(perm[i])];
                raw.axes[3 + i] = turn_sign[i] * turn[size_t(perm[i])];
            }
            hold(assistant, RawMotion(), 350, through_the_daemon);
            hold(assistant, raw, 600, through_the_daemon);
        }
    }
    void hold(SetupAssistant& assistant, const RawMotion& motion, int ms, bool through_the_daemon) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms) {
            if (through_the_daemon) {
                daemon_->send_motion(motion.axes, 16);
            } else {
                assistant.see(motion);
            }
            QTest::qWait(16);
        }
    }

private slots:
    void initTestCase() {
        SpaceWareLib::configure(dir_.filePath(QStringLiteral("lib.ini")), 12);
        const QString socket = dir_.filePath(QStringLiteral("spnav.sock"));
        qputenv("SPNAV_SOCKET", QFile::encodeName(socket));
        daemon_ = std::make_unique<FakeDaemon>(socket);
        daemon_->start();
        device_ = std::make_unique<DeviceSource>();
        device_->start();
        QVERIFY(device_->wait_for_answer(5000));
        QVERIFY(device_->is_connected());
    }
    void init() { manager_ = std::make_unique<Manager>(dir_.filePath(QStringLiteral("p.ini")), 2); }

    // The assistant finds the mapping that undoes the device, shows it, and
    // Apply (from the keyboard: Enter) writes it; the transform is then the
    // identity for that device.
    void theAssistantFindsTheMapping() {
        SetupAssistant assistant(*manager_, *device_);
        assistant.show();
        QVERIFY(QTest::qWaitForWindowExposed(&assistant));
        const auto* step = assistant.findChild<QLabel*>(QStringLiteral("device_setup_step_"));
        QCOMPARE(step->text(), QStringLiteral("Step 1 of 6: Push the cap to the right"));
        save_screenshot(&assistant, QStringLiteral("setup_step_1.png"));
        do_every_step(assistant, true);
        QTRY_COMPARE(step->text(), QStringLiteral("The mapping found"));
        save_screenshot(&assistant, QStringLiteral("setup_done.png"));
        QVERIFY(
            assistant.findChild<QPushButton*>(QStringLiteral("device_setup_apply_"))->isDefault());
        QTest::keyClick(&assistant, Qt::Key_Return);
        QCOMPARE(assistant.result(), int(QDialog::Accepted));
        // Device axis 0 reports the cap's z reversed: it goes to z, reversed.
        QCOMPARE(translations(*manager_), QStringLiteral("-z +x +y"));
        QCOMPARE(rotations(*manager_), QStringLiteral("+ - +"));
    }

    // Cancel, or Esc, leaves every setting as it was.
    void cancelChangesNothing() {
        SetupAssistant assistant(*manager_, *device_);
        assistant.show();
        QVERIFY(QTest::qWaitForWindowExposed(&assistant));
        do_every_step(assistant, false);
        QTest::keyClick(&assistant, Qt::Key_Escape);
        QCOMPARE(assistant.result(), int(QDialog::Rejected));
        QCOMPARE(translations(*manager_), QStringLiteral("+x +y +z"));
        QCOMPARE(rotations(*manager_), QStringLiteral("+ + +"));
    }

    // With the Buttons tab shown, button 7 scrolls its row into view and
    // focuses its combo; with the Motions tab shown, nothing moves.
    void aButtonBringsItsRowForward() {
        QScrollArea pane;
        auto* dialog = new VQMotionCtrlPref(SpaceWareLib::instance()->preferences_manager(),
                                            pane.viewport(), "Preferences Editor", {});
        pane.setWidget(dialog);
        pane.setWidgetResizable(true);
        pane.resize(340, 300);
        pane.show();
        pane.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&pane));
        auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("button_7_combo_"));
        bring_button_row_forward(7);
        QVERIFY(!combo->hasFocus());
        dialog->findChild<QTabWidget*>(QStringLiteral("tabs_"))->setCurrentIndex(1);
        QVERIFY(combo->visibleRegion().isEmpty());
        bring_button_row_forward(7);
        QTRY_VERIFY(!combo->visibleRegion().isEmpty());
        QVERIFY(combo->hasFocus());
    }
};

QTEST_MAIN(TestDeviceSetup)
#include "tst_device_setup.moc"
