#pragma once

#include "kestrava_gui_export.h"

// The module's initialisation: its first construction registers the
// "Kestrava" workflow and the builders of its three areas with the host.
class KESTRAVA_GUI_EXPORT Kestravagui_init {
public:
    Kestravagui_init();
    ~Kestravagui_init();
    Kestravagui_init& operator=(const Kestravagui_init& other);

    static void initialize();
    static void terminate();

private:
    static void initialize_internal();
    static void terminate_internal();

    static int count_;
};
