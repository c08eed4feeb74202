#include "cli/commands.h"

#include "cli/checksum_command.h"
#include "cli/diff_command.h"
#include "cli/help_command.h"
#include "cli/import_command.h"
#include "cli/print_command.h"
#include "cli/save_commands.h"
#include "cli/validate_command.h"

#include <vector>

namespace {

OptionSpec binOption() {
    return {{QStringLiteral("bin")},
            QStringLiteral("KATALOG"),
            QStringLiteral("katalog programu Zelgor, w którym jest słownik slowniki.xml"),
            QStringLiteral("Opcja --bin wymaga nazwy katalogu.")};
}

OptionSpec jsonOption() {
    return {
        {QStringLiteral("json")}, QString(), QStringLiteral("wynik w formacie JSON"), QString()};
}

OptionSpec jobsOption() {
    OptionSpec o{{QStringLiteral("j"), QStringLiteral("jobs")},
                 QStringLiteral("N"),
                 QStringLiteral("liczba plików sprawdzanych jednocześnie (1–256)"),
                 QStringLiteral("Opcja -j wymaga liczby wątków od 1 do 256.")};
    o.accepts = [](const QString& value) {
        bool ok = false;
        const int n = value.toInt(&ok);
        return ok && n >= 1 && n <= 256;
    };
    return o;
}

OptionSpec pdfOption() {
    return {{QStringLiteral("pdf")},
            QStringLiteral("WYJŚCIE"),
            QStringLiteral("plik PDF; bez tej opcji nazwa wniosku z rozszerzeniem .pdf"),
            QStringLiteral("Opcja --pdf wymaga nazwy pliku.")};
}

OptionSpec databaseOption() {
    OptionSpec o{
        {QStringLiteral("db")},
        QStringLiteral("CEL"),
        QStringLiteral("baza danych: plik SQLite albo adres "
                       "postgresql://[użytkownik[:hasło]@][host][:port][/baza][?parametr=wartość]"
                       " (brakujące części ze zmiennych PG*, hasło także z ~/.pgpass)"),
        QStringLiteral("Opcja --db wymaga bazy danych: pliku SQLite albo adresu "
                       "postgresql://użytkownik@host:port/baza.")};
    o.required = true;
    return o;
}

OptionSpec replaceOption() {
    return {{QStringLiteral("replace")},
            QString(),
            QStringLiteral("zastępuje wnioski, które już są w bazie (ta sama suma kontrolna)"),
            QString()};
}

OptionSpec helpPdfOption() {
    OptionSpec o{{QStringLiteral("pdf")},
                 QStringLiteral("WYJŚCIE"),
                 QStringLiteral("plik PDF z instrukcją"),
                 QStringLiteral("Opcja --pdf wymaga nazwy pliku.")};
    o.required = true;
    return o;
}

std::vector<CommandSpec> buildTable() {
    return {
        {QStringLiteral("validate"),
         QStringLiteral("PLIK..."),
         QStringLiteral("Sprawdza pliki wniosków: sumę kontrolną i reguły poprawności, tak jak "
                        "sprawdza je program Zelgor.\nDla każdego pliku wypisuje „poprawny”, "
                        "„błędy: N” lub „ostrzeżenia: N” i znalezione błędy."),
         1,
         -1,
         {binOption(), jsonOption(), jobsOption()},
         runValidateCommand},
        {QStringLiteral("checksum"),
         QStringLiteral("PLIK..."),
         QStringLiteral("Dla każdego pliku wniosku wypisuje zapisaną i obliczoną sumę kontrolną "
                        "oraz to, czy się zgadzają."),
         1,
         -1,
         {binOption(), jsonOption()},
         runChecksumCommand},
        {QStringLiteral("import"),
         QStringLiteral("PLIK..."),
         QStringLiteral("Wczytuje sprawdzone pliki wniosków do bazy danych: każda tabela wniosku "
                        "to tabela bazy, każdy plik to jedna transakcja.\nPliki uszkodzone, z "
                        "niepoprawną sumą kontrolną lub innego typu są odrzucane; wniosek już "
                        "zaimportowany jest pomijany."),
         1,
         -1,
         {databaseOption(), binOption(), jobsOption(), replaceOption(), jsonOption()},
         runImportCommand},
        {QStringLiteral("diff"),
         QStringLiteral("STARY NOWY"),
         QStringLiteral("Porównuje dwie wersje wniosku, wczytane tak jak w edytorze: dla każdej "
                        "różniącej się wartości wypisuje sekcję, pole, wiersz tabeli oraz starą "
                        "i nową wartość, a także stan sumy kontrolnej obu plików.\nKod wyjścia: "
                        "0 gdy wnioski są takie same, 1 gdy się różnią, 2 przy błędzie."),
         2,
         2,
         {binOption(), jsonOption()},
         runDiffCommand},
        {QStringLiteral("resave"),
         QStringLiteral("WEJŚCIE WYJŚCIE"),
         QStringLiteral("Otwiera wniosek WEJŚCIE i zapisuje go jako WYJŚCIE w bieżącej wersji, "
                        "z nową sumą kontrolną."),
         2,
         2,
         {binOption()},
         runResaveCommand},
        {QStringLiteral("new"),
         QStringLiteral("WYJŚCIE"),
         QStringLiteral("Zapisuje nowy, pusty wniosek jako WYJŚCIE."),
         1,
         1,
         {binOption()},
         runNewCommand},
        {QStringLiteral("print"),
         QStringLiteral("PLIK"),
         QStringLiteral("Drukuje wniosek do pliku PDF, tak jak wydruk z edytora; wniosek z błędami "
                        "otrzymuje znak wydruku próbnego."),
         1,
         1,
         {binOption(), pdfOption()},
         runPrintCommand},
        {QStringLiteral("help"),
         QString(),
         QStringLiteral("Zapisuje całą instrukcję wypełniania wniosku (pomoc edytora) jako plik "
                        "PDF do wydrukowania."),
         0,
         0,
         {binOption(), helpPdfOption()},
         runHelpCommand},
    };
}

} // namespace

std::span<const CommandSpec> commandTable() {
    static const std::vector<CommandSpec> table = buildTable();
    return table;
}

const CommandSpec* findCommand(const QString& name) {
    for (const CommandSpec& c : commandTable())
        if (c.name == name) return &c;
    return nullptr;
}
