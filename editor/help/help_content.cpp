#include "editor/help/help_content.h"

#include "editor/forms/controls/date_control.h"
#include "editor/forms/frames/frame_registry.h"
#include "editor/grid/grid_description.h"
#include "editor/grid/year_grid_panel.h"
#include "validation/input_handler_table.h"
#include "validation/rules_finance.h"
#include "validation/rules_project.h"

#include <algorithm>

namespace editor {

namespace {

QString esc(const QString& text) {
    return text.toHtmlEscaped();
}

QString quoted(const QString& text) {
    return QStringLiteral("„%1”").arg(esc(text));
}

QString latin(const char* text) {
    return text ? QString::fromUtf8(text) : QString();
}

bool same(const char* a, const QString& b) {
    return a && QString::fromUtf8(a).compare(b, Qt::CaseInsensitive) == 0;
}

// A caption as the user sees it, without the accelerator mark.
QString caption(const ControlRow& row) {
    QString text = row.prompt.isEmpty() ? row.label
                   : row.kind == ControlKind::Check
                       ? QStringLiteral("%1 – %2").arg(row.prompt, row.label)
                       : row.prompt;
    return text.remove(u'&').simplified();
}

// One rule (or part) with its message, as the rule table gives it.
struct RuleEntry {
    QString number;
    QString message;
    bool warning;
    QString table;
    QString field;
    QString control;
};

void collectRules(std::span<const ValidationRule> rules, std::vector<RuleEntry>& out) {
    for (const ValidationRule& r : rules) {
        if (r.message)
            out.push_back({latin(r.number.text()), QString::fromUtf8(r.message),
                           r.severity == Severity::Warning, latin(r.table), latin(r.field),
                           latin(r.control)});
        collectRules(r.parts, out);
    }
}

const std::vector<RuleEntry>& ruleEntries() {
    static const std::vector<RuleEntry> entries = [] {
        std::vector<RuleEntry> e;
        collectRules(projectApplicantRules(), e);
        collectRules(financeScheduleRules(), e);
        return e;
    }();
    return entries;
}

// The refusal message of an input check: what it says to a text it cannot take.
QString refusalOf(const InputHandler& handler) {
    for (const QString& probe : {QStringLiteral("-1"), QStringLiteral("x"), QStringLiteral("1")})
        if (const InputVerdict v = handler(probe); !v.accept) return v.message;
    return {};
}

// The format an input check asks for, by a word of its refusal message.
struct CheckFormat {
    const char* word;
    const char* format;
};
const CheckFormat kCheckFormats[] = {
    {"NIP", "NIP: 10 cyfr w układzie 000-000-00-00; ostatnia cyfra jest cyfrą kontrolną, "
            "program sprawdza ją po wyjściu z pola"},
    {"REGON", "REGON: 9 albo 14 cyfr; ostatnia cyfra jest cyfrą kontrolną"},
    {"PESEL", "PESEL: 11 cyfr; ostatnia cyfra jest cyfrą kontrolną"},
    {"kod pocztowy", "kod pocztowy w układzie 00-000, np. 00-950"},
    {"poczty elektronicznej", "adres poczty elektronicznej, np. jan.kowalski@example.pl; bez "
                              "spacji, z kropką w nazwie domeny"},
    {"miesiąc", "miesiąc i rok w formacie \"mm rrrr\", np. 03 2006"},
    {"ujemna", "kwota w złotych, np. 12 500,00; nie może być ujemna"},
};

QString formatByCheck(const QString& refusal) {
    for (const CheckFormat& c : kCheckFormats)
        if (refusal.contains(QString::fromUtf8(c.word))) return QString::fromUtf8(c.format);
    return {};
}

QString formatOf(const ControlRow& row, const QString& refusal) {
    const QString byCheck = formatByCheck(refusal);
    const QString limit =
        row.maxLength > 0 ? QStringLiteral("; najwyżej %1 znaków").arg(row.maxLength) : QString();
    if (row.behaviour.testAnyFlags(Behaviour::Disabled | Behaviour::ReadOnly))
        return QStringLiteral("wypełnia program; pola nie można zmienić");
    switch (row.kind) {
    case ControlKind::Edit:
        if (row.behaviour.testFlag(Behaviour::UpperCaseTyping))
            return QStringLiteral("tekst; litery są zamieniane na wielkie (drukowane)") + limit;
        return byCheck.isEmpty() ? QStringLiteral("tekst") + limit : byCheck;
    case ControlKind::MaskEdit:
        if (!byCheck.isEmpty()) return byCheck;
        return QStringLiteral("tekst według wzoru %1")
            .arg(quoted(latin(row.mask).section(u';', 0, 0)));
    case ControlKind::Memo:
        return QStringLiteral("tekst wielowierszowy") + limit +
               QStringLiteral("; nieznane słowa są podkreślane przez sprawdzanie pisowni");
    case ControlKind::Lookup:
        return row.cascade.isSet()
                   ? QStringLiteral("wybór z listy; lista zawiera tylko pozycje należące do "
                                    "wyboru w polu powyżej (bez niego jest pusta)")
                   : QStringLiteral("wybór z listy (strzałka w dół lub Alt+↓ otwiera listę)");
    case ControlKind::Check:
        return QStringLiteral("pole wyboru: spacja lub kliknięcie zaznacza i odznacza");
    case ControlKind::Date:
        return QStringLiteral("data w formacie rrrr.mm.dd, np. 2005.03.31; przycisk obok "
                              "otwiera kalendarz");
    case ControlKind::Currency:
        return byCheck.isEmpty() ? QStringLiteral("kwota w złotych z groszami, np. 12 500,00")
                                 : byCheck;
    case ControlKind::Spin:
        return QStringLiteral("liczba całkowita; strzałki zwiększają i zmniejszają");
    case ControlKind::RadioGroup: {
        QStringList choices;
        for (const auto& [value, text] : row.choices)
            choices << quoted(text);
        return QStringLiteral("jedna z możliwości: ") + choices.join(QStringLiteral(", "));
    }
    case ControlKind::BoundLabel:
        return QStringLiteral("numer nadawany przez program");
    case ControlKind::Grid:
    case ControlKind::RepeatingPanel:
    case ControlKind::Navigator:
    case ControlKind::YearGrids:
        break;
    }
    return {};
}

// The rules that lead to a row: by its table and field, or by the control's name when the
// rule names no field; a grid or panel stands for its whole table.
std::vector<const RuleEntry*> rulesFor(const ControlRow& row) {
    std::vector<const RuleEntry*> found;
    for (const RuleEntry& r : ruleEntries()) {
        bool match = false;
        if (!r.table.isEmpty() && same(row.table, r.table))
            match = (row.field && same(row.field, r.field)) ||
                    (!row.field &&
                     (row.kind == ControlKind::Grid || row.kind == ControlKind::RepeatingPanel));
        if (r.table.isEmpty()) match = same(row.name, r.control);
        if (match) found.push_back(&r);
    }
    return found;
}

QString messagesCell(const QString& refusal, const std::vector<const RuleEntry*>& rules) {
    QStringList lines;
    if (!refusal.isEmpty()) lines << QStringLiteral("Po wyjściu z pola: %1").arg(quoted(refusal));
    for (const RuleEntry* r : rules)
        lines << QStringLiteral("%1 (reguła %2): %3")
                     .arg(r->warning ? QStringLiteral("Ostrzeżenie walidacji")
                                     : QStringLiteral("Walidacja"),
                          r->number.isEmpty() ? QStringLiteral("–") : esc(r->number),
                          quoted(r->message));
    return lines.join(QStringLiteral("<br>"));
}

QString refusalFor(const QString& frameClass, const ControlRow& row) {
    if (row.behaviour.testAnyFlags(Behaviour::DateTextCheck | Behaviour::StatementDate))
        return DateControl::notADateMessage();
    if (InputHandler h = inputHandlerFor(frameClass, latin(row.name))) return refusalOf(h);
    return {};
}

class TopicWriter {
public:
    explicit TopicWriter(const char* frameClass) : frameClass_(QString::fromUtf8(frameClass)) {}

    void rows(const std::vector<ControlRow>& rows, const QString& prefix) {
        for (const ControlRow& row : rows)
            this->row(row, prefix);
    }

    QString table() const {
        if (cells_.isEmpty()) return {};
        return QStringLiteral(
                   "<h2>Pola</h2>\n<table class=\"pola\" width=\"100%\"><tr><th>Pole</th>"
                   "<th>Co wpisać</th><th>Wymagania i komunikaty</th></tr>\n%1</table>\n")
            .arg(cells_);
    }
    QString extra() const { return extra_; }

private:
    void line(const QString& name, const QString& format, const QString& messages) {
        cells_ += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>\n")
                      .arg(esc(name), format, messages);
    }

    void row(const ControlRow& row, const QString& prefix) {
        if (row.behaviour.testFlag(Behaviour::Hidden)) return;
        const QString name = prefix + caption(row);
        switch (row.kind) {
        case ControlKind::Navigator:
            if (!extra_.contains(QLatin1String("id=\"nawigator\"")))
                extra_ += QStringLiteral(
                    "<h2 id=\"nawigator\">Dodawanie i usuwanie pozycji</h2><p>Przyciski pod "
                    "listą: „Wstaw” dodaje nową pozycję na końcu, „Usuń” usuwa bieżącą (bez "
                    "pytania), „Zatwierdź” zapisuje wpisane wartości, „Anuluj” je "
                    "odrzuca.</p>\n");
            return;
        case ControlKind::Grid: {
            // The grid's own line takes the rules of the table that no shown column takes.
            std::vector<const RuleEntry*> own;
            for (const RuleEntry* r : rulesFor(row))
                if (std::none_of(row.columns.begin(), row.columns.end(), [r](const ColumnRow& c) {
                        return !c.hidden && same(c.field, r->field);
                    }))
                    own.push_back(r);
            line(name,
                 QStringLiteral("tabela, jeden wiersz na pozycję; Tab przechodzi do "
                                "następnej kolumny"),
                 messagesCell({}, own));
            for (const ColumnRow& c : row.columns) {
                if (c.hidden) continue;
                ControlRow cell{.name = row.name,
                                .kind = ControlKind::Edit,
                                .table = row.table,
                                .field = c.field,
                                .label = QString::fromUtf8(c.title)};
                QString format = c.monthCheck        ? formatByCheck(QStringLiteral("miesiąc"))
                                 : c.readOnly        ? QStringLiteral("wypełnia program")
                                 : c.cascade.isSet() ? formatOf({.name = row.name,
                                                                 .kind = ControlKind::Lookup,
                                                                 .label = {},
                                                                 .cascade = c.cascade},
                                                                {})
                                                     : QStringLiteral("tekst lub wybór z listy");
                line(name + QStringLiteral(" – kolumna ") + cell.label, format,
                     messagesCell({}, rulesFor(cell)));
            }
            return;
        }
        case ControlKind::RepeatingPanel:
            line(name.isEmpty() ? QStringLiteral("Lista") : name,
                 QStringLiteral("lista pozycji; widać dwie naraz, obramowana jest bieżąca; "
                                "Ctrl+↑ i Ctrl+↓ przechodzą między pozycjami"),
                 messagesCell({}, rulesFor(row)));
            rows(row.children, (name.isEmpty() ? QString() : name + QStringLiteral(" – ")));
            return;
        case ControlKind::YearGrids:
            yearGrids();
            return;
        default:
            break;
        }
        const QString refusal = refusalFor(frameClass_, row);
        line(name, esc(formatOf(row, refusal)), messagesCell(refusal, rulesFor(row)));
    }

    void yearGrids() {
        const YearGridPanelDescription panel = yearGridPanelFor(frameClass_);
        bool switchable = false;
        for (const auto& entry : panel.grids) {
            const YearGridDescription& g = entry.grid;
            switchable = switchable || !g.flagPrefix.isEmpty();
            QStringList columns;
            int years = 0;
            for (const GridColumn& c : g.columns) {
                if (c.kind == GridColumnKind::Hidden) continue;
                if (c.year > 0 && c.kind == GridColumnKind::Amount) {
                    ++years;
                    continue;
                }
                if (c.year == 0) columns << quoted(c.caption);
            }
            QString name = entry.heading.isEmpty() ? g.caption : entry.heading;
            for (const GridColumn& c : g.columns)
                if (name.isEmpty() && c.kind == GridColumnKind::Text) name = c.caption;
            std::vector<const RuleEntry*> rules;
            for (const RuleEntry& r : ruleEntries())
                if (r.table.compare(g.dataSet, Qt::CaseInsensitive) == 0) rules.push_back(&r);
            line(name,
                 QStringLiteral("tabela kwot: kolumny %1 i %2 kolumn lat; kwoty w złotych, "
                                "np. 12 500,00; kolumny procentów i sum liczy program")
                     .arg(columns.join(QStringLiteral(", ")))
                     .arg(years),
                 messagesCell({}, rules));
        }
        if (switchable)
            extra_ += QStringLiteral(
                          "<h2>Lata w tabelach: „Dodaj rok” i „Usuń rok”</h2><p>Na początku "
                          "tabele pokazują lata %1–%2. Aby dodać kolumnę późniejszego roku, "
                          "ustaw rok (%3–%4) w polu „Rok” nad tabelami i naciśnij „Dodaj rok”: "
                          "kolumna tego roku pojawia się we wszystkich tabelach sekcji, z kwotami "
                          "0. „Usuń rok” ukrywa kolumnę roku ustawionego w polu „Rok” i usuwa "
                          "jego kwoty (bez pytania). To, które lata są widoczne, zapisuje się "
                          "razem z wnioskiem.</p>\n")
                          .arg(kFirstGridYear)
                          .arg(kLastDesignYear)
                          .arg(kFirstAddableYear)
                          .arg(kLastGridYear);
    }

    QString frameClass_;
    QString cells_;
    QString extra_;
};

struct TopicParts {
    QString title;
    QString body;
};

QString windowTopicBody() {
    QString body = helpExplanations().at(kWindowHelpTopic);
    body += QStringLiteral("<h2>Strony formularza</h2><ul>");
    for (const PageFrames& page : framePages()) {
        QStringList sections;
        for (const FrameDescription& frame : page.frames)
            for (const FramePanel& panel : frame.panels)
                sections << QStringLiteral("<a href=\"temat_%1.html\">%2</a>")
                                .arg(panel.helpTopic)
                                .arg(esc(panel.heading.front().trimmed()));
        sections.removeDuplicates();
        body +=
            QStringLiteral("<li><b>%1</b>: %2</li>")
                .arg(esc(QString(page.caption).remove(u'&')), sections.join(QStringLiteral(", ")));
    }
    body += QStringLiteral("</ul>");
    return body;
}

} // namespace

QString fieldDescription(const QString& frameClass, const ControlRow& row) {
    return formatOf(row, refusalFor(frameClass, row));
}

help::HelpBook generateHelpBook() {
    help::HelpBook book;
    book.add({kWindowHelpTopic,
              QStringLiteral("Edytor wniosku – jak wypełnić wniosek"),
              windowTopicBody(),
              {}});
    // Panels that share a topic number share its page, in the order they appear.
    std::vector<int> order;
    std::map<int, TopicParts> topics;
    for (const PageFrames& page : framePages())
        for (const FrameDescription& frame : page.frames)
            for (const FramePanel& panel : frame.panels) {
                TopicParts& t = topics[panel.helpTopic];
                const QString heading =
                    QStringList(panel.heading.begin(), panel.heading.end()).join(u' ').simplified();
                if (t.title.isEmpty()) {
                    order.push_back(panel.helpTopic);
                    t.title = heading;
                    const auto text = helpExplanations().find(panel.helpTopic);
                    if (text != helpExplanations().end()) t.body += text->second;
                } else {
                    t.body += QStringLiteral("<h2>%1</h2>\n").arg(esc(heading));
                }
                for (const QString& hint : panel.hints)
                    t.body += QStringLiteral("<p><i>%1</i></p>\n").arg(esc(hint));
                TopicWriter writer(frame.className);
                writer.rows(panel.rows, {});
                t.body += writer.table() + writer.extra();
            }
    for (int number : order)
        book.add({number, topics[number].title, topics[number].body, {}});
    return book;
}

} // namespace editor
