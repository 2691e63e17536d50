// SimpleMaterial has no behaviour of its own yet; this file keeps the class's
// source next to its header for when it gets some.
#include "resources/SimpleMaterial.h"
