#include "front_end.h"

int main(int argc, char** argv) { return RunMain(argc, argv); }
