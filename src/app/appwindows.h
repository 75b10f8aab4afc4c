#pragma once

// Registers the application shell's own windows with the registry.
void RegisterAppWindows();
