// mintor: the desktop program.
#include "forms/startup.h"

int main(int argc, char** argv) { return mintor::forms::run_program(argc, argv); }
