#pragma once

// What the module's two forms share: the keyboard focus chain, the
// re-translation on a language change and the warning of a slot that the
// logic class has not overridden.

#include <initializer_list>

class QEvent;
class QWidget;

namespace form_support {
// Chains the keyboard focus through the widgets, in order.
void set_tab_chain(std::initializer_list<QWidget*> chain);

// Whether the event tells of a new language: an installed translator then
// re-translates an open form.
bool is_language_change(const QEvent* event);

// Prints "FORM::SLOT: Not implemented yet".
void warn_not_implemented(const char* form, const char* slot);
} // namespace form_support
