#pragma once

// STEP and IGES files through OpenCASCADE's XDE readers: every part of an
// assembly where its placements put it, faces in their colours, in
// millimetres. OpenCASCADE is large: the reader loads this library only
// for these files, before its sandbox closes the file system.

#include "ModelFile.h"
#include "tarvik_cad_export.h"

// Loads what the readers take from disk: their controllers and settings.
TARVIK_CAD_EXPORT void prepare_cad_reading();
TARVIK_CAD_EXPORT ModelReading read_cad(const QString& path, const ReadProgress& progress);

// The same under names that dlsym() finds.
extern "C" {
TARVIK_CAD_EXPORT void tarvik_prepare_cad_reading();
TARVIK_CAD_EXPORT void tarvik_read_cad(const QString* path, const ReadProgress* progress,
                                       ModelReading* reading);
}
