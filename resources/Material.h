// Material: the resource class reserved for surface descriptions. A skeleton:
// it adds no data to Resource, its two material operations are left to the
// kinds that will fill them in, and load only consults the material cache
// (nothing adds to it yet). Meshes bind their textures directly.
#pragma once

#include "core/String.h"
#include "resources/Resource.h"

namespace Quorvel {

class Material : public Resource {
public:
    Material() = default;
    ~Material() override = default;

    // Makes the material current for the following drawing.
    virtual bool bind() = 0;
    // Undoes what bind changed.
    virtual void unbind() = 0;

    // The cached material of that name, or null. Reads no file and adds
    // nothing to the cache, which is created empty on the first call.
    static Material* load(const String& name);
};

} // namespace Quorvel
