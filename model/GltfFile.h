#pragma once

// glTF 2.0 files (.gltf, .glb) through tinygltf: every mesh of the scene,
// placed where its nodes put it. Its buffers are checked before a corner
// or an index is taken from them; pictures are not decoded.

#include "ModelFile.h"

ModelReading read_gltf(const QString& path, const ReadProgress& progress);
