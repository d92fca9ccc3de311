#include "EntryPoint.h"
#include "Platform.h"

int main(int argc, char** argv) { return platform::RunWithProcessArguments(argc, argv, &CorvaneMain); }
