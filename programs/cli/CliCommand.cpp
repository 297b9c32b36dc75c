#include "CliCommand.h"

#include "CliCommands.h"

CommandLine CliCommand::commandLine() const
{
    CommandLine line(name, summary);
    declare(line);
    return line;
}

bool CliCommand::drawsWith(const QStringList& args) const
{
    QString ignored;
    QTextStream nowhere(&ignored);
    return draws && commandLine().parse(args, nowhere) == CommandLine::Parsed::Run;
}

int CliCommand::run(const QStringList& args, QTextStream& out, QTextStream& err) const
{
    CommandLine line = commandLine();
    int code = 2;
    switch (line.parse(args, err)) {
    case CommandLine::Parsed::Help:
        out << line.help();
        code = 0;
        break;
    case CommandLine::Parsed::Run:
        code = body(line, out, err);
        break;
    case CommandLine::Parsed::Wrong:
        break;
    }
    out.flush();
    err.flush();
    return code;
}

const QList<CliCommand>& cliCommands()
{
    static const QList<CliCommand> commands = {
        CliCommands::assign(),      CliCommands::demo(),      CliCommands::exportPlots(),
        CliCommands::farms(),       CliCommands::gps(),       CliCommands::importMdb(),
        CliCommands::importPlots(), CliCommands::plots(),     CliCommands::print(),
        CliCommands::render(),      CliCommands::shapeDump(),
    };
    return commands;
}

int runCommand(const QString& name, const QStringList& args, QTextStream& out, QTextStream& err)
{
    for (const CliCommand& command : cliCommands())
        if (command.name == name)
            return command.run(args, out, err);
    err << "sorvan-gis: unknown command '" << name << "'\n" << programUsage();
    err.flush();
    return 2;
}

QString programUsage()
{
    QString text = QStringLiteral("usage: sorvan-gis COMMAND ARGUMENTS\n");
    for (const CliCommand& command : cliCommands()) {
        const CommandLine line = command.commandLine();
        text += QStringLiteral("  ") + line.synopsis(2) + '\n';
        text += wrapped(command.summary, 10);
    }
    return text + QStringLiteral("  COMMAND --help        the command's options\n"
                                 "  --help, -h            show this help\n"
                                 "  --version             show the program's version\n");
}
