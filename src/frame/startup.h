#pragma once
// The program's entry: the login, then the main window.

// Shows the login window; ends at once unless the login succeeded, otherwise runs the
// main window until it closes. Returns the program's exit code.
int Main();

// Whether the books file can be opened and read; tells the user and returns false when not.
bool booksAreReadable();

// Loads Qt's own Chinese texts (buttons, print preview, standard dialogs).
void loadQtTranslations();
