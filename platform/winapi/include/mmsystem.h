#pragma once
// The multimedia timer; on these systems it is declared in windows.h.
#include "windows.h"
