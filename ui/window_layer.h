// The window layer's services to the operating-system object
// (platform/window_layer.h).
#pragma once

// Installs them; the program's entry and every test program call it first,
// before the system object is made.  Calling it again changes nothing.
void InstallWindowLayer();
