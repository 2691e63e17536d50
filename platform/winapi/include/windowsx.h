#pragma once
// Message-cracking helpers; on these systems they all live in windows.h.
#include "windows.h"
