// kalendo2-cli: see cli/run.h.
#include "cli/run.h"

int main(int argc, char** argv) { return kalendo::RunCli(argc, argv); }
