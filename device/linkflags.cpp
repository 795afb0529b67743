#include "device/linkflags.h"

bool deviceReady = false;
bool isEncode = false;
