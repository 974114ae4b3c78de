#pragma once

#include "settings/os_version.h"

// Asks Windows which version it is (as it reports itself to this program) and classifies it.
int32_t QueryOsVersionCode();
