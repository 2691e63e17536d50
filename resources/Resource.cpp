// Resource: the named, reference-counted base of loadable content.

#include "resources/Resource.h"

namespace Quorvel {

Resource::Resource() : refCount(0), state(0)
{
}

Resource::~Resource() = default;

bool Resource::reload()
{
    return false;
}

bool Resource::unload()
{
    return true;
}

Resource* Resource::acquire()
{
    ++refCount;
    return this;
}

Resource* Resource::release()
{
    --refCount;
    return this;
}

} // namespace Quorvel
