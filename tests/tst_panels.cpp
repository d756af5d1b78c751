// The workflow's area builders as the host drives them.

#include <QApplication>
#include <QFrame>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <tuple>

#include "Kestrava_spaceWare.h"
#include "motionctrl/VQMotionCtrlPref.h"
#include "workflow/KestravaWorkflow.h"
#include "workflow/VQKestravaWorkflowLowerPanel.h"
#include "workflow/VQKestravaWorkflowLowerPanelPopupMenu.h"
#include "workflow/VQKestravaWorkflowUpperPanel.h"

namespace {
using Attributes = WorkflowElement::WorkflowElementPropertyAttributes;

class GenericMenu : public VQWorkflowLowerAreaPopupMenu {
protected:
    void fill_menu(QMenu* menu) override { menu->addAction(QStringLiteral("Generic entry")); }
};

QMouseEvent mouse(QEvent::Type type, Qt::MouseButton button, Qt::KeyboardModifiers modifiers = {}) {
    return QMouseEvent(type, QPointF(5, 5), QPointF(5, 5), button, button, modifiers);
}
} // namespace

class TestPanels : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<KestravaWorkflow> workflow_;
    std::unique_ptr<WorkflowInstance> instance_;
    std::unique_ptr<QWidget> parent_;
    QStringList menu_entries_;

    // Runs `send` with a timer that notes and closes the menu it may open,
    // however long the menu takes to appear.
    QStringList menu_opened_by(const std::function<void()>& send) {
        menu_entries_.clear();
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [this, &timer] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (const QAction* action : menu->actions()) {
                    menu_entries_ << action->text() + (action->icon().isNull() ? "" : " (icon)");
                }
                timer.stop();
                menu->close();
            }
        });
        timer.start(20);
        send();
        return menu_entries_;
    }

private slots:
    void initTestCase() {
        SpaceWareLib::configure(dir_.filePath(QStringLiteral("prefs.ini")), 3);
        workflow_ = std::make_unique<KestravaWorkflow>();
        workflow_->initialize();
    }
    void init() {
        instance_ = std::make_unique<WorkflowInstance>(workflow_.get());
        parent_ = std::make_unique<QWidget>();
        parent_->resize(400, 600);
    }
    void cleanup() {
        parent_.reset();
        instance_.reset();
    }

    // One child, the settings dialog, at the top left of a resizable scroll area.
    void lowerPanelHoldsTheSettingsDialog() {
        VQKestravaWorkflowLowerPanel panel;
        auto* scroll = qobject_cast<QScrollArea*>(panel.build_view(parent_.get(), "unused"));
        QVERIFY(scroll);
        QCOMPARE(panel.get_view(), static_cast<QWidget*>(scroll));
        QVERIFY(scroll->objectName().isEmpty());
        QVERIFY(scroll->widgetResizable());
        auto* dialog = qobject_cast<VQMotionCtrlPref*>(scroll->widget());
        QVERIFY(dialog);
        QCOMPARE(panel.preferences_editor(), dialog);
        QCOMPARE(dialog->objectName(), QStringLiteral("Preferences Editor"));
        QCOMPARE(dialog->pos(), QPoint(0, 0));
        QCOMPARE(scroll->viewport()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly),
                 QList<QWidget*>{dialog});
        QCOMPARE(dialog->manager(), SpaceWareLib::instance()->preferences_manager());
    }

    // A right press on the scroll area, with any modifiers, opens the menu
    // and still lets the event go on; nothing else opens it.
    void rightPressOpensThePopupMenu() {
        VQKestravaWorkflowLowerPanel panel;
        panel.set_workflow_instance(instance_.get());
        QWidget* scroll = panel.build_view(parent_.get(), nullptr);
        parent_->show();
        bool consumed = true;
        QMouseEvent press = mouse(QEvent::MouseButtonPress, Qt::RightButton, Qt::ControlModifier);
        QCOMPARE(menu_opened_by([&] { consumed = panel.eventFilter(scroll, &press); }),
                 QStringList{"Detach Settings Pane (icon)"});
        QVERIFY(!consumed);
        QCOMPARE(menu_opened_by([&] {
                     QMouseEvent sent = mouse(QEvent::MouseButtonPress, Qt::RightButton);
                     QApplication::sendEvent(scroll, &sent);
                 }),
                 QStringList{"Detach Settings Pane (icon)"});

        // A right-click on an empty spot of the settings reaches the scroll area.
        QWidget* dialog = static_cast<QScrollArea*>(scroll)->widget();
        QCOMPARE(
            menu_opened_by([&] { QTest::mousePress(dialog, Qt::RightButton, {}, QPoint(3, 3)); }),
            QStringList{"Detach Settings Pane (icon)"});
        const std::tuple<QObject*, QEvent::Type, Qt::MouseButton> passing[] = {
            {scroll, QEvent::MouseButtonPress, Qt::LeftButton},
            {scroll, QEvent::MouseButtonPress, Qt::MiddleButton},
            {scroll, QEvent::MouseButtonRelease, Qt::RightButton},
            {scroll, QEvent::MouseButtonDblClick, Qt::RightButton},
            {dialog, QEvent::MouseButtonPress, Qt::RightButton},
        };
        for (const auto& [watched, type, button] : passing) {
            QMouseEvent event = mouse(type, button);
            // A name of its own: clang 14 captures no structured binding.
            QObject* target = watched;
            QVERIFY(menu_opened_by([&] { QVERIFY(!panel.eventFilter(target, &event)); }).isEmpty());
        }
    }

    // The menu builder is looked up under the workflow's name, then under
    // "Workflow"; without either, or without an instance, no menu.
    void popupMenuBuilderLookup() {
        VQWorkflowBuilderManager::register_factory("Workflow", "GenericMenu",
                                                   new ConcreteFactory<GenericMenu>);
        VQKestravaWorkflowLowerPanel panel;
        QWidget* scroll = panel.build_view(parent_.get(), nullptr);
        parent_->show();
        QMouseEvent press = mouse(QEvent::MouseButtonPress, Qt::RightButton);
        QVERIFY(menu_opened_by([&] { panel.eventFilter(scroll, &press); }).isEmpty());

        panel.set_workflow_instance(instance_.get());
        instance_->get_property()->set_value(Attributes::lower_area_popup_menu_builder(),
                                             "GenericMenu");
        QCOMPARE(menu_opened_by([&] { panel.eventFilter(scroll, &press); }),
                 QStringList{"Generic entry"});
        instance_->get_property()->set_value(Attributes::lower_area_popup_menu_builder(), "None");
        QVERIFY(menu_opened_by([&] { panel.eventFilter(scroll, &press); }).isEmpty());

        WorkflowInstance without_template(nullptr);
        panel.set_workflow_instance(&without_template);
        QVERIFY(menu_opened_by([&] { panel.eventFilter(scroll, &press); }).isEmpty());
    }

    // The upper panel: a frame of the given name; entering hides the host's
    // upper area and leaving shows it, when there is one.
    void upperPanelHidesTheHostUpperArea() {
        VQKestravaWorkflowUpperPanel upper;
        auto* frame = qobject_cast<QFrame*>(upper.build_view(parent_.get(), "upper frame"));
        QVERIFY(frame);
        QCOMPARE(frame->objectName(), QStringLiteral("upper frame"));
        QVERIFY(upper.get_view() == nullptr);
        XMMainWindow* window = TarvikGuiLib::instance()->main_window();
        window->set_workflow(nullptr);
        upper.enter_view();
        upper.leave_view();

        auto* panel = new VQWorkflowPanel;
        window->set_workflow(panel);
        window->show();
        QVERIFY(!panel->workflow_upper_area()->isHidden());
        upper.enter_view();
        QVERIFY(panel->workflow_upper_area()->isHidden());
        upper.leave_view();
        QVERIFY(!panel->workflow_upper_area()->isHidden());
        window->set_workflow(nullptr);
    }

    // The whole workflow in the host's panel; its menu entry detaches the
    // settings pane into a window of its own.
    void detachSettingsPaneFromTheMenu() {
        XMMainWindow* window = TarvikGuiLib::instance()->main_window();
        auto* panel = new VQWorkflowPanel;
        window->set_workflow(panel);
        QVERIFY(panel->show_workflow(instance_.get()));
        window->show();
        QVERIFY(panel->workflow_upper_area()->isHidden());
        QVERIFY(qobject_cast<QScrollArea*>(panel->workflow_lower_area()->view()));

        auto* builder = new VQKestravaWorkflowLowerPanelPopupMenu;
        builder->set_workflow_instance(instance_.get());
        auto* menu = qobject_cast<QMenu*>(builder->build_view(window, nullptr));
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 1);
        QCOMPARE(menu->actions()[0]->text(), QStringLiteral("Detach Settings Pane"));
        menu->actions()[0]->trigger();
        QTRY_VERIFY(panel->is_lower_area_detached());
        QVERIFY(panel->workflow_lower_area()->window() != window);
        panel->workflow_lower_area()->window()->close();
        QTRY_VERIFY(!panel->is_lower_area_detached());
        window->set_workflow(nullptr);
    }
};

QTEST_MAIN(TestPanels)
#include "tst_panels.moc"
