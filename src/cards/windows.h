#pragma once

// Registers this subsystem's window classes and menu commands with the shell.
void RegisterCardsWindows();
