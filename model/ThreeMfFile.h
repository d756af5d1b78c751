#pragma once

// 3MF files through lib3mf, the format's own library: every build item,
// each object placed where its item and its components put it.

#include "ModelFile.h"

ModelReading read_3mf(const QString& path, const ReadProgress& progress);
