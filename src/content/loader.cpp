// Hands the executable's "PATCH" resources to the portable loader and makes
// the background brush once the colour is known.
#include "content/loader.h"

#include "content/parse.h"

static ResourceBytes findPatch(HMODULE module, int number) {
    ResourceBytes resource = {false, nullptr, 0};
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(number), ContentResourceType);
    if (!found) return resource;
    resource.found = true;
    HGLOBAL loaded = LoadResource(module, found);
    resource.bytes = loaded ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
    // Bytes that cannot be reached count as an empty resource.
    resource.size = resource.bytes ? SizeofResource(module, found) : 0;
    return resource;
}

void loadContent(Quiz* quiz, HMODULE module) {
    LoadOutcome outcome = loadContentFrom(quiz, findPatch(module, ContentResourceNumber), findPatch(module, CodesResourceNumber));
    if (outcomeHasColour(outcome)) quiz->backBrush = CreateSolidBrush(quiz->backColour);
}
