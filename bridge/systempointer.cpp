#include "bridge/systempointer.h"

static std::unique_ptr<SystemPointer> &installed()
{
    static std::unique_ptr<SystemPointer> pointer;
    return pointer;
}

SystemPointer &SystemPointer::instance()
{
    std::unique_ptr<SystemPointer> &pointer = installed();
    if (!pointer)
        pointer = create();
    return *pointer;
}

void SystemPointer::install(std::unique_ptr<SystemPointer> pointer)
{
    installed() = std::move(pointer);
}
