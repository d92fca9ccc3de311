#pragma once

// The monitor's main, given the process arguments in UTF-8. The native entry point of each system
// calls it; the application defines it.
int CorvaneMain(int argc, char** argv);
