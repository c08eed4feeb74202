#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

struct CommandSpec;

// A parsed command line: topaz_q COMMAND [OPTIONS] ARGUMENTS...
struct Arguments {
    QString command;
    QString binFolder; // empty: the host folder as the module finds it
    bool json = false;
    int jobs = 1; // files handled at once
    QStringList files;
    // Every option given, by its long name; flags have an empty value.
    QHash<QString, QString> options;

    bool isSet(const QString& option) const { return options.contains(option); }
    QString value(const QString& option) const { return options.value(option); }
};

// What the words of a command line ask for.
struct CommandLine {
    enum Kind { Run, Help, Version, Error };
    Kind kind = Error;
    Arguments args;                    // Run
    const CommandSpec* spec = nullptr; // the command named, when it is known
    QString text;                      // Help, Version: the text to print; Error: the reason
};

// Parses the words after the program name with the options each command declares.
CommandLine parseCommandLine(const QStringList& words);

// The usage of every command, or of one command when spec is given.
QString usageText(const CommandSpec* spec = nullptr);
