#pragma once
// Every message the player shows to the user goes through showMessage. The
// Windows build installs a sink that opens a message box with no owner and
// one OK button; tests install a sink that records the messages instead.

typedef void (*MessageSink)(const char* text, const char* caption);

// Installs sink and returns the one it replaces (null: messages are dropped).
MessageSink setMessageSink(MessageSink sink);
void showMessage(const char* text, const char* caption);
