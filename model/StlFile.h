#pragma once

// Reading STL files, binary and ASCII, as mature readers do: keywords in any
// case, every solid of a file, numbers as C's strtod reads them, any line
// end; a binary file told by its size whatever its header says. The file is
// read as a stream, so that what it costs is what the model holds.

#include "ModelFile.h"
#include "tarvik_model_export.h"

class QIODevice;

TARVIK_MODEL_EXPORT ModelReading read_stl(const QString& path, const ReadProgress& progress = {});
// The same from an open device that knows its size; the model has no name.
TARVIK_MODEL_EXPORT ModelReading read_stl(QIODevice& device, const ReadProgress& progress = {});
