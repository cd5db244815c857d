#include "app/CommandLine.h"

#include "app/EditorSettings.h"
#include "korvo/Version.h"

#include <QCommandLineParser>
#include <cstdio>

namespace korvo {

namespace {

// Standard output and error carry the local 8-bit form, as the terminal expects.
void Print(std::FILE* to, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), to);
    std::fflush(to);
}

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help = parser.addHelpOption();
    QCommandLineOption version = parser.addVersionOption();
    bool parsed = false;

    explicit Parser(const QStringList& arguments)
    {
        parser.setApplicationDescription(QStringLiteral("Edits the four scenes of the Korvo MIDI controller keyboard."));
        parser.addPositionalArgument(QStringLiteral("FILE"),
                                     QStringLiteral("A scene file (.kvo) to open at start; of several, only the "
                                                    "first is opened."),
                                     QStringLiteral("[FILE.kvo]"));
        parsed = parser.parse(arguments);
    }

    bool helpAsked() const { return parser.isSet(help) || parser.isSet(QStringLiteral("help-all")); }

    // The usage with the program's name, also when no application object exists yet.
    QString usage() const
    {
        QString text = parser.helpText();
        text.replace(QStringLiteral("<executable_name>"), QLatin1String(SettingsApplication));
        return text;
    }
};

} // namespace

std::optional<int> AnswerHelpOrVersion(const QStringList& arguments)
{
    const Parser p(arguments);
    if (p.helpAsked()) {
        Print(stdout, p.usage());
        return 0;
    }
    if (p.parser.isSet(p.version)) {
        Print(stdout, QStringLiteral("%1 %2\n").arg(QLatin1String(SettingsApplication), QLatin1String(KorvoVersion)));
        return 0;
    }
    return std::nullopt;
}

CommandLine ReadCommandLine(const QStringList& arguments)
{
    CommandLine line;
    if (const auto status = AnswerHelpOrVersion(arguments)) {
        line.exitStatus = status;
        return line;
    }
    const Parser p(arguments);
    const QString name = QLatin1String(SettingsApplication);
    if (!p.parsed) {
        Print(stderr, QStringLiteral("%1: %2\n\n%3").arg(name, p.parser.errorText(), p.usage()));
        line.exitStatus = 2;
        return line;
    }
    const QStringList files = p.parser.positionalArguments();
    if (!files.isEmpty())
        line.file = files.front();
    if (files.size() > 1)
        Print(stderr, QStringLiteral("%1: only the first file is opened; not opened: %2\n")
                          .arg(name, files.mid(1).join(QStringLiteral(", "))));
    return line;
}

} // namespace korvo
