#include "CommandLine.h"

#include <QRegularExpression>

namespace {
const QString program = QStringLiteral("sorvan-gis");
const QString helpName = QStringLiteral("help");
const int helpColumn = 24;

QString dashed(const QString& name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

// "  name" padded to the help column, or on a line of its own when longer.
QString entry(const QString& name, const QString& help)
{
    const QString head = QStringLiteral("  ") + name;
    const QString body = wrapped(help, helpColumn);
    if (head.size() < helpColumn - 1)
        return head.leftJustified(helpColumn) + body.mid(helpColumn);
    return head + '\n' + body;
}
} // namespace

QString wrapped(const QString& text, int indent)
{
    QString result, line;
    for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && indent + line.size() + 1 + word.size() > 78) {
            result += QString(indent, ' ') + line + '\n';
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty())
        result += QString(indent, ' ') + line + '\n';
    return result;
}

CommandLine::CommandLine(const QString& command, const QString& summary)
    : m_command(command), m_summary(summary)
{
    m_parser->setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser->addOption(QCommandLineOption({QStringLiteral("h"), helpName}, {}));
}

CommandLine& CommandLine::option(const QString& name, const QString& valueName, const QString& help,
                                 const QString& required)
{
    m_parser->addOption(QCommandLineOption(name, help, valueName));
    m_declarations.append({Kind::Value, name, valueName, help, required});
    return *this;
}

CommandLine& CommandLine::repeated(const QString& name, const QString& valueName,
                                   const QString& help)
{
    m_parser->addOption(QCommandLineOption(name, help, valueName));
    m_declarations.append({Kind::Repeated, name, valueName, help, {}});
    return *this;
}

CommandLine& CommandLine::flag(const QString& name, const QString& help)
{
    m_parser->addOption(QCommandLineOption(name, help));
    m_declarations.append({Kind::Flag, name, {}, help, {}});
    return *this;
}

CommandLine& CommandLine::argument(const QString& name, const QString& help,
                                   const QString& required, bool many)
{
    m_declarations.append({Kind::Argument, name, name, help, required, many});
    return *this;
}

CommandLine& CommandLine::synopsisGroup(const QStringList& names, const QString& text)
{
    m_groups.append({names, text});
    return *this;
}

CommandLine& CommandLine::alternative(const QString& synopsis)
{
    m_alternatives.append(synopsis);
    return *this;
}

CommandLine& CommandLine::folder(bool required)
{
    return option(QStringLiteral("folder"), QStringLiteral("DIR"),
                  QStringLiteral("the program folder"),
                  required ? QStringLiteral("no program folder given") : QString());
}

CommandLine& CommandLine::out(const QString& valueName, const QString& help)
{
    return option(QStringLiteral("out"), valueName, help, QStringLiteral("no output file given"));
}

CommandLine& CommandLine::farms(const QString& help)
{
    return repeated(QStringLiteral("farm"), QStringLiteral("NAME"), help);
}

QString CommandLine::declarationText(const Declaration& d) const
{
    switch (d.kind) {
    case Kind::Argument:
        return d.many ? d.valueName + QStringLiteral("...") : d.valueName;
    case Kind::Flag:
        return dashed(d.name);
    case Kind::Value:
    case Kind::Repeated:
        break;
    }
    return dashed(d.name) + ' ' + d.valueName + (d.kind == Kind::Repeated ? "]..." : "");
}

QString CommandLine::synopsis(int indent) const
{
    QStringList parts{m_command};
    QStringList grouped;
    for (const Declaration& d : m_declarations) {
        if (grouped.contains(d.name))
            continue;
        bool inGroup = false;
        for (const auto& [names, text] : m_groups) {
            if (names.contains(d.name)) {
                if (!text.isEmpty())
                    parts << text;
                grouped << names;
                inGroup = true;
            }
        }
        if (inGroup)
            continue;
        const QString text = declarationText(d);
        if (d.kind == Kind::Repeated)
            parts << '[' + text;
        else if (d.required.isEmpty())
            parts << '[' + text + ']';
        else
            parts << text;
    }
    // Lines of at most 78 columns; the first starts after "usage: sorvan-gis "
    // or the indent, the others are indented by 8.
    QString result;
    qsizetype column = indent;
    for (const QString& part : std::as_const(parts)) {
        if (!result.isEmpty() && column + 1 + part.size() > 78) {
            result += '\n' + QString(8, ' ');
            column = 8;
        } else if (!result.isEmpty()) {
            result += ' ';
            ++column;
        }
        result += part;
        column += part.size();
    }
    return result;
}

QString CommandLine::usage() const
{
    const QString start = QStringLiteral("usage: ") + program + ' ';
    QString text = start + synopsis(int(start.size())) + '\n';
    for (const QString& other : m_alternatives)
        text += QStringLiteral("       ") + program + ' ' + other + '\n';
    return text;
}

QString CommandLine::help() const
{
    QString text = usage() + '\n' + wrapped(m_summary, 0) + '\n';
    for (const Declaration& d : m_declarations)
        text += entry(declarationText(d).remove(']'), d.help);
    return text + entry(QStringLiteral("-h, --help"), QStringLiteral("show this help"));
}

QString CommandLine::whyWrong() const
{
    const QStringList unknown = m_parser->unknownOptionNames();
    if (!unknown.isEmpty())
        return QStringLiteral("unexpected argument: ") + dashed(unknown.first());
    static const QRegularExpression quoted(QStringLiteral("'(.*)'"));
    const QRegularExpressionMatch match = quoted.match(m_parser->errorText());
    if (m_parser->errorText().startsWith(QLatin1String("Missing value")) && match.hasMatch())
        return QStringLiteral("no value for ") + match.captured(1);
    if (match.hasMatch())
        return QStringLiteral("unexpected value for ") + match.captured(1);
    return m_parser->errorText();
}

QString CommandLine::missing() const
{
    const QStringList given = arguments();
    qsizetype position = 0;
    for (const Declaration& d : m_declarations) {
        if (d.kind == Kind::Value || d.kind == Kind::Repeated) {
            for (const QString& value : m_parser->values(d.name))
                if (value.trimmed().isEmpty())
                    return QStringLiteral("no value for ") + dashed(d.name);
            if (!d.required.isEmpty() && m_parser->value(d.name).isEmpty())
                return d.required;
        } else if (d.kind == Kind::Argument) {
            const bool there = position < given.size() && !given.at(position).isEmpty();
            if (!there && !d.required.isEmpty())
                return d.required;
            position = d.many ? given.size() : position + 1;
        }
    }
    if (position < given.size())
        return QStringLiteral("unexpected argument: ") + given.at(position);
    return {};
}

CommandLine::Parsed CommandLine::parse(const QStringList& args, QTextStream& err)
{
    if (!m_parser->parse(QStringList{program} + args)) {
        usageError(err, whyWrong());
        return Parsed::Wrong;
    }
    if (m_parser->isSet(helpName))
        return Parsed::Help;
    if (const QString why = missing(); !why.isEmpty()) {
        usageError(err, why);
        return Parsed::Wrong;
    }
    return Parsed::Run;
}

int CommandLine::usageError(QTextStream& err, const QString& why) const
{
    err << m_command << ": " << why << '\n' << usage();
    err.flush();
    return 2;
}
