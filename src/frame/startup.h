#pragma once
// The program's entry: the login, then the main window.

// Shows the login window; ends at once unless the login succeeded, otherwise runs the
// main window until it closes. Returns the program's exit code.
int Main();

// Whether the books file can be opened and read; tells the user and returns false when not.
bool booksAreReadable();

// Sets up the application before its first window: its name and icon, the Chinese
// locale, font and Qt texts. Window titles are exactly the windows' captions.
void setUpApplication();

// Loads Qt's own Chinese texts (buttons, print preview, standard dialogs).
void loadQtTranslations();
