#include "editor/forms/frames/field_captions.h"

#include "editor/forms/frames/frame_registry.h"
#include "editor/grid/grid_description.h"

#include <QStringList>

#include <algorithm>

namespace editor {

namespace {

// A label as a caption: without the colon and the line breaks it is laid out with.
QString plain(QString text) {
    text = text.simplified();
    if (text.startsWith(QLatin1String("* "))) text = text.mid(2); // a hint's mark
    while (text.endsWith(QLatin1Char(':')) || text.endsWith(QLatin1Char('*')))
        text = text.chopped(1).trimmed();
    return text;
}

QString sectionOf(const FramePanel& panel) {
    QStringList lines;
    for (const QString& line : panel.heading)
        lines << line.simplified();
    return plain(lines.join(QLatin1Char(' ')));
}

} // namespace

QString FieldCaptions::key(const QString& table, const QString& field) {
    return table.toLower() + QLatin1Char('.') + field.toLower();
}

const FieldCaptions& FieldCaptions::instance() {
    static const FieldCaptions captions;
    return captions;
}

const FieldPlace* FieldCaptions::field(const QString& table, const QString& field) const {
    const auto it = fields_.constFind(key(table, field));
    return it == fields_.constEnd() ? nullptr : &*it;
}

const FieldPlace* FieldCaptions::table(const QString& table) const {
    const auto it = tables_.constFind(table);
    return it == tables_.constEnd() ? nullptr : &*it;
}

FieldCaptions::FieldCaptions() {
    QHash<QString, QString> sectionOfFrame;
    // The first control that shows a field names it: a hidden twin never wins.
    const auto addField = [&](const QString& table, const QString& field, FieldPlace place) {
        if (table.isEmpty() || field.isEmpty() || place.caption.isEmpty()) return;
        if (!fields_.contains(key(table, field))) fields_.insert(key(table, field), place);
    };
    const auto addRows = [&](const auto& self, const std::vector<ControlRow>& rows,
                             const QString& section) -> void {
        QString lineLead; // the question or name that heads the current line
        for (const ControlRow& row : rows) {
            if (row.behaviour.testFlag(Behaviour::Hidden)) continue;
            const QString table = QString::fromUtf8(row.table ? row.table : "");
            const QString name = QString::fromUtf8(row.name);
            if (row.placement != Placement::Beside) lineLead = plain(row.prompt);
            QString caption = plain(row.prompt.isEmpty() ? row.label : row.prompt);
            // A line of check boxes, one field each (an attachment and its answers): the
            // line's name and the box's word.
            if (row.kind == ControlKind::Check && !lineLead.isEmpty() && row.field &&
                std::count_if(rows.begin(), rows.end(), [&](const ControlRow& other) {
                    return other.field && qstrcmp(other.field, row.field) == 0;
                }) == 1)
                caption = lineLead + QStringLiteral(" — ") + plain(row.label);
            if (row.field) addField(table, QString::fromUtf8(row.field), {section, caption, name});
            if (row.kind == ControlKind::Grid || row.kind == ControlKind::RepeatingPanel) {
                if (!tables_.contains(table)) tables_.insert(table, {section, caption, name});
                for (const ColumnRow& column : row.columns)
                    if (!column.hidden)
                        addField(table, QString::fromUtf8(column.field),
                                 {section, plain(QString::fromUtf8(column.title)), name});
            }
            self(self, row.children, section);
        }
    };
    for (const PageFrames& page : framePages())
        for (const FrameDescription& frame : page.frames)
            for (const FramePanel& panel : frame.panels) {
                const QString section = sectionOf(panel);
                if (!sectionOfFrame.contains(QString::fromUtf8(frame.className)))
                    sectionOfFrame.insert(QString::fromUtf8(frame.className), section);
                addRows(addRows, panel.rows, section);
            }
    for (const YearGridDescription& grid :
         {productIndicatorGrid(), resultIndicatorGrid(), profitCategoryGrid(), profitAfterGrid(),
          plannedExpenditureGrid(), financeSourcesGrid(), spendingProfileGrid()}) {
        const QString section = sectionOfFrame.value(grid.frameClass);
        if (!tables_.contains(grid.dataSet))
            tables_.insert(grid.dataSet, {section, plain(grid.caption), grid.name});
        if (!grid.nameField.isEmpty()) rowNames_.insert(grid.dataSet, grid.nameField);
        for (const GridColumn& column : grid.columns) {
            if (column.kind == GridColumnKind::Hidden) continue;
            const QString band =
                column.band >= 0 ? grid.bands[size_t(column.band)].title : QString();
            const QString caption =
                band.isEmpty() || band == column.caption
                    ? column.caption
                    : (column.caption.isEmpty() ? band : band + QLatin1Char(' ') + column.caption);
            addField(grid.dataSet, column.field,
                     {section, plain(caption), grid.name + column.field});
        }
    }
}

} // namespace editor

namespace editor {

DiffCaptions diffCaptions() {
    const FieldCaptions& c = FieldCaptions::instance();
    const auto asPlace = [](const FieldPlace* p) -> std::optional<DiffPlace> {
        if (!p) return std::nullopt;
        return DiffPlace{p->section, p->caption, p->control};
    };
    return {[&c, asPlace](const QString& table, const QString& field) {
                return asPlace(c.field(table, field));
            },
            [&c, asPlace](const QString& table) { return asPlace(c.table(table)); },
            [&c](const QString& table) { return c.rowNameField(table); }};
}

} // namespace editor
