#pragma once
// The page's parts, made at build time (web/embed.cmake): the WebAssembly
// module, the HTML around its placeholders, the style sheet and the script,
// and the two hashes the page's security policy allows them by.
#include <stddef.h>

struct WebPart {
    const unsigned char* bytes;
    size_t size;
};

extern const WebPart WebModule;
extern const WebPart WebTemplate;  // with @POLICY@, @STYLE@, @DATA@, @SCRIPT@ and @MEDIA@ to fill
extern const WebPart WebStyle;
extern const WebPart WebScript;
extern const char WebStyleHash[];   // "'sha256-...'" of WebStyle's bytes
extern const char WebScriptHash[];  // of WebScript's bytes
