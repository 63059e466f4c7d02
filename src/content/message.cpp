#include "content/message.h"

static MessageSink currentSink = nullptr;

MessageSink setMessageSink(MessageSink sink) {
    MessageSink previous = currentSink;
    currentSink = sink;
    return previous;
}

void showMessage(const char* text, const char* caption) {
    if (currentSink) currentSink(text, caption);
}
