// The entry point of VostrelCmd.
#include "cmd.h"

int main(int argc, char** argv) { return RunMain(argc, argv); }
