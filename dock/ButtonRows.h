#pragma once

// While the settings' Buttons tab is shown, pressing a device button brings
// that button's row into view and gives its combo the keyboard focus, so
// that the next choice binds the button just pressed. The settings pane may
// be in the main window or a window of its own.
void bring_button_row_forward(int number);
