#pragma once

// The names under which the workflow and its builders are registered and by
// which the template refers to them: one home for each.
namespace kestrava_names {
inline constexpr const char* workflow = "Kestrava";
inline constexpr const char* upper_panel = "KestravaWorkflowUpperPanel";
inline constexpr const char* lower_panel = "KestravaWorkflowLowerPanel";
inline constexpr const char* lower_panel_popup_menu = "KestravaWorkflowLowerPanelPopupMenu";
} // namespace kestrava_names
