#pragma once

#include <QCommandLineParser>
#include <optional>

struct Subcommand;

// The command line of one subcommand, read by Qt's parser with two rules of the tool's own: "--help"
// anywhere shows the subcommand's help, and an argument that starts with a minus and a digit (an
// amount, a margin) is a value, never an option.
class CommandLine {
public:
    explicit CommandLine(const Subcommand& cmd);

    void addOption(const QCommandLineOption& option);
    void addArgument(const QString& name, const QString& description);

    // Reads the arguments. Returns the exit code when the subcommand ends here: 0 after its help,
    // 2 after a usage error (both already written out).
    std::optional<int> parse(const QStringList& args);

    bool isSet(const QString& name) const { return m_parser.isSet(name); }
    QString value(const QString& name) const { return m_parser.value(name); }
    QStringList values(const QString& name) const { return m_parser.values(name); }
    QStringList arguments() const { return m_parser.positionalArguments(); }

private:
    const QCommandLineOption* option(const QString& arg) const;
    QStringList optionsFirst(const QStringList& args, QString* problem, QString* unknown) const;

    const Subcommand& m_cmd;
    QCommandLineParser m_parser;
    QList<QCommandLineOption> m_options;
    const QCommandLineOption m_help;
};
