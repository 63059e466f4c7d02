// PLACEHOLDER: replaced by the command implementation.
#include "cli.h"
#include "commands.h"
int runCheck(const Args&) { return failWith("not available yet"); }
int runTry(const Args&) { return failWith("not available yet"); }
