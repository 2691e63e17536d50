#pragma once
// Texture: a texture resource loaded by name from a ".glt" file (see
// GltHeader) through the file system, cached for the rest of the run. Code
// that computes its own pixels (the sky) constructs one directly; such
// textures have no name and are not cached.

#include "resources/BasicTexture.h"
#include "resources/GltHeader.h"
#include "resources/Resource.h"

namespace Quorvel {

class Texture : public BasicTexture, public Resource {
public:
    Texture() = default;
    ~Texture() override = default;

    bool reload() override { return false; }
    bool unload() override { return true; }

    // The texture loaded from name + ".glt", from the cache when it was
    // loaded before. On failure writes "Texture id=<name> load failed" to the
    // log and returns null; a failed name is not cached, so a later request
    // reads the file again.
    static Texture* load(const String& name);

    // Reads and checks the named ".glt" file (no extension added) and
    // uploads it as a new texture that the caller owns; null when the file
    // cannot be used. Neither cached nor logged: load does both.
    static Texture* readGlt(const String& fileName);
};

} // namespace Quorvel
