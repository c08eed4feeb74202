#include "cli/arguments.h"

#include "cli/commands.h"

#include <QCommandLineParser>

namespace {

const QString kProgram = QStringLiteral("topaz_q");

QString dashed(const QString& name) {
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

// "-j N", "--bin KATALOG", "--json": the option as a synopsis shows it.
QString shortForm(const OptionSpec& o) {
    const QString form = dashed(o.names.first());
    return o.valueName.isEmpty() ? form : form + QLatin1Char(' ') + o.valueName;
}

QString synopsis(const CommandSpec& c) {
    QString line = kProgram + QLatin1Char(' ') + c.name;
    for (const OptionSpec& o : c.options)
        line += o.required ? QLatin1Char(' ') + shortForm(o)
                           : QStringLiteral(" [") + shortForm(o) + QLatin1Char(']');
    return line + QLatin1Char(' ') + c.operands;
}

QString commandHelp(const CommandSpec& c) {
    struct Row {
        QString names;
        QString description;
    };
    QList<Row> rows;
    for (const OptionSpec& o : c.options) {
        QStringList names;
        for (const QString& n : o.names)
            names << dashed(n);
        QString text = names.join(QStringLiteral(", "));
        if (!o.valueName.isEmpty()) text += QLatin1Char(' ') + o.valueName;
        rows.append({text, o.description});
    }
    rows.append({QStringLiteral("-h, --help"), QStringLiteral("pokazuje tę pomoc")});
    qsizetype width = 0;
    for (const Row& r : rows)
        width = std::max(width, r.names.size());
    QString text = QStringLiteral("Użycie: ") + synopsis(c) + QStringLiteral("\n\n") +
                   c.description + QStringLiteral("\n\nOpcje:");
    for (const Row& r : rows)
        text += QStringLiteral("\n  ") + r.names.leftJustified(width + 2) + r.description;
    return text;
}

QCommandLineOption toQt(const OptionSpec& o) {
    return o.valueName.isEmpty() ? QCommandLineOption(o.names)
                                 : QCommandLineOption(o.names, QString(), o.valueName);
}

CommandLine failure(const QString& reason, const CommandSpec* spec = nullptr) {
    CommandLine line;
    line.kind = CommandLine::Error;
    line.text = reason;
    line.spec = spec;
    return line;
}

// The Polish reason for a failed parse: Qt's own error text is English.
QString parseError(const QCommandLineParser& parser, const CommandSpec& c,
                   const QStringList& words) {
    if (!parser.unknownOptionNames().isEmpty())
        return QStringLiteral("Nieznana opcja: %1")
            .arg(dashed(parser.unknownOptionNames().first()));
    // The other failures: a value option as the last word, or a value given to a flag.
    for (const OptionSpec& o : c.options)
        for (const QString& n : o.names) {
            if (!o.valueName.isEmpty() && words.last() == dashed(n)) return o.invalidMessage;
            if (o.valueName.isEmpty())
                for (const QString& w : words)
                    if (w.startsWith(dashed(n) + QLatin1Char('=')))
                        return QStringLiteral("Opcja %1 nie przyjmuje wartości.").arg(dashed(n));
        }
    return QStringLiteral("Niepoprawne opcje polecenia %1.").arg(c.name);
}

CommandLine parseCommand(const CommandSpec& c, const QStringList& words) {
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(help);
    for (const OptionSpec& o : c.options)
        parser.addOption(toQt(o));
    // QCommandLineParser takes the program name first.
    if (!parser.parse(QStringList{kProgram} + words))
        return failure(parseError(parser, c, words), &c);
    if (parser.isSet(help)) {
        CommandLine line;
        line.kind = CommandLine::Help;
        line.spec = &c;
        line.text = commandHelp(c);
        return line;
    }

    CommandLine line;
    line.kind = CommandLine::Run;
    line.spec = &c;
    Arguments& args = line.args;
    args.command = c.name;
    for (const OptionSpec& o : c.options) {
        if (!parser.isSet(o.longName())) {
            if (o.required) return failure(o.invalidMessage, &c);
            continue;
        }
        const QString value = parser.value(o.longName());
        if (!o.valueName.isEmpty() && (value.isEmpty() || (o.accepts && !o.accepts(value))))
            return failure(o.invalidMessage, &c);
        args.options.insert(o.longName(), value);
    }
    args.binFolder = args.value(QStringLiteral("bin"));
    args.json = args.isSet(QStringLiteral("json"));
    if (args.isSet(QStringLiteral("jobs"))) args.jobs = args.value(QStringLiteral("jobs")).toInt();
    args.files = parser.positionalArguments();
    const int n = int(args.files.size());
    if (n < c.minFiles || (c.maxFiles >= 0 && n > c.maxFiles))
        return failure(QStringLiteral("Niewłaściwa liczba plików dla polecenia %1.").arg(c.name),
                       &c);
    return line;
}

} // namespace

QString usageText(const CommandSpec* spec) {
    if (spec) return QStringLiteral("Użycie: ") + synopsis(*spec);
    QString text = QStringLiteral("Użycie:");
    for (const CommandSpec& c : commandTable())
        text += QStringLiteral("\n  ") + synopsis(c);
    text += QStringLiteral("\n  %1 POLECENIE --help\n  %1 --version").arg(kProgram);
    return text;
}

CommandLine parseCommandLine(const QStringList& words) {
    // The program's own options come before the command; the rest belongs to the command.
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOption(help);
    parser.addOption(version);
    if (!parser.parse(QStringList{kProgram} + words)) {
        const QStringList unknown = parser.unknownOptionNames();
        return failure(unknown.isEmpty()
                           ? QStringLiteral("Niepoprawny wiersz poleceń.")
                           : QStringLiteral("Nieznana opcja: %1").arg(dashed(unknown.first())));
    }
    CommandLine line;
    if (parser.isSet(help)) {
        line.kind = CommandLine::Help;
        line.text =
            QStringLiteral("%1: sprawdza, zapisuje i tworzy pliki wniosków bez edytora.\n\n")
                .arg(kProgram) +
            usageText();
        return line;
    }
    if (parser.isSet(version)) {
        line.kind = CommandLine::Version;
        line.text = kProgram + QLatin1Char(' ') + QString::fromLatin1(TOPAZ_VERSION);
        return line;
    }
    const QStringList rest = parser.positionalArguments();
    if (rest.isEmpty()) return failure(QStringLiteral("Nie podano polecenia."));
    const CommandSpec* spec = findCommand(rest.first());
    if (!spec) return failure(QStringLiteral("Nieznane polecenie: %1").arg(rest.first()));
    return parseCommand(*spec, rest.mid(1));
}
