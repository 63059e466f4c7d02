#include "format/resources.h"

ResourceBytes resourceBytes(HMODULE module, LPCSTR type, LPCSTR name) {
    ResourceBytes resource = {false, nullptr, 0};
    HRSRC found = FindResourceA(module, name, type);
    if (!found) return resource;
    resource.found = true;
    // A loaded resource is never released: it is part of the module's image.
    HGLOBAL loaded = LoadResource(module, found);
    resource.bytes = loaded ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
    resource.size = resource.bytes ? SizeofResource(module, found) : 0;
    return resource;
}
