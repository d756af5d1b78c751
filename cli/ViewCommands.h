#pragma once

// What the interpreter asks of a graphic view; a view implements it, and
// tests put a recording double in its place.

#include <QPointF>

#include "StandardViews.h"
#include "tarvik_cli_export.h"

class TARVIK_CLI_EXPORT ViewCommands {
public:
    virtual ~ViewCommands();

    // Shows the whole model, from where the view looks now.
    virtual void fit_all() = 0;
    // Looks along a standard direction, the model whole.
    virtual void show_view(StandardView view) = 0;
    // The isometric view in perspective, the model whole.
    virtual void reset_view() = 0;
    virtual void toggle_projection() = 0;
    // Shows the model `factor` times larger.
    virtual void zoom(float factor) = 0;
    // Turns the model about a view axis (0 x, 1 y, 2 z) through the target.
    virtual void turn(int view_axis, float degrees) = 0;
    // Moves the model by pixels: right and down are positive.
    virtual void pan(const QPointF& pixels) = 0;
    // The next turns go about the model's point under the pointer; false
    // when there is none there (they go about the model's centre).
    virtual bool centre_on_cursor() = 0;
};
