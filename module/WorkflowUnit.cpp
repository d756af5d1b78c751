// The workflow classes' unit of static objects.

#include "LibraryInitHead.h"
#include "LibraryInitTail.h"
