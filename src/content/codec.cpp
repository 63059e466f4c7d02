// The content coder. One process-wide state drives both directions: the
// decoder reads codes MSB first and rebuilds strings into a dictionary whose
// slots each hold a full copy of their string; the encoder learns the same
// strings in the same order and writes the codes the decoder expects,
// including the widen (257) and reset (258) codes the decoder never infers.
#include "content/codec.h"

#include <stdlib.h>
#include <string.h>

#include "content/message.h"

enum {
    CodeEnd = 256,
    CodeWiden = 257,
    CodeReset = 258,
    FirstLearnedCode = 259,
    DictionarySize = 4096,
    MaxStringLength = 4096,
    MaxCodeWidth = 32,
    EncodedStartSize = 80000,
    StagingSize = 32768,
    // Open-addressed index of the strings learned since the last reset; at
    // most 4096 - 259 entries, so it stays under half full.
    IndexSize = 8192,
};

enum CoderMode { ModeNone = 0, ModeEncoding = 1, ModeDecoding = 2 };

struct CoderState {
    int mode;
    const unsigned char* source;
    uint32_t sourceSize;
    uint16_t readPosition;
    uint8_t pendingBits;    // left-aligned: the next bit is the top bit
    uint8_t pendingCount;
    ByteString* dictionary; // DictionarySize slots
    unsigned char* byteStrings;  // storage of the 256 one-byte slots
    uint16_t nextCode;
    ByteString previousString;
    ByteString candidateString;
    unsigned char* output;
    uint32_t outputCount;
    uint32_t outputCapacity;
    // Encoding only.
    uint16_t* indexCodes;   // 0 marks a free entry (learned codes start at 259)
    uint32_t* indexHashes;
    uint32_t previousHash;
    uint32_t candidateHash;
    ByteString staging;
    // Statistics survive the run.
    uint32_t decodeInputSize;
    uint32_t bytesRead;
    uint32_t encodeInputSize;
    uint32_t encodeOutputSize;
};

static CoderState coder;
static CoderAllocator allocate = malloc;

CoderAllocator setCoderAllocator(CoderAllocator allocator) {
    CoderAllocator previous = allocate;
    allocate = allocator ? allocator : malloc;
    return previous;
}

static void* obtainZeroed(size_t size) {
    void* block = allocate(size);
    if (block) memset(block, 0, size);
    return block;
}

// FNV-1a, fed one byte at a time so a candidate's hash extends its prefix's.
static const uint32_t HashSeed = 2166136261u;
static inline uint32_t hashStep(uint32_t hash, unsigned char byte) { return (hash ^ byte) * 16777619u; }

static void releaseString(ByteString* string) {
    free(string->data);
    string->data = nullptr;
    string->capacity = 0;
    string->length = 0;
}

static bool obtainString(ByteString* string, uint16_t capacity) {
    string->data = static_cast<unsigned char*>(allocate(capacity));
    string->capacity = string->data ? capacity : 0;
    string->length = 0;
    return string->data != nullptr;
}

static void clearIndex() {
    memset(coder.indexCodes, 0, IndexSize * sizeof coder.indexCodes[0]);
}

// Forgets every storage pointer of the coder state (freed or never held).
static void clearCoderStorage() {
    coder.dictionary = nullptr;
    coder.byteStrings = nullptr;
    coder.indexCodes = nullptr;
    coder.indexHashes = nullptr;
    coder.staging = ByteString{nullptr, 0, 0};
    coder.previousString = ByteString{nullptr, 0, 0};
    coder.candidateString = ByteString{nullptr, 0, 0};
}

static void releaseCoder() {
    if (coder.dictionary) {
        for (int code = FirstLearnedCode; code < DictionarySize; ++code) free(coder.dictionary[code].data);
    }
    free(coder.dictionary);
    free(coder.byteStrings);
    free(coder.indexCodes);
    free(coder.indexHashes);
    free(coder.staging.data);
    free(coder.previousString.data);
    free(coder.candidateString.data);
    clearCoderStorage();
    coder.source = nullptr;
    coder.output = nullptr;
    coder.mode = ModeNone;
}

static int initCoder() {
    clearCoderStorage();
    coder.nextCode = 0;
    coder.pendingBits = 0;
    coder.pendingCount = 0;
    coder.readPosition = 0;

    coder.dictionary = static_cast<ByteString*>(obtainZeroed(DictionarySize * sizeof(ByteString)));
    coder.byteStrings = static_cast<unsigned char*>(allocate(256));
    if (!coder.dictionary || !coder.byteStrings) return CoderNoMemory;
    for (int value = 0; value < 256; ++value) {
        coder.byteStrings[value] = static_cast<unsigned char>(value);
        coder.dictionary[value] = ByteString{coder.byteStrings + value, 1, 1};
    }
    coder.nextCode = FirstLearnedCode;

    if (coder.mode == ModeEncoding) {
        coder.indexCodes = static_cast<uint16_t*>(obtainZeroed(IndexSize * sizeof(uint16_t)));
        coder.indexHashes = static_cast<uint32_t*>(allocate(IndexSize * sizeof(uint32_t)));
        if (!coder.indexCodes || !coder.indexHashes) return CoderNoMemory;
        if (!obtainString(&coder.staging, StagingSize)) return CoderNoMemory;
    }
    if (!obtainString(&coder.previousString, MaxStringLength)) return CoderNoMemory;
    if (!obtainString(&coder.candidateString, MaxStringLength)) return CoderNoMemory;
    return CoderOk;
}

static void addToIndex(uint16_t code, uint32_t hash) {
    uint32_t slot = hash & (IndexSize - 1);
    while (coder.indexCodes[slot] != 0) slot = (slot + 1) & (IndexSize - 1);
    coder.indexCodes[slot] = code;
    coder.indexHashes[slot] = hash;
}

// The learned code whose string equals the candidate, or 0. Since the
// encoder only learns strings the index does not hold, and empties the index
// on reset, at most one learned string matches: the same code a search of
// the strings of the candidate's length, in learning order, would pick.
static uint16_t findCandidate() {
    const ByteString& candidate = coder.candidateString;
    uint32_t slot = coder.candidateHash & (IndexSize - 1);
    while (uint16_t code = coder.indexCodes[slot]) {
        const ByteString& learned = coder.dictionary[code];
        if (coder.indexHashes[slot] == coder.candidateHash && learned.length == candidate.length &&
            memcmp(learned.data, candidate.data, candidate.length) == 0)
            return code;
        slot = (slot + 1) & (IndexSize - 1);
    }
    return 0;
}

// Copies the candidate into slot nextCode. The callers make sure nextCode is
// a real slot; only storage can fail here.
static bool learnString() {
    ByteString* slot = &coder.dictionary[coder.nextCode];
    releaseString(slot);
    if (!obtainString(slot, coder.candidateString.length)) return false;
    memcpy(slot->data, coder.candidateString.data, coder.candidateString.length);
    slot->length = coder.candidateString.length;
    if (coder.mode == ModeEncoding) addToIndex(coder.nextCode, coder.candidateHash);
    ++coder.nextCode;
    return true;
}

// --- Decoding ---------------------------------------------------------------

// Reads a code of width bits into *code; false when the source ends inside it.
static bool readCode(int width, uint32_t* code) {
    uint64_t value = coder.pendingCount ? (coder.pendingBits >> (8 - coder.pendingCount)) : 0;
    int needed = width - coder.pendingCount;
    coder.pendingBits = 0;
    coder.pendingCount = 0;
    while (needed >= 8) {
        if (coder.readPosition >= coder.sourceSize) return false;
        value = (value << 8) | coder.source[coder.readPosition++];
        ++coder.bytesRead;
        needed -= 8;
    }
    if (needed > 0) {
        if (coder.readPosition >= coder.sourceSize) return false;
        unsigned char byte = coder.source[coder.readPosition++];
        ++coder.bytesRead;
        value = (value << needed) | (byte >> (8 - needed));
        coder.pendingBits = static_cast<uint8_t>(byte << needed);
        coder.pendingCount = static_cast<uint8_t>(8 - needed);
    }
    *code = static_cast<uint32_t>(value);
    return true;
}

static bool appendToOutput(const ByteString& string) {
    if (string.length > CoderMaxDecoded - coder.outputCount) return false;
    memcpy(coder.output + coder.outputCount, string.data, string.length);
    coder.outputCount += string.length;
    return true;
}

static void copyString(ByteString* to, const ByteString& from) {
    memcpy(to->data, from.data, from.length);
    to->length = from.length;
}

// Steps 4 to 6 of a decoding run, once the state and the output exist.
static int decodeCodes() {
    uint32_t code;
    if (!readCode(9, &code)) return CoderBadInput;
    coder.previousString.data[0] = static_cast<unsigned char>(code & 0xFF);
    coder.previousString.length = 1;
    int codeWidth = 9;

    for (;;) {
        if (codeWidth > MaxCodeWidth) return CoderMalformed;
        if (!readCode(codeWidth, &code)) return CoderMalformed;
        if (code == CodeEnd) break;
        if (code == CodeReset) {
            coder.nextCode = FirstLearnedCode;
            codeWidth = 9;
            continue;
        }
        if (code == CodeWiden) {
            ++codeWidth;
            continue;
        }
        if (code > coder.nextCode) return CoderMalformed;
        // A well-formed stream resets before the dictionary fills and never
        // builds a string longer than a slot holds.
        if (coder.nextCode >= DictionarySize) return CoderMalformed;
        if (coder.previousString.length >= MaxStringLength) return CoderMalformed;
        unsigned char next = code == coder.nextCode ? coder.previousString.data[0] : coder.dictionary[code].data[0];
        copyString(&coder.candidateString, coder.previousString);
        coder.candidateString.data[coder.candidateString.length++] = next;
        if (!learnString()) return CoderNoMemory;
        if (!appendToOutput(coder.previousString)) return CoderMalformed;
        copyString(&coder.previousString, coder.dictionary[code]);
    }
    return appendToOutput(coder.previousString) ? CoderOk : CoderMalformed;
}

int decodeContent(const unsigned char* source, uint32_t size, unsigned char** output, uint32_t* length) {
    if (size > CoderMaxSource) return CoderBadInput;
    coder.mode = ModeDecoding;
    coder.source = source;
    coder.sourceSize = size;
    int result = initCoder();
    if (result != CoderOk) {
        releaseCoder();
        return result;
    }
    coder.decodeInputSize = size;
    coder.bytesRead = 0;
    coder.output = static_cast<unsigned char*>(allocate(CoderMaxDecoded));
    coder.outputCount = 0;
    if (!coder.output) {
        showMessage("Impossible d'allouer la memoire", "information");
        releaseCoder();
        return CoderNoMemory;
    }
    result = decodeCodes();
    *output = coder.output;
    *length = coder.outputCount + 2;
    releaseCoder();
    return result;
}

// --- Encoding ---------------------------------------------------------------

// Moves the staging buffer's bytes to the output, growing the output when
// the stream outgrows it.
static bool flushStaging() {
    uint32_t count = coder.staging.length;
    if (count > coder.outputCapacity - coder.outputCount) {
        uint32_t capacity = coder.outputCapacity * 2;
        if (capacity < coder.outputCount + count) capacity = coder.outputCount + count;
        unsigned char* grown = static_cast<unsigned char*>(allocate(capacity));
        if (!grown) return false;
        memcpy(grown, coder.output, coder.outputCount);
        free(coder.output);
        coder.output = grown;
        coder.outputCapacity = capacity;
    }
    memcpy(coder.output + coder.outputCount, coder.staging.data, count);
    coder.outputCount += count;
    coder.staging.length = 0;
    return true;
}

static bool emitByte(uint8_t byte) {
    if (coder.staging.length == StagingSize && !flushStaging()) return false;
    coder.staging.data[coder.staging.length++] = byte;
    return true;
}

enum WriteResult { WriteOk, WriteTooWide, WriteNoMemory };

static WriteResult writeCode(uint32_t code, int width) {
    if (width > MaxCodeWidth) return WriteTooWide;
    uint64_t value = code;
    int t = coder.pendingCount + width - 8;
    if (t < 0) {
        coder.pendingBits = static_cast<uint8_t>(coder.pendingBits | (value << -t));
        coder.pendingCount = static_cast<uint8_t>(coder.pendingCount + width);
        return WriteOk;
    }
    if (!emitByte(static_cast<uint8_t>(coder.pendingBits | ((value >> t) & 0xFF)))) return WriteNoMemory;
    while (t >= 8) {
        if (!emitByte(static_cast<uint8_t>((value >> (t - 8)) & 0xFF))) return WriteNoMemory;
        t -= 8;
    }
    coder.pendingBits = static_cast<uint8_t>((value << (8 - t)) & 0xFF);
    coder.pendingCount = static_cast<uint8_t>(t);
    return WriteOk;
}

static int writeResultCode(WriteResult written) {
    return written == WriteTooWide ? CoderTooWide : CoderNoMemory;
}

// Writes code at the current width, preceded by one widen code for each bit
// the width lacks.
static int writeWidened(uint32_t code, int* codeWidth) {
    for (uint64_t rest = static_cast<uint64_t>(code) >> *codeWidth; rest != 0; rest >>= 1) {
        WriteResult written = writeCode(CodeWiden, *codeWidth);
        if (written != WriteOk) return writeResultCode(written);
        ++*codeWidth;
    }
    WriteResult written = writeCode(code, *codeWidth);
    return written == WriteOk ? CoderOk : writeResultCode(written);
}

// The code of previousString: its learned code, or its only byte.
static uint32_t codeOfPrevious(uint16_t previousCode) {
    return previousCode ? previousCode : coder.previousString.data[0];
}

// Steps 4 to 6 of an encoding run, once the state and the output exist.
static int encodeBytes() {
    if (coder.sourceSize == 0) return CoderBadInput;
    int codeWidth = 9;
    coder.previousString.data[0] = coder.source[0];
    coder.previousString.length = 1;
    coder.previousHash = hashStep(HashSeed, coder.source[0]);
    uint16_t previousCode = 0;  // learned code of previousString, 0 for a single byte

    for (uint32_t position = 1; position < coder.sourceSize; ++position) {
        unsigned char byte = coder.source[position];
        // Strings learned since a reset are at most one byte longer than
        // the slots used since, so this never triggers; it keeps the copy in
        // bounds whatever happens.
        if (coder.previousString.length >= MaxStringLength) return CoderNoMemory;
        copyString(&coder.candidateString, coder.previousString);
        coder.candidateString.data[coder.candidateString.length++] = byte;
        coder.candidateHash = hashStep(coder.previousHash, byte);

        if (uint16_t found = findCandidate()) {
            copyString(&coder.previousString, coder.candidateString);
            coder.previousHash = coder.candidateHash;
            previousCode = found;
            continue;
        }
        if (!learnString()) return CoderNoMemory;
        int result = writeWidened(codeOfPrevious(previousCode), &codeWidth);
        if (result != CoderOk) return result;
        coder.previousString.data[0] = byte;
        coder.previousString.length = 1;
        coder.previousHash = hashStep(HashSeed, byte);
        previousCode = 0;

        if (coder.nextCode == DictionarySize) {
            WriteResult written = writeCode(CodeReset, codeWidth);
            if (written != WriteOk) return writeResultCode(written);
            coder.nextCode = FirstLearnedCode;
            clearIndex();
            // The decoder learns the pending candidate right after the reset.
            if (!learnString()) return CoderNoMemory;
            codeWidth = 9;
        }
    }

    int result = writeWidened(codeOfPrevious(previousCode), &codeWidth);
    if (result != CoderOk) return result;
    WriteResult written = writeCode(CodeEnd, codeWidth);
    if (written != WriteOk) return writeResultCode(written);
    if (coder.pendingCount != 0 && !emitByte(coder.pendingBits)) return CoderNoMemory;
    return flushStaging() ? CoderOk : CoderNoMemory;
}

int encodeContent(const unsigned char* source, uint32_t size, unsigned char** output, uint32_t* length) {
    if (size > CoderMaxSource) return CoderBadInput;
    coder.outputCount = 0;
    coder.source = source;
    coder.sourceSize = size;
    coder.output = static_cast<unsigned char*>(allocate(EncodedStartSize));
    coder.outputCapacity = EncodedStartSize;
    if (!coder.output) {
        showMessage("Impossible d'allouer la memoire", "information");
        return CoderNoMemory;
    }
    coder.mode = ModeEncoding;
    int result = initCoder();
    if (result != CoderOk) {
        free(coder.output);
        releaseCoder();
        return result;
    }
    coder.decodeInputSize = size;
    coder.encodeInputSize = size;
    coder.bytesRead = 0;

    result = encodeBytes();
    *output = coder.output;
    *length = coder.outputCount + 1;
    if (result == CoderOk) coder.encodeOutputSize = coder.outputCount;
    releaseCoder();
    return result;
}

void releaseContent(unsigned char* buffer) { free(buffer); }

const char* describeCoderResult(int result) {
    switch (result) {
    case CoderOk: return "success";
    case CoderNoMemory: return "storage could not be obtained";
    case CoderBadInput: return "the input is empty, too short, or 65536 bytes or more";
    case CoderTooWide: return "a code would be wider than 32 bits";
    case CoderMalformed: return "the code stream is malformed or breaks a limit";
    default: return "unknown result";
    }
}

uint32_t lastDecodeInputSize() { return coder.decodeInputSize; }
uint32_t lastDecodeBytesRead() { return coder.bytesRead; }
uint32_t lastEncodeInputSize() { return coder.encodeInputSize; }
uint32_t lastEncodeOutputSize() { return coder.encodeOutputSize; }
