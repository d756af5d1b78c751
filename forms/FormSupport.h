#pragma once

// What the module's two forms share: the keyboard focus chain, the
// re-translation on a language change, the warning of a slot that the
// logic class has not overridden, and the dialogs they open.

#include <QString>
#include <initializer_list>

class QEvent;
class QWidget;
class SpaceWarePreferencesManager;

namespace form_support {
// Chains the keyboard focus through the widgets, in order.
void set_tab_chain(std::initializer_list<QWidget*> chain);

// Whether the event tells of a new language: an installed translator then
// re-translates an open form.
bool is_language_change(const QEvent* event);

// Prints "FORM::SLOT: Not implemented yet".
void warn_not_implemented(const char* form, const char* slot);

// What the dialogs ask or tell the user in dialogs of their own; tests
// put in answers of theirs.
class Prompter {
public:
    virtual ~Prompter() = default;
    // QInputDialog::getText with normal echo.
    virtual QString get_text(QWidget* parent, const QString& caption, const QString& label,
                             const QString& text, bool* ok);
    virtual void warn(QWidget* parent, const QString& caption, const QString& text);
};
Prompter& prompter();
// Null brings back the dialogs; the prompter stays the caller's.
void set_prompter(Prompter* replacement);

// Tells the user that the manager's last save failed, naming the file and
// the reason; the dialog's values stay as they are.
void tell_save_failed(QWidget* parent, const SpaceWarePreferencesManager& manager);
} // namespace form_support
