// quizmaker encode IN OUT / decode IN OUT: the player's content code stream.
#include <stdio.h>

#include <string>

#include "cli.h"
#include "commands.h"
#include "content/codec.h"

typedef CoderResult (*CoderRun)(const unsigned char*, uint32_t, CoderOutput*);

// One coder run over a state of its own.
static CoderResult encodeInput(const unsigned char* input, uint32_t size, CoderOutput* output) {
    EncoderState encoder;
    return runEncoder(&encoder, input, size, output);
}

static CoderResult decodeInput(const unsigned char* input, uint32_t size, CoderOutput* output) {
    DecoderState decoder;
    return runDecoder(&decoder, input, size, output);
}

static int usageError(const char* name) {
    fprintf(stderr, "quizmaker: error: %s takes two arguments, IN and OUT\n", name);
    for (int i = 0; i < commandCount; ++i)
        if (std::string(commands[i].name) == name) fputs(commands[i].usage, stderr);
    return ExitUsage;
}

// Runs the coder over IN and writes what it produced to OUT.
static int runCoder(const Args& args, const char* name, CoderRun run, Bytes* produced) {
    if (args.size() != 2) return usageError(name);
    Bytes input;
    std::string error;
    if (!readFile(args[0], &input, &error)) return failWith(error);
    CoderOutput output = {nullptr, 0};
    // Any size past the limit is refused by the coder; keep huge files from
    // wrapping around the 32-bit size.
    uint32_t size = input.size() > CoderMaxSource ? CoderMaxSource + 1 : static_cast<uint32_t>(input.size());
    CoderResult result = run(input.data(), size, &output);
    if (result == CoderOk) produced->assign(output.bytes, output.bytes + output.count);
    releaseContent(output.bytes);
    if (result != CoderOk)
        return failWith(std::string(name) + " failed: result " + std::to_string(result) + " (" +
                        describeCoderResult(result) + ")");
    if (!writeFileAtomically(args[1], *produced, &error)) return failWith(error);
    return ExitOk;
}

int runEncode(const Args& args) {
    Bytes stream;
    int code = runCoder(args, "encode", encodeInput, &stream);
    if (code == ExitOk && stream.size() > CoderMaxSource)
        warn("the stream is " + std::to_string(stream.size()) +
             " bytes; the player only decodes streams shorter than 65536 bytes");
    return code;
}

int runDecode(const Args& args) {
    Bytes plain;
    return runCoder(args, "decode", decodeInput, &plain);
}
