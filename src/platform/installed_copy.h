#pragma once

// The installer puts the program in Program Files, where a user cannot write,
// and keeps each user's list in %APPDATA%\Horalet, where its Start menu
// shortcut starts it. Started any other way (the Run box, a terminal, a
// shortcut of the user's own), an installed copy still works there, so that
// there is one list however it is started. A portable copy, unzipped
// anywhere, keeps the folder it was started in.
//
// The installer registers its copy under App Paths (for the Run box), so a
// copy that the registration names is the installed one; the uninstaller
// takes the registration away with it.
bool isInstalledCopy();
// For an installed copy: makes %APPDATA%\Horalet the current directory
// (creating it for a user who never ran the installer). Otherwise, or when
// that folder cannot be had, the current directory stays as it is.
void enterInstalledDataFolder();
