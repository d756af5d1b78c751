#include "fcteditor/VQMotionCtrlFctEditorBase.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QPushButton>
#include <QTextEdit>

#include "MimeSourceFactory.h"
#include "forms/FormSupport.h"

VQMotionCtrlFctEditorBase::VQMotionCtrlFctEditorBase(QWidget* parent, const char* name, bool modal,
                                                     Qt::WindowFlags fl)
    : QDialog(parent, fl) {
    // The caller's flag is honoured, then overridden below: the editor is
    // always modeless, so the settings stay usable beside it.
    setModal(modal);
    setObjectName(QString::fromLatin1(name ? name : "VQMotionCtrlFctEditorBase"));
    setWindowIcon(pixmapFromMimeSource(QStringLiteral("Kestrava.png")));
    setModal(false);
    create_widgets();
    VQMotionCtrlFctEditorBase::languageChange();
    resize(QSize(368, 154).expandedTo(minimumSizeHint()));
    connect_widgets();
    set_tab_order();
}

VQMotionCtrlFctEditorBase::~VQMotionCtrlFctEditorBase() = default;

void VQMotionCtrlFctEditorBase::create_widgets() {
    VQMotionCtrlFctEditorBaseLayout = new QGridLayout(this);
    VQMotionCtrlFctEditorBaseLayout->setObjectName(
        QStringLiteral("VQMotionCtrlFctEditorBaseLayout"));
    VQMotionCtrlFctEditorBaseLayout->setContentsMargins(11, 11, 11, 11);
    VQMotionCtrlFctEditorBaseLayout->setSpacing(6);
    const auto button = [this](const char* name, int row, int column) {
        auto* created = new QPushButton(this);
        created->setObjectName(QString::fromLatin1(name));
        VQMotionCtrlFctEditorBaseLayout->addWidget(created, row, column);
        return created;
    };

    fcts_combo_ = new QComboBox(this);
    fcts_combo_->setObjectName(QStringLiteral("fcts_combo_"));
    fcts_combo_->setEditable(false);
    fcts_combo_->setDuplicatesEnabled(false);
    VQMotionCtrlFctEditorBaseLayout->addWidget(fcts_combo_, 0, 0, 1, 2);
    fcts_edit_btn_ = button("fcts_edit_btn_", 2, 0);
    fcts_check_btn_ = button("fcts_check_btn_", 2, 1);
    fcts_valid_btn_ = button("fcts_valid_btn_", 2, 2);
    cancel_edit_btn_ = button("cancel_edit_btn_", 2, 3);
    fcts_add_btn_ = button("fcts_add_btn_", 0, 2);
    fcts_remove_btn_ = button("fcts_remove_btn_", 0, 3);
    fcts_text_edit_ = new QTextEdit(this);
    fcts_text_edit_->setObjectName(QStringLiteral("fcts_text_edit_"));
    fcts_text_edit_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    fcts_text_edit_->setReadOnly(true);
    fcts_text_edit_->setAutoFormatting(QTextEdit::AutoAll);
    fcts_text_edit_->setAcceptRichText(false);
    VQMotionCtrlFctEditorBaseLayout->addWidget(fcts_text_edit_, 1, 0, 1, 4);
}

void VQMotionCtrlFctEditorBase::connect_widgets() {
    connect(fcts_combo_, &QComboBox::activated, this, &VQMotionCtrlFctEditorBase::fct_selected);
    connect(fcts_add_btn_, &QPushButton::clicked, this, &VQMotionCtrlFctEditorBase::add_fct);
    connect(fcts_remove_btn_, &QPushButton::clicked, this, &VQMotionCtrlFctEditorBase::remove_fct);
    connect(fcts_edit_btn_, &QPushButton::clicked, this, &VQMotionCtrlFctEditorBase::edit_fct);
    connect(fcts_check_btn_, &QPushButton::clicked, this, &VQMotionCtrlFctEditorBase::check_fct);
    connect(fcts_valid_btn_, &QPushButton::clicked, this, &VQMotionCtrlFctEditorBase::validate_fct);
    connect(cancel_edit_btn_, &QPushButton::clicked, this,
            &VQMotionCtrlFctEditorBase::cancel_edition);
}

// The Cancel button stays out of the chain.
void VQMotionCtrlFctEditorBase::set_tab_order() {
    form_support::set_tab_chain({fcts_combo_, fcts_add_btn_, fcts_remove_btn_, fcts_text_edit_,
                                 fcts_edit_btn_, fcts_check_btn_, fcts_valid_btn_});
}

void VQMotionCtrlFctEditorBase::changeEvent(QEvent* event) {
    if (form_support::is_language_change(event)) {
        languageChange();
    }
    QDialog::changeEvent(event);
}

// The texts stay exactly as they are, trailing blanks, the double blank and
// "select"/"syntaxe" included: they are the keys of existing translations.
void VQMotionCtrlFctEditorBase::languageChange() {
    setWindowTitle(tr("Kestrava Function Editor"));
    fcts_edit_btn_->setText(tr("Edit"));
    fcts_edit_btn_->setToolTip(tr("Edit the current select function. "));
    fcts_check_btn_->setText(tr("Check"));
    fcts_check_btn_->setToolTip(tr("Check the syntaxe of the current CLI command"));
    fcts_valid_btn_->setText(tr("Validate"));
    fcts_valid_btn_->setToolTip(tr("Validate and save the  new function. "));
    cancel_edit_btn_->setText(tr("Cancel"));
    cancel_edit_btn_->setToolTip(tr("Cancel the current edition"));
    fcts_add_btn_->setText(tr("Add"));
    fcts_add_btn_->setToolTip(tr("Add a new function. "));
    fcts_remove_btn_->setText(tr("Remove"));
    fcts_remove_btn_->setToolTip(tr("Remove the selected function. "));
    fcts_text_edit_->setToolTip(QString());
}

void VQMotionCtrlFctEditorBase::add_fct() {
    form_support::warn_not_implemented("VQMotionCtrlFctEditorBase", "add_fct()");
}

void VQMotionCtrlFctEditorBase::remove_fct() {
    form_support::warn_not_implemented("VQMotionCtrlFctEditorBase", "remove_fct()");
}

void VQMotionCtrlFctEditorBase::edit_fct() {
    form_support::warn_not_implemented("VQMotionCtrlFctEditorBase", "edit_fct()");
}

void VQMotionCtrlFctEditorBase::check_fct() {
    form_support::warn_not_implemented("VQMotionCtrlFctEditorBase", "check_fct()");
}

void VQMotionCtrlFctEditorBase::validate_fct() {
    form_support::warn_not_implemented("VQMotionCtrlFctEditorBase", "validate_fct()");
}

void VQMotionCtrlFctEditorBase::fct_selected(int) {
    form_support::warn_not_implemented("VQMotionCtrlFctEditorBase", "fct_selected(int)");
}

void VQMotionCtrlFctEditorBase::cancel_edition() {
    form_support::warn_not_implemented("VQMotionCtrlFctEditorBase", "cancel_edition()");
}
