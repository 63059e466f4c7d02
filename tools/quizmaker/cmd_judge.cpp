// PLACEHOLDER: replaced by the command implementation.
#include "cli.h"
#include "commands.h"
int runJudge(const Args&) { return failWith("not available yet"); }
