#include "app/command_line.h"
#include "app/main_window.h"
#include "app/program_folder.h"
#include "templates/sample_pictures.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const auto line = vellamo::app::parseCommandLine(arguments);
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", line.error.toLocal8Bit().constData());
        return 2;
    }
    // Subcommands never open a window.
    if (!line.subcommand.isEmpty() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Korvend"));
    QApplication::setApplicationName(QStringLiteral("Vellamo 3.5"));
    vellamo::app::setHomeFolder(line.homeFolder);
    if (!line.subcommand.isEmpty())
        return vellamo::app::runSubcommand(line);

    vellamo::templates::provideSamplePictures(vellamo::app::ProgramFolder());
    vellamo::app::TSDIAppForm window(vellamo::app::ProgramFolder());
    if (!line.cardFile.isEmpty())
        window.setStartupCard(line.cardFile);
    window.show();
    window.activateWindow();
    return application.exec();
}
