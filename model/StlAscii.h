#pragma once

// The ASCII STL reader: every solid of a file, keywords in any case,
// numbers as C's strtod reads them, any line end; a refusal names its line.

#include "ModelFile.h"

class StlStream;

ModelReading read_ascii_stl(StlStream& in);
