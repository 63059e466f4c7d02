// Hands the executable's content and codes resources to the portable loader
// and makes the background brush once the colour is known.
#include "content/loader.h"

#include "content/parse.h"
#include "format/resources.h"

void loadContent(Quiz* quiz, HMODULE module) {
    LoadOutcome outcome = loadContentFrom(quiz, resourceBytes(module, ContentResourceType, ContentResourceNumber),
                                          resourceBytes(module, ContentResourceType, CodesResourceNumber));
    if (outcomeHasColour(outcome)) quiz->backBrush = CreateSolidBrush(quiz->backColour);
}
