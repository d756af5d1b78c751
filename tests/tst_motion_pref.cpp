// The motion-controller settings dialog against a real manager: what a user
// picks reaches the settings, and what the settings hold is shown.

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QSpacerItem>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <cmath>
#include <functional>
#include <memory>

#include "FreshSettings.h"
#include "Kestrava_spaceWare.h"
#include "MimeSourceFactory.h"
#include "Pictures.h"
#include "ScopedSeam.h"
#include "TestFiles.h"
#include "TestSupport.h"
#include "fcteditor/VQMotionCtrlFctEditor.h"
#include "forms/FormSupport.h"
#include "images/MimeSourceFactory_Kestrava.h"
#include "motionctrl/VQMotionCtrlPref.h"

namespace {
using Manager = SpaceWarePreferencesManager;

// The three axes as letters, "yxz" for x->y, y->x, z->z.
QString axes(const Manager& manager) {
    QString letters;
    for (int row = 0; row < 3; ++row) {
        letters += text_of(manager.navig_string(translation_axis(row)));
    }
    return letters;
}

bool is_permutation(const QString& letters) {
    QString copy = letters;
    std::sort(copy.begin(), copy.end());
    return copy == QLatin1String("xyz");
}

const char* const rotation_pictures[3][2] = {{"a_cw_arrow.png", "a_ccw_arrow.png"},
                                             {"b_cw_arrow.png", "b_ccw_arrow.png"},
                                             {"c_cw_arrow.png", "c_ccw_arrow.png"}};
} // namespace

class TestMotionPref : public QObject {
    Q_OBJECT
    FreshSettings fresh_;
    const QString& file_ = fresh_.file();
    std::unique_ptr<Manager> manager_;
    std::unique_ptr<VQMotionCtrlPref> dialog_;

    void make(long buttons = 3) {
        dialog_.reset();
        manager_ = fresh_.make_manager(buttons);
    }
    void open_dialog() {
        dialog_ = std::make_unique<VQMotionCtrlPref>(manager_.get(), nullptr, "Preferences Editor");
        dialog_->show();
    }
    // The rotation combo of a row shows the pictures of that axis.
    bool shows_rotation_pictures_of(QComboBox* combo, int axis) const {
        return icon_image(combo, 0) == picture(rotation_pictures[axis][0]) &&
               icon_image(combo, 1) == picture(rotation_pictures[axis][1]);
    }
    // Every translation combo shows its row's axis and direction.
    bool combos_match_settings() const {
        const QComboBox* combos[] = {dialog_->x_trans_combo_, dialog_->y_trans_combo_,
                                     dialog_->z_trans_combo_};
        for (int row = 0; row < 3; ++row) {
            const int axis = Manager::string_to_index(
                axis_group, manager_->navig_string(translation_axis(row))->get());
            const int direction = Manager::string_to_index(
                direction_group, manager_->navig_string(translation_direction(row))->get());
            if (combos[row]->currentIndex() != 2 * axis + direction) {
                return false;
            }
        }
        return true;
    }
    QComboBox* row_combo(int n) const {
        return dialog_->findChild<QComboBox*>(QStringLiteral("button_%1_combo_").arg(n));
    }

private slots:
    void initTestCase() { installImageCollection(); }
    void init() {
        fresh_.next_case();
        make();
    }
    void cleanup() {
        dialog_.reset();
        manager_.reset();
    }

    // x->x, y->y, z->z; the user picks "oy" in the x row: x->y, y->x, the
    // directions kept, and the rotation pictures follow the axes.
    void roadOfOneEvent() {
        manager_->navig_string(y_trans_direction)->set("negative");
        open_dialog();
        QCOMPARE(dialog_->objectName(), QStringLiteral("Preferences Editor"));
        QVERIFY(shows_rotation_pictures_of(dialog_->x_rot_combo_, 0));
        choose(dialog_->x_trans_combo_, 2);
        QCOMPARE(axes(*manager_), QStringLiteral("yxz"));
        QCOMPARE(text_of(manager_->navig_string(x_trans_direction)), QStringLiteral("positive"));
        QCOMPARE(text_of(manager_->navig_string(y_trans_direction)), QStringLiteral("negative"));
        QCOMPARE(dialog_->y_trans_combo_->currentIndex(), 1); // -X
        QVERIFY(combos_match_settings());
        QVERIFY(shows_rotation_pictures_of(dialog_->x_rot_combo_, 1));
        QVERIFY(shows_rotation_pictures_of(dialog_->y_rot_combo_, 0));
        QCOMPARE(dialog_->x_rot_combo_->itemData(0, Qt::ToolTipRole).toString(),
                 QStringLiteral("clockwise about Y"));

        // Item 5: axis index 2, direction index 1.
        choose(dialog_->x_trans_combo_, 5);
        QCOMPARE(axes(*manager_), QStringLiteral("zxy"));
        QCOMPARE(text_of(manager_->navig_string(x_trans_direction)), QStringLiteral("negative"));
        QVERIFY(shows_rotation_pictures_of(dialog_->z_rot_combo_, 1));

        // After the form's language change the pictures are those of the axes again.
        dialog_->languageChange();
        QVERIFY(combos_match_settings());
        QVERIFY(shows_rotation_pictures_of(dialog_->x_rot_combo_, 2));
        QVERIFY(shows_rotation_pictures_of(dialog_->y_rot_combo_, 0));
        QVERIFY(shows_rotation_pictures_of(dialog_->z_rot_combo_, 1));
    }

    // Stores the axes of the three rows, then opens the dialog on them.
    void open_dialog_on_axes(const QString& triple) {
        make();
        manager_->navig_string(y_trans_direction)->assign("negative");
        for (int row = 0; row < 3; ++row) {
            manager_->navig_string(translation_axis(row))
                ->assign(triple.mid(row, 1).toLatin1().constData());
        }
        open_dialog();
    }

    // Any stored triple of axes ends as a permutation after the first
    // refresh, the directions untouched; where none is left free, the
    // conflicting row is the later one: y, y, y gives exactly x->y, y->x, z->z.
    void storedTriplesBecomePermutations() {
        const QString letters = QStringLiteral("xyz");
        for (const QChar a : letters) {
            for (const QChar b : letters) {
                for (const QChar c : letters) {
                    const QString stored = QString(a) + b + c;
                    open_dialog_on_axes(stored);
                    const QString result = axes(*manager_);
                    QVERIFY2(is_permutation(result), qPrintable(stored + " -> " + result));
                    QVERIFY2(combos_match_settings(), qPrintable(stored));
                    QCOMPARE(text_of(manager_->navig_string(y_trans_direction)),
                             QStringLiteral("negative"));
                }
            }
        }
        open_dialog_on_axes(QStringLiteral("xxz"));
        QCOMPARE(axes(*manager_), QStringLiteral("xyz"));
        open_dialog_on_axes(QStringLiteral("yyy"));
        QCOMPARE(axes(*manager_), QStringLiteral("yxz"));
    }

    // A string of no group is left alone, its combo unchanged, unless
    // another row's conflict makes the repair give both rows an axis anew.
    void stringsOutsideTheGroups() {
        open_dialog_on_axes(QStringLiteral("xwz"));
        QCOMPARE(axes(*manager_), QStringLiteral("xwz"));
        QCOMPARE(dialog_->y_trans_combo_->currentIndex(), 3); // the form's Y, direction shown
        manager_->navig_string(y_trans_axis)->set("v");
        QCOMPARE(axes(*manager_), QStringLiteral("xvz"));
        QCOMPARE(dialog_->y_trans_combo_->currentIndex(), 3);

        open_dialog_on_axes(QStringLiteral("ywy"));
        QCOMPARE(axes(*manager_), QStringLiteral("yxz"));
        QVERIFY(combos_match_settings());
        open_dialog_on_axes(QStringLiteral("wxx"));
        QCOMPARE(axes(*manager_), QStringLiteral("zxy"));
        QVERIFY(combos_match_settings());
    }

    // Every item of every translation combo, chosen in turn, keeps the axes
    // a permutation with the chosen row on the chosen axis and direction.
    void everyTranslationChoice() {
        open_dialog();
        QComboBox* combos[] = {dialog_->x_trans_combo_, dialog_->y_trans_combo_,
                               dialog_->z_trans_combo_};
        for (int row = 0; row < 3; ++row) {
            for (int item = 0; item < 6; ++item) {
                choose(combos[row], item);
                QVERIFY(is_permutation(axes(*manager_)));
                QCOMPARE(Manager::string_to_index(
                             axis_group, manager_->navig_string(translation_axis(row))->get()),
                         item / 2);
                QCOMPARE(
                    Manager::string_to_index(
                        direction_group, manager_->navig_string(translation_direction(row))->get()),
                    item % 2);
                QVERIFY(combos_match_settings());
            }
        }
        choose(dialog_->y_rot_combo_, 1);
        QCOMPARE(text_of(manager_->navig_string(y_rot_direction)),
                 QStringLiteral("counterclockwise"));
        manager_->navig_string(z_rot_direction)->set("counterclockwise");
        QCOMPARE(dialog_->z_rot_combo_->currentIndex(), 1);
    }

    // Positions and sensitivities map to each other, with the given values.
    void sensitivityConversions() {
        for (int p = -100; p <= 100; ++p) {
            QCOMPARE(VQMotionCtrlPref::sensitivity_to_position(
                         VQMotionCtrlPref::position_to_sensitivity(p)),
                     p);
        }
        QCOMPARE(VQMotionCtrlPref::sensitivity_to_position(1.0f), 0);
        QCOMPARE(VQMotionCtrlPref::sensitivity_to_position(2.0f), 30);
        QCOMPARE(VQMotionCtrlPref::sensitivity_to_position(0.5f), -30);
        QCOMPARE(VQMotionCtrlPref::position_to_sensitivity(100), 10.0f);
        QCOMPARE(VQMotionCtrlPref::position_to_sensitivity(-100), 0.1f);
        // An exact half goes to the lower position. (No float has a 100 log10
        // of exactly +12.5, so only the negative half can be reached.)
        float x = static_cast<float>(std::pow(10.0, -0.125));
        for (int step = 0;
             step < 8 && static_cast<float>(std::log10(static_cast<double>(x))) != -0.125f;
             ++step) {
            x = std::nextafter(
                x, static_cast<float>(std::log10(static_cast<double>(x))) < -0.125f ? 1.0f : 0.0f);
        }
        QVERIFY(static_cast<float>(std::log10(static_cast<double>(x))) == -0.125f);
        QCOMPARE(VQMotionCtrlPref::sensitivity_to_position(x), -13);
        // Values no slider shows do not break the conversion.
        QCOMPARE(VQMotionCtrlPref::sensitivity_to_position(0.0f), -100);
        QCOMPARE(VQMotionCtrlPref::sensitivity_to_position(std::nanf("")), 0);
        QVERIFY(VQMotionCtrlPref::sensitivity_to_position(1e30f) >= 100);
    }

    // The sliders show the stored sensitivities and write back what they
    // show: 2.0 becomes the value of position 30, above 10 becomes 10.
    void slidersFollowAndWriteBack() {
        manager_->navig_float(trans_sensitivity)->set(2.0f);
        manager_->navig_float(rot_sensitivity)->set(20.0f);
        open_dialog();
        QCOMPARE(dialog_->trans_sensib_slider_->value(), 30);
        QCOMPARE(manager_->navig_float(trans_sensitivity)->get(), 1.9952623f);
        QCOMPARE(dialog_->rot_sensib_slider_->value(), 100);
        QCOMPARE(manager_->navig_float(rot_sensitivity)->get(), 10.0f);
        dialog_->trans_sensib_slider_->setValue(-100);
        QCOMPARE(manager_->navig_float(trans_sensitivity)->get(), 0.1f);
        manager_->navig_float(rot_sensitivity)->set(0.5f);
        QCOMPARE(dialog_->rot_sensib_slider_->value(), -30);
    }

    // The lowest sensitivity a file can hold shows at the slider's end and
    // is written back unchanged.
    void lowestSensitivityFromTheFile() {
        write_file(file_, "[navigation]\ntranslation_sensitivity=0.1\nrotation_sensitivity=10\n");
        make();
        open_dialog();
        QCOMPARE(dialog_->trans_sensib_slider_->value(), -100);
        QCOMPARE(dialog_->rot_sensib_slider_->value(), 100);
        QCOMPARE(manager_->navig_float(trans_sensitivity)->get(), 0.1f);
        QVERIFY(manager_->navig_float(trans_sensitivity)->is_from_preferences());
    }

    // A save that fails is told to the user, naming the file and why; what
    // the dialog shows stays as it is.
    void failedSavesAreTold() {
        struct Recorder : form_support::Prompter {
            QStringList told;
            void warn(QWidget*, const QString&, const QString& text) override { told << text; }
        } recorder;
        const ScopedSeam seam(&form_support::set_prompter,
                              static_cast<form_support::Prompter*>(&recorder));
        const QString blocker = fresh_.beside("blocker");
        QFile(blocker).open(QIODevice::WriteOnly);
        const QString file = blocker + QStringLiteral("/prefs.ini");
        dialog_.reset();
        manager_ = std::make_unique<Manager>(file, 2);
        open_dialog();
        dialog_->rot_sensib_slider_->setValue(40);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot create its folder"));
        dialog_->motions_save_btn_->click();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot create its folder"));
        dialog_->buttons_save_btn_->click();
        const QString expected = QStringLiteral("The settings could not be saved to %1: cannot "
                                                "create its folder.")
                                     .arg(file);
        QCOMPARE(recorder.told, (QStringList{expected, expected}));
        QCOMPARE(dialog_->rot_sensib_slider_->value(), 40);
    }

    // Each page's Save keeps only that page's settings: an unsaved axis
    // change stays unsaved when the buttons are saved.
    void savingOnePageLeavesTheOther() {
        open_dialog();
        choose(dialog_->x_trans_combo_, 2);
        QCOMPARE(axes(*manager_), QStringLiteral("yxz"));
        choose(row_combo(2), items(row_combo(2)).indexOf("View_Front"));
        dialog_->buttons_save_btn_->click();
        make();
        QCOMPARE(axes(*manager_), QStringLiteral("xyz"));
        QCOMPARE(text_of(manager_->button_value(2)), QStringLiteral("View_Front"));
    }

    // Save, Restore Preferences and Restore Default on both pages, through
    // the manager's file.
    void saveRestoreAndDefaults() {
        open_dialog();
        choose(dialog_->z_trans_combo_, 0); // z->x: x->z
        dialog_->rot_sensib_slider_->setValue(40);
        choose(row_combo(2), items(row_combo(2)).indexOf("View_Top"));
        dialog_->motions_save_btn_->click();
        dialog_->buttons_save_btn_->click();

        choose(dialog_->x_trans_combo_, 2);
        choose(row_combo(2), items(row_combo(2)).indexOf("Fit_All"));
        dialog_->motions_restore_pref_btn_->click();
        dialog_->buttons_restore_pref_btn_->click();
        QCOMPARE(axes(*manager_), QStringLiteral("zyx"));
        QVERIFY(combos_match_settings());
        QCOMPARE(row_combo(2)->currentText(), QStringLiteral("View_Top"));

        dialog_->motions_restore_default_btn_->click();
        dialog_->buttons_restore_default_btn_->click();
        QCOMPARE(axes(*manager_), QStringLiteral("xyz"));
        QVERIFY(combos_match_settings());
        QCOMPARE(dialog_->rot_sensib_slider_->value(), 0);
        QCOMPARE(row_combo(2)->currentText(), QStringLiteral("View_Isometric"));

        make();
        open_dialog();
        QCOMPARE(axes(*manager_), QStringLiteral("zyx"));
        QCOMPARE(dialog_->rot_sensib_slider_->value(), 40);
        QCOMPARE(row_combo(2)->currentText(), QStringLiteral("View_Top"));
        save_screenshot(dialog_.get(), QStringLiteral("motion_pref_motions.png"));
        dialog_->tabs_->setCurrentIndex(1);
        save_screenshot(dialog_.get(), QStringLiteral("motion_pref_buttons.png"));
    }

    // One row per device button, named and labelled by number, their combos
    // spliced into the tab order; none at all for a device without buttons.
    void buttonRows() {
        for (const long count : {0L, 3L, 31L}) {
            make(count);
            open_dialog();
            QCOMPARE(dialog_->button_fcts_grp_box_->findChildren<QComboBox*>().size(),
                     static_cast<int>(count));
            QWidget* previous = dialog_->motions_save_btn_;
            for (long n = 1; n <= count; ++n) {
                auto* label = dialog_->findChild<QLabel*>(QStringLiteral("button_%1_txt_").arg(n));
                QVERIFY(label);
                QCOMPARE(label->text(), QStringLiteral("%1.").arg(n));
                QCOMPARE(previous->nextInFocusChain(), row_combo(n));
                previous = row_combo(n);
            }
            QCOMPARE(previous->nextInFocusChain(), dialog_->buttons_restore_default_btn_);
        }
    }

    // Every combo lists every function once, sorted by character code; the
    // editor gets the custom names sorted the same way.
    void functionListsAreSorted() {
        open_dialog();
        manager_->add_or_edit_custom_function("b", "echo b");
        manager_->add_or_edit_custom_function("a", "echo a");
        manager_->add_or_edit_custom_function("B", "echo B");
        const QStringList listed = items(row_combo(1));
        QStringList expected = listed;
        expected.sort(Qt::CaseSensitive);
        QCOMPARE(listed, expected);
        QCOMPARE(listed.count(QStringLiteral("a")), 1);
        QVERIFY(listed.indexOf("B") < listed.indexOf("a"));
        QVERIFY(listed.contains("No_Action"));
        QCOMPARE(items(dialog_->function_editor()->fcts_combo_), (QStringList{"B", "a", "b"}));
        QCOMPARE(row_combo(1)->currentText(), QStringLiteral("Fit_All")); // selection kept
    }

    // A button bound to a removed function shows the no-action item while
    // its setting keeps the name; re-choosing the current item writes
    // nothing yet notifies.
    void removedFunctionShowsNoAction() {
        open_dialog();
        manager_->add_or_edit_custom_function("mine", "echo mine");
        choose(row_combo(1), items(row_combo(1)).indexOf("mine"));
        QCOMPARE(text_of(manager_->button_value(1)), QStringLiteral("mine"));
        manager_->remove_custom_function("mine");
        QCOMPARE(row_combo(1)->currentText(), QStringLiteral("No_Action"));
        QCOMPARE(text_of(manager_->button_value(1)), QStringLiteral("mine"));

        int told = 0;
        const auto observer = observe(manager_->button_value(2), [&](Value*) { ++told; });
        manager_->button_value(2)->mark_source(true, false);
        choose(row_combo(2), row_combo(2)->currentIndex());
        QCOMPARE(told, 1);
        QVERIFY(manager_->button_value(2)->is_from_preferences()); // not rewritten
    }

    // Once the dialog is gone, no setting reaches it any more.
    void destroyedDialogIsNotTold() {
        const long before = manager_->navig_value(x_trans_axis)->observer_count();
        open_dialog();
        QVERIFY(manager_->navig_value(x_trans_axis)->observer_count() > before);
        dialog_.reset();
        for (int a = 0; a < Manager::navig_count; ++a) {
            QCOMPARE(manager_->navig_value(static_cast<NavigAttribute>(a))->observer_count(), 0L);
        }
        QCOMPARE(manager_->button_value(1)->observer_count(), 0L);
        QCOMPARE(manager_->custom_function_names()->observer_count(), 0L);
        manager_->navig_string(x_trans_axis)->set("z");
        manager_->navig_float(trans_sensitivity)->set(3.0f);
        manager_->add_or_edit_custom_function("after", "x");
        manager_->reset_button_defaults();
    }

    // Installing and removing a translator re-translates the dialog and its
    // editor once each: counted by how often each asks for a text of its own.
    void oneRetranslationPerLanguageChange() {
        open_dialog();
        dialog_->buttons_fct_edit_btn_->click();
        class CountingTranslator : public QTranslator {
        public:
            mutable int dialog = 0;
            mutable int editor = 0;
            bool isEmpty() const override { return false; }
            QString translate(const char* context, const char* source, const char*,
                              int) const override {
                const QByteArray text(source);
                if (QByteArray(context) == "VQMotionCtrlPrefBase" && text == "Motions") {
                    ++dialog;
                } else if (QByteArray(context) == "VQMotionCtrlFctEditorBase" && text == "Edit") {
                    ++editor;
                }
                return QString();
            }
        } translator;
        for (int change = 1; change <= 2; ++change) {
            QCoreApplication::installTranslator(&translator);
            QTRY_VERIFY(translator.dialog >= change && translator.editor >= change);
            QTest::qWait(50); // any further round of the same change
            QCOMPARE(translator.dialog, change);
            QCOMPARE(translator.editor, change);
            QCoreApplication::removeTranslator(&translator);
        }
    }

    // The "Edit Functions" button shows the editor made hidden at construction.
    void editFunctionsShowsTheEditor() {
        open_dialog();
        VQMotionCtrlFctEditor* editor = dialog_->findChild<VQMotionCtrlFctEditor*>("sw_fct_editor");
        QVERIFY(editor);
        QVERIFY(editor->isHidden());
        dialog_->buttons_fct_edit_btn_->click();
        QVERIFY(editor->isVisible());
    }
};

QTEST_MAIN(TestMotionPref)
#include "tst_motion_pref.moc"
