#pragma once

#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <memory>

// text wrapped at 78 columns, every line indented by indent blanks.
QString wrapped(const QString& text, int indent);

// The arguments of one command of sorvan-gis, declared once: the parser,
// the usage line and the help text are made from the declarations. Adding an
// option is one line:
//     line.option("scale", "N", "print at 1:N");
class CommandLine {
public:
    CommandLine(const QString& command, const QString& summary);

    // An option with a value; required: the text given when it is missing
    // (e.g. "no program folder given"), empty when it may be left out.
    CommandLine& option(const QString& name, const QString& valueName, const QString& help,
                        const QString& required = QString());
    // An option with a value that may be given several times.
    CommandLine& repeated(const QString& name, const QString& valueName, const QString& help);
    // An option without a value.
    CommandLine& flag(const QString& name, const QString& help);
    // A positional argument: at most one, or any number when many; required:
    // as for option().
    CommandLine& argument(const QString& name, const QString& help,
                          const QString& required = QString(), bool many = false);
    // Text shown in the usage line instead of the generated one where two
    // options exclude each other, e.g. "(--farm NAME | --farm-from FIELD)";
    // an empty text leaves the options out of the usage line.
    CommandLine& synopsisGroup(const QStringList& names, const QString& text);
    // A further form of the command shown below the usage line.
    CommandLine& alternative(const QString& synopsis);

    // The options most commands share: --folder DIR (the program folder),
    // --out FILE (required) and --farm NAME... (the farms worked on).
    CommandLine& folder(bool required = true);
    CommandLine& out(const QString& valueName, const QString& help);
    CommandLine& farms(const QString& help);

    const QString& command() const { return m_command; }
    // "print --folder DIR --out FILE.pdf [--farm NAME]... [--list]", wrapped
    // at 78 columns when it starts at column indent.
    QString synopsis(int indent) const;
    // "usage: sorvan-gis " + synopsis, and the alternatives.
    QString usage() const;
    // The usage, the summary and one line per option.
    QString help() const;

    enum class Parsed { Run, Help, Wrong };
    // Parses args (without the command). Wrong: the reason and the usage
    // have been written to err.
    Parsed parse(const QStringList& args, QTextStream& err);
    // Writes "command: why" and the usage to err; returns exit code 2.
    int usageError(QTextStream& err, const QString& why) const;

    bool isSet(const QString& name) const { return m_parser->isSet(name); }
    QString value(const QString& name) const { return m_parser->value(name); }
    QStringList values(const QString& name) const { return m_parser->values(name); }
    QStringList arguments() const { return m_parser->positionalArguments(); }

private:
    enum class Kind { Value, Repeated, Flag, Argument };
    struct Declaration {
        Kind kind;
        QString name;
        QString valueName;
        QString help;
        QString required;
        bool many = false;
    };
    QString declarationText(const Declaration& d) const;
    QString whyWrong() const;
    QString missing() const;

    QString m_command;
    QString m_summary;
    QList<Declaration> m_declarations;
    QList<QPair<QStringList, QString>> m_groups;
    QStringList m_alternatives;
    std::unique_ptr<QCommandLineParser> m_parser = std::make_unique<QCommandLineParser>();
};
