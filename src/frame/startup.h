#pragma once
// The program's entry: the login, then the main window.

// Shows the login window; ends at once unless the login succeeded, otherwise runs the
// main window until it closes. Returns the program's exit code.
int Main();
