// The entry point of VostrelInspect.
#include <cstdio>

#include "inspect.h"

int main(int argc, char** argv) { return RunInspect(argc, argv, stdout, stderr); }
