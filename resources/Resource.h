#pragma once
// Resource: base of every named object the engine loads from its content
// directory (textures, shaders, shader programs, ...). It carries the name it
// was loaded under and a reference count; each resource class keeps its loaded
// objects in a ResourceCache of its own, searched by exact name.

#include "core/String.h"

#include <cstdint>
#include <vector>

namespace Quorvel {

class Resource {
public:
    Resource();
    virtual ~Resource();

    Resource(const Resource&) = delete;
    Resource& operator=(const Resource&) = delete;

    virtual bool reload(); // reads the resource again; the base cannot: false
    virtual bool unload(); // releases what it holds in the graphics library; the base holds nothing

    // Reference counting only counts: reaching 0 deletes nothing, because
    // resources stay in their caches until the end of the program.
    Resource* acquire();
    Resource* release();
    int32_t getRefCount() const { return refCount; }

    const String& getName() const { return name; } // bare name, no extension
    void setName(const String& newName) { name = newName; }

protected:
    int32_t refCount;
    String name;
    int32_t state;
};

// The loaded resources of one class, in the order they were loaded. The
// cache never deletes or drops an entry: a resource, once loaded, is reused
// for every later request of its name until the program ends.
template <class T>
class ResourceCache {
public:
    // First entry whose name equals the given one (case-sensitive), or null.
    T* find(const String& name) const
    {
        for (T* entry : entries) {
            if (entry->getName() == name)
                return entry;
        }
        return nullptr;
    }

    T* add(T* resource)
    {
        entries.push_back(resource);
        return resource;
    }

    size_t size() const { return entries.size(); }

private:
    std::vector<T*> entries; // never freed: resources live until the process ends
};

} // namespace Quorvel
