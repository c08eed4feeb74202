#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// A parsed command line: topaz_q COMMAND [--bin DIR] [--json] ARGUMENTS...
struct Arguments {
    QString command;
    QString binFolder; // empty: the host folder as the module finds it
    bool json = false;
    int jobs = 1;    // validate: files checked at once
    QString pdfFile; // print: the PDF written; empty: the file's name with ".pdf"
    QStringList files;
};

// Parses the words after the program name. No value and a Polish message in error when
// the words do not make a command line.
std::optional<Arguments> parseArguments(const QStringList& words, QString& error);

// The usage text.
QString usageText();
