#pragma once

// Registers every subsystem's windows and commands with the shell.
void RegisterAllWindows();

// The whole program: single instance, data module, main window, message loop.
int RunProgram(int argc, char **argv);
