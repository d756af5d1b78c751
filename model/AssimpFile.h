#pragma once

// The mesh formats that STL is not, read through assimp.

#include "ModelFile.h"

ModelReading read_with_assimp(const QString& path, const ReadProgress& progress);
