// PLACEHOLDER: replaced by the command implementation.
#include "cli.h"
#include "commands.h"
int runEncode(const Args&) { return failWith("not available yet"); }
int runDecode(const Args&) { return failWith("not available yet"); }
