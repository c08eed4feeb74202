#include "cli/arguments.h"

namespace {

// How many file arguments each command takes: at least, at most (-1: any number).
struct CommandShape {
    const char* name;
    int minFiles;
    int maxFiles;
    bool json;
};

const CommandShape kCommands[] = {
    {"checksum", 1, -1, true}, {"validate", 1, -1, true}, {"resave", 2, 2, false},
    {"new", 1, 1, false},      {"print", 1, 1, false},
};

const CommandShape* shapeOf(const QString& command) {
    for (const CommandShape& s : kCommands)
        if (command == QLatin1String(s.name)) return &s;
    return nullptr;
}

} // namespace

QString usageText() {
    return QStringLiteral("Użycie:\n"
                          "  topaz_q validate [--bin KATALOG] [--json] [-j N] PLIK...\n"
                          "  topaz_q checksum [--bin KATALOG] [--json] PLIK...\n"
                          "  topaz_q resave [--bin KATALOG] WEJŚCIE WYJŚCIE\n"
                          "  topaz_q new [--bin KATALOG] WYJŚCIE\n"
                          "  topaz_q print [--bin KATALOG] [--pdf WYJŚCIE] PLIK");
}

std::optional<Arguments> parseArguments(const QStringList& words, QString& error) {
    if (words.isEmpty()) {
        error = QStringLiteral("Nie podano polecenia.");
        return std::nullopt;
    }
    Arguments args;
    args.command = words.first();
    const CommandShape* shape = shapeOf(args.command);
    if (!shape) {
        error = QStringLiteral("Nieznane polecenie: %1").arg(args.command);
        return std::nullopt;
    }
    bool optionsEnded = false;
    for (int i = 1; i < words.size(); ++i) {
        const QString& w = words[i];
        if (!optionsEnded && w == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && w == QLatin1String("--bin")) {
            if (++i >= words.size() || words[i].isEmpty()) {
                error = QStringLiteral("Opcja --bin wymaga nazwy katalogu.");
                return std::nullopt;
            }
            args.binFolder = words[i];
        } else if (!optionsEnded && (w == QLatin1String("-j") || w == QLatin1String("--jobs")) &&
                   args.command == QLatin1String("validate")) {
            bool ok = false;
            args.jobs = i + 1 < words.size() ? words[i + 1].toInt(&ok) : 0;
            if (!ok || args.jobs < 1 || args.jobs > 256) {
                error = QStringLiteral("Opcja -j wymaga liczby wątków od 1 do 256.");
                return std::nullopt;
            }
            ++i;
        } else if (!optionsEnded && w == QLatin1String("--pdf") &&
                   args.command == QLatin1String("print")) {
            if (++i >= words.size() || words[i].isEmpty()) {
                error = QStringLiteral("Opcja --pdf wymaga nazwy pliku.");
                return std::nullopt;
            }
            args.pdfFile = words[i];
        } else if (!optionsEnded && w == QLatin1String("--json") && shape->json) {
            args.json = true;
        } else if (!optionsEnded && w.startsWith(QLatin1String("--"))) {
            error = QStringLiteral("Nieznana opcja: %1").arg(w);
            return std::nullopt;
        } else {
            args.files << w;
        }
    }
    const int n = int(args.files.size());
    if (n < shape->minFiles || (shape->maxFiles >= 0 && n > shape->maxFiles)) {
        error = QStringLiteral("Niewłaściwa liczba plików dla polecenia %1.").arg(args.command);
        return std::nullopt;
    }
    return args;
}
