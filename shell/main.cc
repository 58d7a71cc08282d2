// The process entry. The program takes no arguments and reads no
// environment variable; both only go on to the runtime.
#include "shell/startup.h"

int main(int argc, char** argv, char** envp) { return ProcessMain(argc, argv, envp); }
