#pragma once

// The standard views, in one table that the camera, the view's caption,
// the interpreter, the built-in functions and the View menu all read.

#include <array>

#include "tarvik_cli_export.h"

enum class StandardView { front, back, left, right, top, bottom, isometric };

struct StandardViewEntry {
    StandardView view;
    // Its command, "view WORD"; the caption shows the word, translated.
    const char* word;
    // The built-in function that shows it.
    const char* function;
    // Its entry in the View menu, translated, and the entry's key.
    const char* label;
    const char* key;
    // The function's name for people, translated in the functions' context.
    const char* title;
};

// In the View menu's order: the usual digits of modelling programs.
TARVIK_CLI_EXPORT extern const std::array<StandardViewEntry, 7> standard_views;

// The entry of a view, whatever the order of the enum or the table.
TARVIK_CLI_EXPORT const StandardViewEntry& standard_view_entry(StandardView view);

// The context in which the words and labels are translated.
inline constexpr const char* standard_view_context = "StandardView";
// The context of the built-in functions' names for people.
inline constexpr const char* function_title_context = "Functions";
