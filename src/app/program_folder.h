#pragma once

#include <QString>

namespace vellamo::app {

// The folder of "Visiten.dat", "AdrDB.dat", "options.dat" and the pictures stored by bare name,
// always ending in '/': the --home folder when one was given, else the program file's folder
// when it is writable, else the user's data folder for the program. Needs the application
// object for the latter two.
QString ProgramFolder();

// Set once from the command line, before anything asks.
void setHomeFolder(const QString& folder);

}  // namespace vellamo::app
