#pragma once

// Reading STL files, binary and ASCII.

#include <QString>
#include <optional>

#include "Model.h"
#include "tarvik_view_export.h"

// The model an STL file holds, named after the file; nothing, with the
// reason in `error`, for a file that cannot be read, is not STL, is cut
// short, holds no triangle or holds a coordinate that is not a number.
TARVIK_VIEW_EXPORT std::optional<Model> read_stl(const QString& path, QString& error);
