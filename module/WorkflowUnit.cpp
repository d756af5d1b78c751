// The workflow classes' unit of static objects.

#include "module/LibraryInitHead.h"
#include "module/LibraryInitTail.h"
