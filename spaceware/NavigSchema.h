#pragma once

// One row per navigation setting, and the choice strings of each group:
// what the manager and the preferences file need to know of them, in one
// place.

#include "Kestrava_spaceWare.h"

enum class NavigKind {
    choice, // a string of one attribute group
    number, // a number in a range
};

struct NavigSchemaRow {
    NavigAttribute attribute;
    NavigKind kind;
    // The key in the file's navigation group.
    const char* key;
    // A choice: its group and the index of its default in the group.
    AttributeGroup group;
    int default_choice;
    // A number: its range and its default.
    double lowest;
    double highest;
    float default_number;
};

// Row a describes navigation attribute a.
extern const NavigSchemaRow navig_schema[SpaceWarePreferencesManager::navig_count];

// A group's choice string of an index, or the empty string outside the group.
const CString& choice_string(AttributeGroup group, int index);
// The index of a choice string, negative when it is not in the group.
int choice_index(AttributeGroup group, const CString& text);
