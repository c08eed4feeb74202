#pragma once

#include "cli/arguments.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <span>

// An option of a command (--help comes with every command).
struct OptionSpec {
    QStringList names;   // a one-letter name is a short option: {"j", "jobs"}
    QString valueName;   // empty: a flag
    QString description; // for the command's help
    QString
        invalidMessage; // when the value is missing or unusable, or a required option is not given
    bool required = false;
    bool (*accepts)(const QString& value) = nullptr; // null: any non-empty value

    QString longName() const { return names.last(); }
};

// One command of topaz_q. A new command is one row of the table in commands.cpp.
struct CommandSpec {
    QString name;
    QString operands;    // "PLIK...", "WEJŚCIE WYJŚCIE"
    QString description; // what the command does, for its help
    int minFiles = 1;
    int maxFiles = -1; // -1: any number
    QList<OptionSpec> options;
    int (*run)(const Arguments& args) = nullptr;
};

std::span<const CommandSpec> commandTable();
const CommandSpec* findCommand(const QString& name);
