// SimpleMaterial: the one kind of material, a skeleton like its base: no data
// of its own and the two material operations still left to a kind that fills
// them in.
#pragma once

#include "resources/Material.h"

namespace Quorvel {

class SimpleMaterial : public Material {
public:
    SimpleMaterial() = default;
    ~SimpleMaterial() override = default;
};

} // namespace Quorvel
