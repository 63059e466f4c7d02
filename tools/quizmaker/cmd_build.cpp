// PLACEHOLDER: replaced by the command implementation.
#include "cli.h"
#include "commands.h"
int runBuild(const Args&) { return failWith("not available yet"); }
int runUnpack(const Args&) { return failWith("not available yet"); }
