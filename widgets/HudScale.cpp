#include "widgets/HudScale.h"

#include <cmath>

namespace Quorvel {

float HudScale::forHeight(float screenHeight)
{
    if (!(screenHeight > ReferenceHeight) || !std::isfinite(screenHeight))
        return 1.0f;
    return screenHeight / ReferenceHeight;
}

float HudScale::lineWidth(float scale)
{
    if (!(scale > 1.0f) || !std::isfinite(scale))
        return 1.0f;
    return std::ceil(scale);
}

} // namespace Quorvel
