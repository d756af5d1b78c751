// The shapes the module's contract fixes exactly: the forms' widget trees,
// their order of creation, their meta-objects, and the members the module
// exports by name. A change here is a change of the contract, not a fix.

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMetaMethod>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>

#include "MimeSourceFactory.h"
#include "Pictures.h"
#include "TestSupport.h"
#include "fcteditor/VQMotionCtrlFctEditor.h"
#include "images/MimeSourceFactory_Kestrava.h"
#include "motionctrl/VQMotionCtrlPref.h"

namespace {

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
} // namespace

class TestConformance : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installImageCollection(); }

    // The bare form: its tree, pictures, combo items and slots that only warn.
    void settingsFormAsBuilt() {
        VQMotionCtrlPrefBase form;
        QCOMPARE(form.objectName(), QStringLiteral("VQMotionCtrlPrefBase"));
        QCOMPARE(VQMotionCtrlPrefBase(nullptr, "named").objectName(), QStringLiteral("named"));
        QVERIFY(form.width() >= 275 && form.height() >= 850);
        QCOMPARE(form.tabs_->tabText(0), QStringLiteral("Motions"));
        QCOMPARE(form.tabs_->tabText(1), QStringLiteral("Buttons"));
        QVERIFY(form.button_fcts_grp_box_->children().isEmpty());
        QCOMPARE(form.trans_sensib_slider_->minimum(), -100);
        QCOMPARE(form.rot_sensib_slider_->maximum(), 100);
        QCOMPARE(form.trans_sensib_slider_->value(), 0);
        QVERIFY(!form.ctrl_axis_trans_pxm_->pixmap().isNull());
        QVERIFY(form.x_rot_pxm_->hasScaledContents());
        QVERIFY(!form.x_trans_pxm_->hasScaledContents());
        for (int round = 0; round < 2; ++round) {
            const QComboBox* trans[] = {form.x_trans_combo_, form.y_trans_combo_,
                                        form.z_trans_combo_};
            const QComboBox* rot[] = {form.x_rot_combo_, form.y_rot_combo_, form.z_rot_combo_};
            for (int axis = 0; axis < 3; ++axis) {
                QCOMPARE(trans[axis]->count(), 6);
                QCOMPARE(trans[axis]->currentIndex(), 2 * axis);
                QVERIFY(trans[axis]->itemText(3).isNull());
                QCOMPARE(rot[axis]->count(), 2);
                QCOMPARE(rot[axis]->currentIndex(), 0);
            }
            QCOMPARE(form.x_trans_combo_->itemData(1, Qt::ToolTipRole).toString(),
                     QStringLiteral("\u2212X"));
            QCOMPARE(form.z_rot_combo_->itemData(1, Qt::AccessibleTextRole).toString(),
                     QStringLiteral("counter-clockwise about Z"));
            QCOMPARE(icon_image(form.y_trans_combo_, 3), picture("yo_arrow.png"));
            form.x_trans_combo_->setCurrentIndex(5);
            QMetaObject::invokeMethod(&form, "languageChange");
        }
        QTest::ignoreMessage(QtWarningMsg,
                             "VQMotionCtrlPrefBase::x_trans_selected(int): Not implemented yet");
        choose(form.x_trans_combo_, 1);
        QTest::ignoreMessage(QtWarningMsg,
                             "VQMotionCtrlPrefBase::rot_slider_changed(int): Not implemented yet");
        form.rot_sensib_slider_->setValue(10);
        QTest::ignoreMessage(QtWarningMsg,
                             "VQMotionCtrlPrefBase::save_buttons_pref(): Not implemented yet");
        form.buttons_save_btn_->click();
    }

    // The form's 29 named widgets, each of its kind and with its parent,
    // and no other named widget of the form's own.
    void widgetTree() {
        VQMotionCtrlPrefBase form;
        struct Node {
            const char* name;
            const char* kind;
            const char* parent;
        };
        const Node tree[] = {
            {"tabs_", "QTabWidget", "VQMotionCtrlPrefBase"},
            {"motions_tab_", "QWidget", "tabs_"},
            {"translation_grp_box_", "QGroupBox", "motions_tab_"},
            {"ctrl_axis_trans_pxm_", "QLabel", "translation_grp_box_"},
            {"trans_sensib_slider_", "QSlider", "translation_grp_box_"},
            {"y_trans_pxm_", "QLabel", "translation_grp_box_"},
            {"x_trans_combo_", "QComboBox", "translation_grp_box_"},
            {"y_trans_combo_", "QComboBox", "translation_grp_box_"},
            {"z_trans_combo_", "QComboBox", "translation_grp_box_"},
            {"x_trans_pxm_", "QLabel", "translation_grp_box_"},
            {"z_trans_pxm_", "QLabel", "translation_grp_box_"},
            {"rotation_grp_box_", "QGroupBox", "motions_tab_"},
            {"ctrl_axis_rot_pxm_", "QLabel", "rotation_grp_box_"},
            {"rot_sensib_slider_", "QSlider", "rotation_grp_box_"},
            {"y_rot_combo_", "QComboBox", "rotation_grp_box_"},
            {"y_rot_pxm_", "QLabel", "rotation_grp_box_"},
            {"z_rot_pxm_", "QLabel", "rotation_grp_box_"},
            {"x_rot_pxm_", "QLabel", "rotation_grp_box_"},
            {"x_rot_combo_", "QComboBox", "rotation_grp_box_"},
            {"z_rot_combo_", "QComboBox", "rotation_grp_box_"},
            {"motions_restore_pref_btn_", "QPushButton", "motions_tab_"},
            {"motions_save_btn_", "QPushButton", "motions_tab_"},
            {"motions_restore_default_btn_", "QPushButton", "motions_tab_"},
            {"buttons_tab_", "QWidget", "tabs_"},
            {"button_fcts_grp_box_", "QGroupBox", "buttons_tab_"},
            {"buttons_restore_default_btn_", "QPushButton", "buttons_tab_"},
            {"buttons_restore_pref_btn_", "QPushButton", "buttons_tab_"},
            {"buttons_save_btn_", "QPushButton", "buttons_tab_"},
            {"buttons_fct_edit_btn_", "QPushButton", "buttons_tab_"},
        };
        QStringList expected;
        for (const Node& node : tree) {
            const auto* widget = form.findChild<QWidget*>(QLatin1String(node.name));
            QVERIFY2(widget, node.name);
            QCOMPARE(widget->metaObject()->className(), node.kind);
            // Pages sit in the tab widget's own stack.
            const QWidget* parent = QByteArray(node.parent) == "tabs_"
                                        ? widget->parentWidget()->parentWidget()
                                        : widget->parentWidget();
            QCOMPARE(parent->objectName(), QLatin1String(node.parent));
            expected << QLatin1String(node.name);
        }
        // Qt's own parts of the tab widget (its bar, its stack, the bar's
        // scroll buttons) do not count.
        const auto is_qt_part = [](const QWidget* widget) {
            return widget->objectName().startsWith("qt_") ||
                   widget->parentWidget()->objectName() == QLatin1String("qt_tabwidget_tabbar");
        };
        QStringList named;
        for (const QWidget* widget : form.findChildren<QWidget*>()) {
            if (!widget->objectName().isEmpty() && !is_qt_part(widget)) {
                named << widget->objectName();
            }
        }
        named.sort();
        expected.sort();
        QCOMPARE(named, expected);
    }

    // The form creates its widgets in the order of its widget table, and
    // fills each grid in that order: the children of every container and
    // the widget items of every grid, one table.
    void widgetsInCreationOrder() {
        VQMotionCtrlPrefBase form;
        const auto names = [](const QList<QWidget*>& widgets) {
            QStringList found;
            for (const QWidget* widget : widgets) {
                found << widget->objectName();
            }
            return found.join(' ');
        };
        const auto children = [&](const QWidget* parent) {
            return names(parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
        };
        const auto grid_widgets = [&](const char* grid_name) {
            const auto* grid = form.findChild<QGridLayout*>(QString::fromLatin1(grid_name));
            QList<QWidget*> widgets;
            for (int i = 0; grid && i < grid->count(); ++i) {
                if (grid->itemAt(i)->widget()) {
                    widgets << grid->itemAt(i)->widget();
                }
            }
            return names(widgets);
        };
        const QString translation_axes = "y_trans_pxm_ x_trans_combo_ y_trans_combo_ "
                                         "z_trans_combo_ x_trans_pxm_ z_trans_pxm_";
        const QString rotation_axes =
            "y_rot_combo_ y_rot_pxm_ z_rot_pxm_ x_rot_pxm_ x_rot_combo_ z_rot_combo_";
        const QList<std::pair<QString, QString>> expected{
            {children(form.translation_grp_box_),
             "ctrl_axis_trans_pxm_ trans_sensib_slider_ " + translation_axes},
            {grid_widgets("trans_combos_layout_"), translation_axes},
            {children(form.rotation_grp_box_),
             "ctrl_axis_rot_pxm_ rot_sensib_slider_ " + rotation_axes},
            {grid_widgets("rot_combos_layout_"), rotation_axes},
            {children(form.motions_tab_),
             "translation_grp_box_ rotation_grp_box_ motions_restore_pref_btn_ "
             "motions_save_btn_ motions_restore_default_btn_"},
            {grid_widgets("motions_validate_layout_"),
             "motions_restore_pref_btn_ motions_save_btn_ motions_restore_default_btn_"},
            {children(form.buttons_tab_),
             "button_fcts_grp_box_ buttons_restore_default_btn_ buttons_restore_pref_btn_ "
             "buttons_save_btn_ buttons_fct_edit_btn_"},
            {grid_widgets("buttons_validate_layout_"),
             "buttons_restore_default_btn_ buttons_restore_pref_btn_ buttons_save_btn_"},
        };
        for (const auto& [actual, wanted] : expected) {
            QCOMPARE(actual, wanted);
        }
        QCOMPARE(form.tabs_->widget(0), form.motions_tab_);
        QCOMPARE(form.tabs_->widget(1), form.buttons_tab_);
    }

    // The dialog overrides the form's fifteen slots without declaring any
    // slot, signal or property of its own.
    void metaObjectAddsNothing() {
        const QMetaObject& form = VQMotionCtrlPrefBase::staticMetaObject;
        QCOMPARE(form.methodCount() - form.methodOffset(), 15);
        const QMetaObject& meta = VQMotionCtrlPref::staticMetaObject;
        QCOMPARE(meta.superClass(), &form);
        QCOMPARE(meta.methodCount() - meta.methodOffset(), 0);
        QCOMPARE(meta.propertyCount() - meta.propertyOffset(), 0);
    }

    // The bare form: its names, grid, texts, size and tab order, and slots
    // that only print their line.
    void functionEditorFormAsBuilt() {
        VQMotionCtrlFctEditorBase form(nullptr, nullptr, true);
        QCOMPARE(form.objectName(), QStringLiteral("VQMotionCtrlFctEditorBase"));
        QVERIFY(!form.isModal());
        QVERIFY(form.width() >= 368 && form.height() >= 154);
        QCOMPARE(form.windowTitle(), QStringLiteral("Kestrava Function Editor"));
        QCOMPARE(form.fcts_valid_btn_->toolTip(),
                 QStringLiteral("Validate and save the  new function. "));
        QCOMPARE(form.fcts_edit_btn_->toolTip(),
                 QStringLiteral("Edit the current select function. "));
        QVERIFY(form.fcts_text_edit_->isReadOnly());
        QVERIFY(form.fcts_text_edit_->toolTip().isNull());
        auto* grid =
            form.findChild<QGridLayout*>(QStringLiteral("VQMotionCtrlFctEditorBaseLayout"));
        QVERIFY(grid);
        const auto cell = [&](QWidget* widget) {
            int row, column, rows, columns;
            grid->getItemPosition(grid->indexOf(widget), &row, &column, &rows, &columns);
            return QList<int>{row, column, rows, columns};
        };
        QCOMPARE(cell(form.fcts_combo_), (QList<int>{0, 0, 1, 2}));
        QCOMPARE(cell(form.fcts_remove_btn_), (QList<int>{0, 3, 1, 1}));
        QCOMPARE(cell(form.fcts_text_edit_), (QList<int>{1, 0, 1, 4}));
        QCOMPARE(cell(form.cancel_edit_btn_), (QList<int>{2, 3, 1, 1}));
        QCOMPARE(form.fcts_add_btn_->nextInFocusChain(), form.fcts_remove_btn_);
        QCOMPARE(form.fcts_check_btn_->nextInFocusChain(), form.fcts_valid_btn_);

        const std::pair<QPushButton*, const char*> placeholders[] = {
            {form.fcts_add_btn_, "add_fct()"},        {form.fcts_remove_btn_, "remove_fct()"},
            {form.fcts_edit_btn_, "edit_fct()"},      {form.fcts_check_btn_, "check_fct()"},
            {form.fcts_valid_btn_, "validate_fct()"}, {form.cancel_edit_btn_, "cancel_edition()"},
        };
        for (const auto& [button, slot] : placeholders) {
            QTest::ignoreMessage(QtWarningMsg,
                                 qPrintable(QStringLiteral("VQMotionCtrlFctEditorBase::%1: Not "
                                                           "implemented yet")
                                                .arg(slot)));
            button->click();
        }
        form.fcts_combo_->addItem(QStringLiteral("x"));
        QTest::ignoreMessage(QtWarningMsg,
                             "VQMotionCtrlFctEditorBase::fct_selected(int): Not implemented yet");
        emit form.fcts_combo_->activated(0);
    }

    // Of the form's eight slots, the editor declares only languageChange()
    // again, public; the others are overridden without a slot of their own.
    void metaObjectDeclaresOneSlot() {
        const QMetaObject& meta = VQMotionCtrlFctEditor::staticMetaObject;
        QCOMPARE(meta.superClass(), &VQMotionCtrlFctEditorBase::staticMetaObject);
        QCOMPARE(meta.methodCount() - meta.methodOffset(), 1);
        const QMetaMethod own = meta.method(meta.methodOffset());
        QCOMPARE(own.methodSignature(), QByteArray("languageChange()"));
        QCOMPARE(own.methodType(), QMetaMethod::Slot);
        QCOMPARE(own.access(), QMetaMethod::Public);
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
};

QTEST_MAIN(TestConformance)
#include "tst_conformance.moc"
