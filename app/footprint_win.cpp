#include "app/footprint.h"

#include <windows.h>

bool returnFreeHeap()
{
    return SetProcessWorkingSetSize(GetCurrentProcess(), SIZE_T(-1), SIZE_T(-1)) != 0;
}
