#include "app/command_line.h"

#include "document/card_file.h"
#include "document/card_json.h"

#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>
#include <cstdio>

namespace vellamo::app {

namespace {

void printError(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
}

const char* const Usage = "usage: vellamo [--home DIR] [CARD.vis]\n"
                          "       vellamo dump CARD.vis\n"
                          "       vellamo build CARD.json CARD.vis";

int dump(const QStringList& args)
{
    if (args.size() != 1) {
        printError(QString::fromLatin1(Usage));
        return 2;
    }
    QFile file(args[0]);
    if (!file.open(QIODevice::ReadOnly)) {
        printError("Error: Could not open file! (" + args[0] + ")");
        return 1;
    }
    document::CardDocument doc;
    const auto result = document::readCardBytes(file.readAll(), doc);
    if (!result.signatureMatched) {
        printError(QStringLiteral("it is not a Business Card in the Korvend Vellamo 3.5-Format!"));
        return 1;
    }
    const QByteArray json = QJsonDocument(document::cardToJson(doc)).toJson(QJsonDocument::Indented);
    std::fwrite(json.constData(), 1, std::size_t(json.size()), stdout);
    if (!result.complete) {
        printError(QStringLiteral("warning: the card file ends before its last entry"));
    }
    return 0;
}

int build(const QStringList& args)
{
    if (args.size() != 2) {
        printError(QString::fromLatin1(Usage));
        return 2;
    }
    QFile in(args[0]);
    if (!in.open(QIODevice::ReadOnly)) {
        printError("Error: Could not open file! (" + args[0] + ")");
        return 1;
    }
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(in.readAll(), &parseError);
    if (!json.isObject()) {
        printError(args[0] + ": " + (parseError.error != QJsonParseError::NoError ? parseError.errorString()
                                                                                 : QStringLiteral("not a JSON object")));
        return 1;
    }
    document::CardDocument doc;
    const auto result = document::cardFromJson(json.object(), doc);
    if (!result.ok) {
        printError(args[0] + ": " + result.message);
        return 1;
    }
    QSaveFile out(args[1]);
    const QByteArray bytes = document::cardToBytes(doc);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        printError("Error: Could not create file! (" + args[1] + ": " + out.errorString() + ")");
        return 1;
    }
    return 0;
}

}  // namespace

bool isSubcommand(const QString& word) { return word == u"dump" || word == u"build"; }

CommandLine parseCommandLine(const QStringList& arguments)
{
    CommandLine line;
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == u"--home") {
            if (i + 1 >= arguments.size()) {
                line.error = QStringLiteral("--home needs a folder");
                return line;
            }
            line.homeFolder = arguments[++i];
        } else if (a.startsWith(u"--home=")) {
            line.homeFolder = a.mid(7);
        } else {
            rest.append(a);
        }
    }
    if (!rest.isEmpty() && isSubcommand(rest.front())) {
        line.subcommand = rest.takeFirst();
        line.arguments = rest;
        return line;
    }
    if (rest.size() > 1 || (!rest.isEmpty() && rest.front().startsWith(u"-"))) {
        line.error = QString::fromLatin1(Usage);
        return line;
    }
    if (!rest.isEmpty())
        line.cardFile = rest.front();
    return line;
}

int runSubcommand(const CommandLine& line)
{
    if (line.subcommand == u"dump")
        return dump(line.arguments);
    if (line.subcommand == u"build")
        return build(line.arguments);
    printError(QString::fromLatin1(Usage));
    return 2;
}

}  // namespace vellamo::app
