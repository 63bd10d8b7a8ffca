#pragma once

// The subcommands that run without a window: they print errors to standard error and return
// the process's exit status.

#include <QStringList>

namespace vellamo::app {

struct CommandLine {
    // Empty to start the program.
    QString subcommand;
    QStringList arguments;
    QString homeFolder;
    // The card to open at start, for the program.
    QString cardFile;
    QString error;
};

// argv without the program's name. "--home DIR" may stand anywhere.
CommandLine parseCommandLine(const QStringList& arguments);

bool isSubcommand(const QString& word);

// Runs a subcommand; the application object exists.
int runSubcommand(const CommandLine& line);

}  // namespace vellamo::app
