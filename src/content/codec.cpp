// PLACEHOLDER: replaced by the content coder.
#include "content/codec.h"
#include <stdlib.h>
int decodeContent(const unsigned char*, uint32_t, unsigned char**, uint32_t*) { return CoderMalformed; }
int encodeContent(const unsigned char*, uint32_t, unsigned char**, uint32_t*) { return CoderBadInput; }
void releaseContent(unsigned char* buffer) { free(buffer); }
const char* describeCoderResult(int) { return "not implemented"; }
uint32_t lastDecodeInputSize() { return 0; }
uint32_t lastDecodeBytesRead() { return 0; }
uint32_t lastEncodeInputSize() { return 0; }
uint32_t lastEncodeOutputSize() { return 0; }
