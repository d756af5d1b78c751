#pragma once

#include <QDialog>

#include "kestrava_gui_export.h"

class QComboBox;
class QGridLayout;
class QPushButton;
class QTextEdit;

// The form of the custom function editor: widgets, texts and wiring. Its
// slots only warn; the editor's logic overrides them.
class KESTRAVA_GUI_EXPORT VQMotionCtrlFctEditorBase : public QDialog {
    Q_OBJECT
public:
    // Always modeless, whatever `modal` says.
    VQMotionCtrlFctEditorBase(QWidget* parent = nullptr, const char* name = nullptr,
                              bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());
    ~VQMotionCtrlFctEditorBase() override;

    QComboBox* fcts_combo_;
    QPushButton* fcts_edit_btn_;
    QPushButton* fcts_check_btn_;
    QPushButton* fcts_valid_btn_;
    QPushButton* cancel_edit_btn_;
    QPushButton* fcts_add_btn_;
    QPushButton* fcts_remove_btn_;
    QTextEdit* fcts_text_edit_;

protected:
    QGridLayout* VQMotionCtrlFctEditorBaseLayout;

    // An installed translator re-translates the open dialog.
    void changeEvent(QEvent* event) override;

protected slots:
    virtual void languageChange();
    virtual void add_fct();
    virtual void remove_fct();
    virtual void edit_fct();
    virtual void check_fct();
    virtual void validate_fct();
    virtual void fct_selected(int index);
    virtual void cancel_edition();

private:
    void create_widgets();
    void connect_widgets();
    void set_tab_order();
};
