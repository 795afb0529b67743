#include "app/footprint.h"

#include <malloc.h>

bool returnFreeHeap()
{
    return malloc_trim(0) != 0;
}
