// The custom function editor, driven as a user would, against a real manager.

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QTranslator>
#include <deque>
#include <memory>

#include "FreshSettings.h"
#include "Kestrava_spaceWare.h"
#include "ScopedSeam.h"
#include "TestSupport.h"
#include "fcteditor/VQMotionCtrlFctEditor.h"
#include "forms/FormSupport.h"

namespace {
// Answers the editor's prompts from a script and records what was asked.
class ScriptedPrompter : public form_support::Prompter {
public:
    struct Answer {
        QString text;
        bool ok;
    };
    std::deque<Answer> answers;
    QStringList asked; // "label|initial text"
    QStringList warnings;

    QString get_text(QWidget*, const QString& caption, const QString& label, const QString& text,
                     bool* ok) override {
        asked << label + '|' + text;
        if (caption != QLatin1String("Create new function") || answers.empty()) {
            *ok = false;
            return QString();
        }
        const Answer answer = answers.front();
        answers.pop_front();
        *ok = answer.ok;
        return answer.text;
    }
    void warn(QWidget*, const QString&, const QString& text) override { warnings << text; }
};

// Feeds the editor the sorted custom names whenever the manager changes
// them, as the settings dialog does.
class ListFeeder : public ValueObserver {
public:
    explicit ListFeeder(VQMotionCtrlFctEditor* editor)
        : editor_(editor) {}
    void update(Value* value) override {
        QStringList names = QString::fromLatin1(static_cast<StringValue*>(value)->get().c_str())
                                .split(' ', Qt::SkipEmptyParts);
        names.sort();
        editor_->update_fct_list(names);
    }

private:
    VQMotionCtrlFctEditor* editor_;
};

// The enabled buttons, "*" marking the default one, and the text area's mode.
QString state_of(const VQMotionCtrlFctEditor& editor) {
    QStringList parts;
    for (const QPushButton* button :
         {editor.fcts_add_btn_, editor.fcts_remove_btn_, editor.fcts_edit_btn_,
          editor.fcts_valid_btn_, editor.cancel_edit_btn_}) {
        if (button->isEnabled()) {
            parts << button->text() + (button->isDefault() ? "*" : "");
        }
    }
    parts << (editor.fcts_combo_->isEnabled() ? "combo" : "no combo")
          << (editor.fcts_text_edit_->isReadOnly() ? "browse" : "edit");
    return parts.join(' ');
}

const QString browse_with_entry = QStringLiteral("Add Remove Edit* combo browse");
const QString browse_empty = QStringLiteral("Add combo browse");
const QString editing = QStringLiteral("Validate* Cancel no combo edit");
} // namespace

class TestFctEditor : public QObject {
    Q_OBJECT
    FreshSettings fresh_;
    std::unique_ptr<SpaceWarePreferencesManager> manager_;
    std::unique_ptr<VQMotionCtrlFctEditor> editor_;
    SmartResource<ValueObserver> feeder_;
    ScriptedPrompter prompter_;
    // After the prompter: it goes first.
    const ScopedSeam<form_support::Prompter*> prompter_seam_{&form_support::set_prompter,
                                                             &prompter_};

    QString definition(const char* name) const {
        return QString::fromLatin1(manager_->get_function_definition(name).c_str());
    }
    QString custom_names() const {
        return QString::fromLatin1(manager_->custom_function_names()->get().c_str());
    }
    QStringList listed() const {
        QStringList names;
        for (int i = 0; i < editor_->fcts_combo_->count(); ++i) {
            names << editor_->fcts_combo_->itemText(i);
        }
        return names;
    }
    void pick(const QString& name) { choose(editor_->fcts_combo_, name); }
    // As a user's click, without the focus change that would make the
    // clicked button the dialog's default one while it has the focus.
    void click(QPushButton* button) {
        QVERIFY(button->isEnabled());
        button->click();
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(editor_->fcts_text_edit_, k, modifiers);
    }

private slots:
    void init() {
        prompter_ = ScriptedPrompter();
        fresh_.next_case();
        manager_ = fresh_.make_manager(2);
        manager_->add_or_edit_custom_function("beta", "echo beta");
        manager_->add_or_edit_custom_function("alpha", "echo alpha");
        manager_->add_or_edit_custom_function("Zed", "echo zed");
        editor_ = std::make_unique<VQMotionCtrlFctEditor>(manager_.get(), nullptr, "editor", 1);
        feeder_ = SmartResource<ValueObserver>(new ListFeeder(editor_.get()));
        manager_->custom_function_names()->attach(feeder_.get());
        manager_->custom_function_names()->notify(nullptr);
        editor_->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor_.get()));
    }
    void cleanup() {
        feeder_ = SmartResource<ValueObserver>();
        editor_.reset();
        manager_.reset();
    }

    // Browsing: the sorted list, upper case first; picking shows the stored
    // definition; a refresh keeps the current name current.
    void browsing() {
        QCOMPARE(editor_->objectName(), QStringLiteral("editor"));
        QVERIFY(!editor_->isModal());
        QCOMPARE(listed(), (QStringList{"Zed", "alpha", "beta"}));
        QCOMPARE(state_of(*editor_), browse_with_entry);
        QVERIFY(editor_->fcts_check_btn_->isHidden());
        pick(QStringLiteral("beta"));
        QCOMPARE(editor_->fcts_text_edit_->toPlainText(), QStringLiteral("echo beta"));
        manager_->add_or_edit_custom_function("aardvark", "x");
        QCOMPARE(listed(), (QStringList{"Zed", "aardvark", "alpha", "beta"}));
        QCOMPARE(editor_->fcts_combo_->currentText(), QStringLiteral("beta"));
        save_screenshot(editor_.get(), QStringLiteral("fct_editor_browse.png"));
    }

    // Edit, change, validate: stored under the current name. Edit, change,
    // cancel: the stored text comes back and nothing is written.
    void editValidateAndCancel() {
        pick(QStringLiteral("alpha"));
        click(editor_->fcts_edit_btn_);
        QCOMPARE(state_of(*editor_), editing);
        QVERIFY(editor_->fcts_text_edit_->hasFocus());
        QTest::keyClicks(editor_->fcts_text_edit_, " --all");
        save_screenshot(editor_.get(), QStringLiteral("fct_editor_edit.png"));
        click(editor_->fcts_valid_btn_);
        QCOMPARE(state_of(*editor_), browse_with_entry);
        QCOMPARE(definition("alpha"), QStringLiteral("echo alpha --all"));

        click(editor_->fcts_edit_btn_);
        QTest::keyClicks(editor_->fcts_text_edit_, " lost");
        click(editor_->cancel_edit_btn_);
        QCOMPARE(state_of(*editor_), browse_with_entry);
        QCOMPARE(editor_->fcts_text_edit_->toPlainText(), QStringLiteral("echo alpha --all"));
        QCOMPARE(definition("alpha"), QStringLiteral("echo alpha --all"));
    }

    // The name prompts: every bad name is asked again, starting from it; a
    // taken name is asked again and the new answer checked from the pattern
    // on; the accepted name is added at the end, current, in an edition.
    void addAsksUntilANameIsAcceptable() {
        prompter_.answers = {{"", true},        {"1abc", true},     {"_x", true},
                             {"a b", true},     {"a\u00a0b", true}, {"a\u0085b", true},
                             {"a\u20ac", true}, {"alpha", true},    {"Fit_All", true},
                             {"", true},        {"gamma", true}};
        pick(QStringLiteral("beta"));
        click(editor_->fcts_add_btn_);
        const QString invalid =
            QStringLiteral("Invalid function name. Please, enter another one:|");
        const QString used =
            QStringLiteral("Function name already used. Please, enter another one:|");
        QCOMPARE(prompter_.asked,
                 (QStringList{"Enter a function name:|", invalid, invalid + "1abc", invalid + "_x",
                              invalid + "a b", invalid + "a\u00a0b", invalid + "a\u0085b",
                              invalid + "a\u20ac", used + "alpha", used + "Fit_All", invalid}));
        QCOMPARE(listed(), (QStringList{"Zed", "alpha", "beta", "gamma"}));
        QCOMPARE(editor_->fcts_combo_->currentIndex(), 3);
        QVERIFY(editor_->fcts_text_edit_->toPlainText().isEmpty());
        QCOMPARE(state_of(*editor_), editing);
        QVERIFY(editor_->fcts_text_edit_->hasFocus());
        QCOMPARE(custom_names(), QStringLiteral("Zed alpha beta")); // nothing stored yet

        QTest::keyClicks(editor_->fcts_text_edit_, "echo gamma");
        click(editor_->fcts_valid_btn_);
        QCOMPARE(definition("gamma"), QStringLiteral("echo gamma"));
        QCOMPARE(editor_->fcts_combo_->currentText(), QStringLiteral("gamma"));
        QCOMPARE(state_of(*editor_), browse_with_entry);
    }

    // A stored name the pattern refuses (the manager takes "_tmp") is
    // answered with the invalid-name prompt: the pattern comes first.
    void patternBeforeStoredNames() {
        manager_->add_or_edit_custom_function("_tmp", "echo tmp");
        prompter_.answers = {{"_tmp", true}, {"", false}};
        click(editor_->fcts_add_btn_);
        QCOMPARE(prompter_.asked.value(1),
                 QStringLiteral("Invalid function name. Please, enter another one:|_tmp"));
    }

    // Cancelling at any prompt, or the edition after an accepted name,
    // leaves everything as it was and writes nothing.
    void cancelledAdditionsLeaveNoTrace() {
        pick(QStringLiteral("beta"));
        const QList<std::deque<ScriptedPrompter::Answer>> scripts{
            {{"", false}},
            {{"9", true}, {"", false}},
            {{"beta", true}, {"", false}},
        };
        for (const auto& script : scripts) {
            prompter_.answers = script;
            click(editor_->fcts_add_btn_);
            QCOMPARE(listed(), (QStringList{"Zed", "alpha", "beta"}));
            QCOMPARE(editor_->fcts_combo_->currentText(), QStringLiteral("beta"));
            QCOMPARE(state_of(*editor_), browse_with_entry);
        }
        prompter_.answers = {{"delta", true}};
        click(editor_->fcts_add_btn_);
        QTest::keyClicks(editor_->fcts_text_edit_, "never stored");
        click(editor_->cancel_edit_btn_);
        QCOMPARE(listed(), (QStringList{"Zed", "alpha", "beta"}));
        QCOMPARE(editor_->fcts_text_edit_->toPlainText(), QStringLiteral("echo beta"));
        QCOMPARE(custom_names(), QStringLiteral("Zed alpha beta"));
        QVERIFY(manager_->get_function_definition("delta").is_empty());
    }

    // Removing makes the entry before current, also from the middle where
    // the one after would differ, or the first; the last removal leaves an
    // empty list with Remove and Edit disabled.
    void removeMovesToThePreviousEntry() {
        pick(QStringLiteral("alpha"));
        click(editor_->fcts_remove_btn_);
        QCOMPARE(listed(), (QStringList{"Zed", "beta"}));
        QCOMPARE(editor_->fcts_combo_->currentText(), QStringLiteral("Zed"));
        QCOMPARE(editor_->fcts_text_edit_->toPlainText(), QStringLiteral("echo zed"));
        manager_->add_or_edit_custom_function("alpha", "echo alpha");

        pick(QStringLiteral("beta"));
        click(editor_->fcts_remove_btn_);
        QCOMPARE(listed(), (QStringList{"Zed", "alpha"}));
        QCOMPARE(editor_->fcts_combo_->currentText(), QStringLiteral("alpha"));
        QCOMPARE(editor_->fcts_text_edit_->toPlainText(), QStringLiteral("echo alpha"));
        pick(QStringLiteral("Zed"));
        click(editor_->fcts_remove_btn_);
        QCOMPARE(editor_->fcts_combo_->currentText(), QStringLiteral("alpha"));
        click(editor_->fcts_remove_btn_);
        QVERIFY(listed().isEmpty());
        QVERIFY(editor_->fcts_text_edit_->toPlainText().isEmpty());
        QCOMPARE(state_of(*editor_), browse_empty);
        QCOMPARE(custom_names(), QString());

        // Return with nothing listed stores no function without a name.
        key(Qt::Key_Return);
        QCOMPARE(custom_names(), QString());
        QVERIFY(manager_->get_function_definition("").is_empty());
    }

    // Escape cancels and Return validates, unless Shift alone is held:
    // Shift+Return is a new line; Ctrl+Return and Shift+keypad Enter validate.
    void keysInTheTextArea() {
        pick(QStringLiteral("alpha"));
        click(editor_->fcts_edit_btn_);
        QTest::keyClicks(editor_->fcts_text_edit_, "x");
        key(Qt::Key_Escape);
        QCOMPARE(state_of(*editor_), browse_with_entry);
        QCOMPARE(editor_->fcts_text_edit_->toPlainText(), QStringLiteral("echo alpha"));

        click(editor_->fcts_edit_btn_);
        key(Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(editor_->fcts_text_edit_, "second");
        QCOMPARE(state_of(*editor_), editing);
        key(Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(state_of(*editor_), browse_with_entry);
        QCOMPARE(definition("alpha"), QStringLiteral("echo alpha\nsecond"));

        click(editor_->fcts_edit_btn_);
        key(Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier);
        QCOMPARE(state_of(*editor_), browse_with_entry);

        // In the browse state: Return stores the shown text again, Escape shows
        // the stored one again.
        manager_->add_or_edit_custom_function("alpha", "changed elsewhere");
        key(Qt::Key_Escape);
        QCOMPARE(editor_->fcts_text_edit_->toPlainText(), QStringLiteral("changed elsewhere"));
        key(Qt::Key_Return);
        QCOMPARE(definition("alpha"), QStringLiteral("changed elsewhere"));
    }

    // Closing the window during an edition cancels it before hiding.
    void closingDuringAnEdition() {
        prompter_.answers = {{"omega", true}};
        click(editor_->fcts_add_btn_);
        editor_->close();
        QVERIFY(editor_->isHidden());
        QCOMPARE(state_of(*editor_), browse_with_entry);
        QCOMPARE(listed(), (QStringList{"Zed", "alpha", "beta"}));
    }

    // Text the host strings cannot hold is not stored as '?': the edition
    // stays open and the user is told.
    void definitionsOutsideLatin1AreRefused() {
        pick(QStringLiteral("alpha"));
        click(editor_->fcts_edit_btn_);
        for (const QString& typed : {QStringLiteral(" \u20ac"), QStringLiteral(" \u6f22")}) {
            QTest::sendKeyEvent(QTest::Click, editor_->fcts_text_edit_, Qt::Key_unknown, typed,
                                Qt::NoModifier);
        }
        click(editor_->fcts_valid_btn_);
        QCOMPARE(prompter_.warnings.size(), 1);
        QCOMPARE(state_of(*editor_), editing);
        QCOMPARE(definition("alpha"), QStringLiteral("echo alpha"));
        editor_->fcts_text_edit_->setPlainText(QString::fromUtf8("caf\u00e9"));
        click(editor_->fcts_valid_btn_);
        QCOMPARE(definition("alpha"), QString::fromUtf8("caf\u00e9"));
    }

    // A definition longer than the manager keeps is refused with its length,
    // the edition kept open; one of the longest length is stored.
    void definitionsLongerThanTheLongestAreRefused() {
        pick(QStringLiteral("alpha"));
        click(editor_->fcts_edit_btn_);
        // Words, as a user writes: one 64 KiB word would take the text box
        // seconds to lay out.
        const QString longest = QStringLiteral("echo a ")
                                    .repeated(int(SpaceWarePreferencesManager::longest_definition))
                                    .left(int(SpaceWarePreferencesManager::longest_definition));
        editor_->fcts_text_edit_->setPlainText(longest + u'e');
        click(editor_->fcts_valid_btn_);
        QCOMPARE(prompter_.warnings,
                 QStringList{"The definition is 65537 characters long; at most 65536 can be "
                             "stored: please shorten it."});
        QCOMPARE(state_of(*editor_), editing);
        QCOMPARE(definition("alpha"), QStringLiteral("echo alpha"));
        editor_->fcts_text_edit_->setPlainText(longest);
        click(editor_->fcts_valid_btn_);
        QCOMPARE(definition("alpha"), longest);
    }

    // The real prompter shows what it quotes as it is: a function's name
    // or a file's path is never read as markup.
    void warningsAreShownAsPlainText() {
        form_support::set_prompter(nullptr);
        const QString text = QStringLiteral("<img src=\"/dev/zero\"> <b>bold</b>");
        QString shown;
        Qt::TextFormat format = Qt::AutoText;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            shown = box->text();
            format = box->textFormat();
            box->accept();
        });
        form_support::prompter().warn(nullptr, QStringLiteral("Caption"), text);
        form_support::set_prompter(&prompter_);
        QCOMPARE(shown, text);
        QCOMPARE(format, Qt::PlainText);
    }

    // Validate and Remove save at once; when the file cannot be written the
    // user is told, with the file and the reason.
    void failedSavesAreTold() {
        const QString blocker = fresh_.beside("blocker");
        QFile(blocker).open(QIODevice::WriteOnly);
        auto manager = std::make_unique<SpaceWarePreferencesManager>(blocker + "/p.ini", 2);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot create its folder"));
        manager->add_or_edit_custom_function("kept", "echo kept");
        VQMotionCtrlFctEditor editor(manager.get(), nullptr, "blocked", 0);
        editor.update_fct_list({"kept"});
        editor.fcts_edit_btn_->click();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot create its folder"));
        editor.fcts_valid_btn_->click();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot create its folder"));
        editor.fcts_remove_btn_->click();
        const QString told = QStringLiteral("The settings could not be saved to %1/p.ini: cannot "
                                            "create its folder.")
                                 .arg(blocker);
        QCOMPARE(prompter_.warnings, (QStringList{told, told}));
    }

    // A refresh during an addition keeps the unsaved name being edited, the
    // text typed so far and the edition's buttons.
    void refreshDuringAnAddition() {
        prompter_.answers = {{"pending", true}};
        click(editor_->fcts_add_btn_);
        QTest::keyClicks(editor_->fcts_text_edit_, "kept");
        manager_->add_or_edit_custom_function("other", "x");
        QCOMPARE(editor_->fcts_combo_->currentText(), QStringLiteral("pending"));
        QCOMPARE(editor_->fcts_text_edit_->toPlainText(), QStringLiteral("kept"));
        QCOMPARE(state_of(*editor_), editing);
        click(editor_->fcts_valid_btn_);
        QCOMPARE(definition("pending"), QStringLiteral("kept"));
        QCOMPARE(definition("other"), QStringLiteral("x"));
    }

    // Another part of the program changes the functions while one is being
    // edited: the edition goes on as it was, even when the edited function
    // is removed meanwhile, and Validate stores what was typed.
    void refreshDuringAnEdition() {
        pick(QStringLiteral("alpha"));
        click(editor_->fcts_edit_btn_);
        QTest::keyClicks(editor_->fcts_text_edit_, " more");
        manager_->add_or_edit_custom_function("aaa", "x");
        manager_->remove_custom_function("alpha");
        QCOMPARE(editor_->fcts_combo_->currentText(), QStringLiteral("alpha"));
        QCOMPARE(editor_->fcts_text_edit_->toPlainText(), QStringLiteral("echo alpha more"));
        QCOMPARE(state_of(*editor_), editing);
        click(editor_->fcts_valid_btn_);
        QCOMPARE(definition("alpha"), QStringLiteral("echo alpha more"));
        QCOMPARE(listed(), (QStringList{"Zed", "aaa", "alpha", "beta"}));
        QCOMPARE(editor_->fcts_combo_->currentText(), QStringLiteral("alpha"));
    }

    // A definition comes back byte for byte after Edit and Validate: a
    // no-break space stays one, lines stay lines.
    void definitionsComeBackExactly() {
        for (const char* stored : {"a\xa0"
                                   "b",
                                   "first\nsecond", "\xa0\xa0lead"}) {
            manager_->add_or_edit_custom_function("alpha", stored);
            pick(QStringLiteral("alpha"));
            click(editor_->fcts_edit_btn_);
            click(editor_->fcts_valid_btn_);
            QCOMPARE(QByteArray(manager_->get_function_definition("alpha").c_str()),
                     QByteArray(stored));
        }
    }

    // A language change re-applies the texts and re-arms the browse state,
    // also when a translator is installed while the editor is open.
    void languageChangeRearms() {
        pick(QStringLiteral("beta"));
        editor_->fcts_valid_btn_->setEnabled(true);
        editor_->fcts_check_btn_->show();
        editor_->fcts_edit_btn_->setText(QStringLiteral("?"));
        editor_->fcts_text_edit_->clear();
        editor_->languageChange();
        QCOMPARE(state_of(*editor_), browse_with_entry);
        QVERIFY(editor_->fcts_check_btn_->isHidden());
        QCOMPARE(editor_->fcts_text_edit_->toPlainText(), QStringLiteral("echo beta"));

        class Translator : public QTranslator {
        public:
            bool isEmpty() const override { return false; }
            QString translate(const char* context, const char* source, const char*,
                              int) const override {
                return QByteArray(context) == "VQMotionCtrlFctEditorBase" &&
                               QByteArray(source) == "Edit"
                           ? QStringLiteral("Bearbeiten")
                           : QString();
            }
        } translator;
        QCoreApplication::installTranslator(&translator);
        QTRY_COMPARE(editor_->fcts_edit_btn_->text(), QStringLiteral("Bearbeiten"));
        QCoreApplication::removeTranslator(&translator);
        QTRY_COMPARE(editor_->fcts_edit_btn_->text(), QStringLiteral("Edit"));
    }

    // The real German catalogue, installed in the middle of an addition:
    // the texts change, while the typed text, the new current name and the
    // buttons' states stay; removed, every text is English again.
    void languageChangeKeepsTheEdition() {
        prompter_.answers = {{"gamma", true}};
        click(editor_->fcts_add_btn_);
        QTest::keyClicks(editor_->fcts_text_edit_, "view top");
        const QString english = state_of(*editor_);
        QTranslator german;
        QVERIFY(german.load(QStringLiteral(KESTRAVA_TRANSLATIONS "/tarvik_de.qm")));
        QCoreApplication::installTranslator(&german);
        QTRY_COMPARE(editor_->fcts_valid_btn_->text(), QStringLiteral("Übernehmen"));
        QCOMPARE(editor_->windowTitle(), QStringLiteral("Kestrava-Funktionseditor"));
        QCOMPARE(editor_->fcts_text_edit_->toPlainText(), QStringLiteral("view top"));
        QVERIFY(!editor_->fcts_text_edit_->isReadOnly());
        QCOMPARE(editor_->fcts_combo_->currentText(), QStringLiteral("gamma"));
        QCOMPARE(state_of(*editor_), QStringLiteral("Übernehmen* Abbrechen no combo edit"));
        QCoreApplication::removeTranslator(&german);
        QTRY_COMPARE(editor_->fcts_valid_btn_->text(), QStringLiteral("Validate"));
        QCOMPARE(state_of(*editor_), english);
        click(editor_->fcts_valid_btn_);
        QCOMPARE(definition("gamma"), QStringLiteral("view top"));
    }
};

QTEST_MAIN(TestFctEditor)
#include "tst_fct_editor.moc"
