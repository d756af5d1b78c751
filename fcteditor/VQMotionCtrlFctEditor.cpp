#include "fcteditor/VQMotionCtrlFctEditor.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTextDocument>
#include <QTextEdit>

#include "Kestrava_spaceWare.h"
#include "forms/FormSupport.h"

namespace {
const char* const new_function_caption = "Create new function";
} // namespace

// ---------------------------------------------------------------- construction

VQMotionCtrlFctEditor::VQMotionCtrlFctEditor(SpaceWarePreferencesManager* manager, QWidget* parent,
                                             const char* name, unsigned int fl)
    : VQMotionCtrlFctEditorBase(parent, name, fl != 0, Qt::WindowFlags())
    , manager_(manager)
    , name_validator_(new QRegularExpressionValidator(this))
    , new_fct_(false) {
    fcts_text_edit_->installEventFilter(new EditTextKeyPressFilter(this));
    additionnalLanguageChange();
}

VQMotionCtrlFctEditor::~VQMotionCtrlFctEditor() = default;

void VQMotionCtrlFctEditor::languageChange() {
    VQMotionCtrlFctEditorBase::languageChange();
    additionnalLanguageChange();
}

void VQMotionCtrlFctEditor::additionnalLanguageChange() {
    // Unicode properties make \S refuse every white space Latin-1 holds (the
    // no-break space and next-line too), as the manager does.
    name_validator_->setRegularExpression(QRegularExpression(
        QStringLiteral("^[a-zA-Z]\\S*$"), QRegularExpression::UseUnicodePropertiesOption));
    // In the middle of an edition only the texts change: showing the stored
    // definition and the browse buttons would drop what the user typed and
    // leave an editable text that nothing can validate.
    if (!fcts_text_edit_->isReadOnly()) {
        return;
    }
    fcts_combo_->setEnabled(true);
    fcts_add_btn_->setEnabled(true);
    fct_selected(current_index());
    fcts_edit_btn_->setDefault(true);
    fcts_valid_btn_->setEnabled(false);
    cancel_edit_btn_->setEnabled(false);
    fcts_check_btn_->hide();
}

int VQMotionCtrlFctEditor::current_index() const {
    return fcts_combo_->count() == 0 ? -1 : fcts_combo_->currentIndex();
}

// ---------------------------------------------------------------- states

void VQMotionCtrlFctEditor::begin_edition() {
    fcts_add_btn_->setEnabled(false);
    fcts_remove_btn_->setEnabled(false);
    fcts_edit_btn_->setEnabled(false);
    fcts_edit_btn_->setDefault(false);
    fcts_valid_btn_->setEnabled(true);
    fcts_valid_btn_->setDefault(true);
    cancel_edit_btn_->setEnabled(true);
    fcts_combo_->setEnabled(false);
    fcts_text_edit_->setReadOnly(false);
    fcts_text_edit_->setFocus();
    // The user goes on from the end of the definition.
    fcts_text_edit_->moveCursor(QTextCursor::End);
}

void VQMotionCtrlFctEditor::end_edition() {
    fcts_text_edit_->setReadOnly(true);
    fcts_combo_->setEnabled(true);
    const bool has_current = current_index() >= 0;
    fcts_add_btn_->setEnabled(true);
    fcts_remove_btn_->setEnabled(has_current);
    fcts_edit_btn_->setEnabled(has_current);
    fcts_edit_btn_->setDefault(true);
    fcts_valid_btn_->setEnabled(false);
    fcts_valid_btn_->setDefault(false);
    cancel_edit_btn_->setEnabled(false);
    new_fct_ = false;
}

// ---------------------------------------------------------------- browsing

void VQMotionCtrlFctEditor::fct_selected(int index) {
    if (index >= 0) {
        CopyCString name;
        host_string_of(fcts_combo_->itemText(index), name);
        fcts_text_edit_->setPlainText(qstring_of(manager_->get_function_definition(name)));
    } else {
        fcts_text_edit_->clear();
    }
    fcts_remove_btn_->setEnabled(index >= 0);
    fcts_edit_btn_->setEnabled(index >= 0);
}

void VQMotionCtrlFctEditor::update_fct_list(const QStringList& names) {
    const QString remembered = fcts_combo_->currentText();
    const int remembered_index = current_index();
    const bool editing = !fcts_text_edit_->isReadOnly();
    QStringList entries = names;
    if (editing && remembered_index >= 0 && !entries.contains(remembered)) {
        // The name under edition may not be stored, not yet or no longer:
        // the refresh must not drop it from under the edition.
        entries.append(remembered);
    }
    fcts_combo_->clear();
    fcts_combo_->addItems(entries);
    int index = entries.indexOf(remembered);
    if (index < 0 && !entries.isEmpty()) {
        index = qBound(0, remembered_index - 1, static_cast<int>(entries.size()) - 1);
    }
    fcts_combo_->setCurrentIndex(index);
    if (!editing) {
        // An edition keeps what the user typed and its buttons.
        fct_selected(index);
    }
}

void VQMotionCtrlFctEditor::remove_fct() {
    CopyCString name;
    if (host_string_of(fcts_combo_->currentText(), name) &&
        !manager_->remove_custom_function(name)) {
        form_support::tell_save_failed(this, *manager_);
    }
}

void VQMotionCtrlFctEditor::check_fct() {}

// ---------------------------------------------------------------- editing

void VQMotionCtrlFctEditor::add_fct() {
    QString name;
    if (!ask_new_name(name)) {
        return;
    }
    fcts_combo_->addItem(name);
    fcts_combo_->setCurrentIndex(fcts_combo_->count() - 1);
    fcts_text_edit_->clear();
    new_fct_ = true;
    edit_fct();
}

bool VQMotionCtrlFctEditor::ask_new_name(QString& name) {
    const QString caption = QString::fromLatin1(new_function_caption);
    bool ok = false;
    name = form_support::prompter().get_text(
        this, caption, QStringLiteral("Enter a function name:"), QString(), &ok);
    while (ok) {
        if (!is_acceptable_name(name)) {
            name = form_support::prompter().get_text(
                this, caption, QStringLiteral("Invalid function name. Please, enter another one:"),
                name, &ok);
        } else if (is_stored_name(name)) {
            name = form_support::prompter().get_text(
                this, caption,
                QStringLiteral("Function name already used. Please, enter another one:"), name,
                &ok);
        } else {
            return true;
        }
    }
    return false;
}

// The pattern, and text that the host's 8-bit strings can hold.
bool VQMotionCtrlFctEditor::is_acceptable_name(const QString& name) const {
    QString checked = name;
    int position = 0;
    CopyCString host;
    return name_validator_->validate(checked, position) == QValidator::Acceptable &&
           host_string_of(name, host);
}

bool VQMotionCtrlFctEditor::is_stored_name(const QString& name) const {
    CopyCString host;
    host_string_of(name, host);
    for (FunctionNameIterator it = manager_->function_name_iterator(); it.more(); it.next()) {
        if (it.key() == host) {
            return true;
        }
    }
    return false;
}

void VQMotionCtrlFctEditor::edit_fct() {
    begin_edition();
}

// The text area's text exactly as typed: unlike toPlainText(), a no-break
// space stays one; paragraph and line separators become line feeds.
QString VQMotionCtrlFctEditor::typed_definition() const {
    QString text = fcts_text_edit_->document()->toRawText();
    for (QChar& c : text) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
            c = u'\n';
        }
    }
    return text;
}

void VQMotionCtrlFctEditor::validate_fct() {
    CopyCString definition;
    if (!host_string_of(typed_definition(), definition)) {
        // Storing would turn those characters into '?': keep the edition open.
        form_support::prompter().warn(
            this, windowTitle(),
            tr("The definition holds characters that cannot be stored. Only Latin-1 "
               "characters can be: please replace the others."));
        return;
    }
    if (definition.length() > SpaceWarePreferencesManager::longest_definition) {
        form_support::prompter().warn(
            this, windowTitle(),
            tr("The definition is %1 characters long; at most %2 can be stored: please "
               "shorten it.")
                .arg(definition.length())
                .arg(SpaceWarePreferencesManager::longest_definition));
        return;
    }
    end_edition();
    CopyCString name;
    if (current_index() < 0 || !host_string_of(fcts_combo_->currentText(), name)) {
        return; // nothing to store it under
    }
    if (!manager_->add_or_edit_custom_function(name, definition)) {
        form_support::tell_save_failed(this, *manager_);
    }
}

void VQMotionCtrlFctEditor::cancel_edition() {
    if (new_fct_) {
        fcts_combo_->removeItem(fcts_combo_->currentIndex());
    }
    end_edition();
    fct_selected(current_index());
}

// A parent re-translates its editor through languageChange(), as the
// settings dialog does; following the event too would re-translate it
// once more for every road the event takes to a child window.
void VQMotionCtrlFctEditor::changeEvent(QEvent* event) {
    if (form_support::is_language_change(event) && parentWidget()) {
        QDialog::changeEvent(event);
        return;
    }
    VQMotionCtrlFctEditorBase::changeEvent(event);
}

void VQMotionCtrlFctEditor::closeEvent(QCloseEvent* event) {
    if (!fcts_text_edit_->isReadOnly()) {
        cancel_edition();
    }
    VQMotionCtrlFctEditorBase::closeEvent(event);
}

// ---------------------------------------------------------------- keys

VQMotionCtrlFctEditor::EditTextKeyPressFilter::EditTextKeyPressFilter(VQMotionCtrlFctEditor* editor)
    : QObject(editor)
    , editor_(editor) {}

VQMotionCtrlFctEditor::EditTextKeyPressFilter::~EditTextKeyPressFilter() = default;

bool VQMotionCtrlFctEditor::EditTextKeyPressFilter::eventFilter(QObject*, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape) {
        editor_->cancel_edition();
        return true;
    }
    const bool is_return = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (is_return && key->modifiers() != Qt::ShiftModifier) {
        editor_->validate_fct();
        return true;
    }
    return false;
}
