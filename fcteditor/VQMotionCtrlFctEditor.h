#pragma once

#include <QObject>
#include <QStringList>

#include "fcteditor/VQMotionCtrlFctEditorBase.h"
#include "kestrava_gui_export.h"

class QRegularExpressionValidator;
class SpaceWarePreferencesManager;

// The custom function editor: lists the user's functions, shows, edits,
// adds and removes them through the settings manager. It browses until
// Edit or Add starts an edition, which Validate or Cancel ends.
class KESTRAVA_GUI_EXPORT VQMotionCtrlFctEditor : public VQMotionCtrlFctEditorBase {
    Q_OBJECT
public:
    // `fl` has no effect: the editor is always a modeless dialog.
    VQMotionCtrlFctEditor(SpaceWarePreferencesManager* manager, QWidget* parent = nullptr,
                          const char* name = nullptr, unsigned int fl = 0);
    ~VQMotionCtrlFctEditor() override;

    // Replaces the listed names, keeping the current one current when it is
    // still there, else the one before it. During an edition the name being
    // edited stays listed and current, and the typed text stays.
    void update_fct_list(const QStringList& names);

public slots:
    void languageChange() override;

protected:
    // The form's slots, overridden; only languageChange() is declared again as a slot.
    void add_fct() override;
    void remove_fct() override;
    void edit_fct() override;
    void check_fct() override;
    void validate_fct() override;
    void fct_selected(int index) override;
    void cancel_edition() override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void begin_edition();
    void end_edition();

private:
    // Turns Escape and Return in the text area into Cancel and Validate.
    class KESTRAVA_GUI_NO_EXPORT EditTextKeyPressFilter : public QObject {
    public:
        explicit EditTextKeyPressFilter(VQMotionCtrlFctEditor* editor);
        ~EditTextKeyPressFilter() override;
        bool eventFilter(QObject* watched, QEvent* event) override;

    private:
        VQMotionCtrlFctEditor* editor_;
    };

    void additionnalLanguageChange();
    // Asks for a new name until one is acceptable; false when the user cancels.
    bool ask_new_name(QString& name);
    bool is_acceptable_name(const QString& name) const;
    bool is_stored_name(const QString& name) const;
    int current_index() const;
    QString typed_definition() const;

    SpaceWarePreferencesManager* manager_;
    QRegularExpressionValidator* name_validator_;
    bool new_fct_;
};
