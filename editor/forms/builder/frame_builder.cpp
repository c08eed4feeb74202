#include "editor/forms/builder/frame_builder.h"

#include "editor/forms/binding/binder.h"
#include "editor/forms/builder/help_topic.h"
#include "editor/forms/controls/check_control.h"
#include "editor/forms/controls/choice_controls.h"
#include "editor/forms/controls/currency_control.h"
#include "editor/forms/controls/date_control.h"
#include "editor/forms/controls/edit_control.h"
#include "editor/forms/controls/grid_control.h"
#include "editor/forms/controls/lookup_control.h"
#include "editor/forms/controls/memo_control.h"
#include "editor/forms/controls/navigator_control.h"
#include "editor/forms/controls/repeating_panel.h"
#include "editor/forms/controls/spell_checker.h"
#include "editor/forms/controls/year_grids_control.h"
#include "editor/help/help_content.h"
#include "model/dm_main.h"
#include "platform/ui/userinterface.h"
#include "validation/date_order_warnings.h"
#include "validation/input_handler_table.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace editor {

QColor panelColour() {
    return QColor(0xFF, 0xFF, 0xE1);
}

namespace {

const int kLabelWidth = 230;

QLabel* label(const QString& text, QWidget* parent, bool bold = false, bool italic = false) {
    auto* l = new QLabel(text, parent);
    l->setWordWrap(true);
    QFont f = l->font();
    f.setBold(bold);
    f.setItalic(italic);
    l->setFont(f);
    return l;
}

// Whether the control shows its label itself (check boxes) or needs none (navigators).
bool labelsItself(ControlKind kind) {
    return kind == ControlKind::Check || kind == ControlKind::Navigator ||
           kind == ControlKind::RepeatingPanel || kind == ControlKind::YearGrids;
}

// Sets the whole-country flag from the number of places after any navigator click.
void updateWholeCountryFlag(TdmDataSets& dm) {
    DataSet& places = dm.table(QStringLiteral("dsLokalizacja"));
    DataSet& application = dm.table(QStringLiteral("dsWniosek"));
    const int rows = places.recordCount() + (places.state() == DataSetState::Insert ? 1 : 0);
    try {
        if (!application.isEditing()) application.edit();
        application.field(QStringLiteral("lok_caly_kraj"))
            .setAsString(rows > 0 ? QStringLiteral("N") : QStringLiteral("T"));
        application.post();
    } catch (const DataSetError& e) {
        dm.ui().errorDialog(QString::fromStdString(e.what()));
    }
}

} // namespace

FrameBuilder::FrameBuilder(TdmDataSets& dm, QWidget* bindingOwner)
    : dm_(dm), bindingOwner_(bindingOwner) {
    // Place and institution names of the dictionary file are no spelling mistakes.
    SpellChecker::shared().learnNamesFrom(dm.dictionaryPath);
}

QWidget* FrameBuilder::build(const FrameDescription& frame, QWidget* parent) {
    frameClass_ = QLatin1String(frame.className);
    auto* widget = new QWidget(parent);
    widget->setObjectName(frameClass_);
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    panelGrids_.clear();
    for (const FramePanel& panel : frame.panels)
        layout->addWidget(buildPanel(panel, widget));
    if (panelGrids_.size() > 1) alignLabelColumns();
    return widget;
}

// The panels of one frame share the width of the label column, so their controls line up.
void FrameBuilder::alignLabelColumns() {
    int width = kLabelWidth;
    for (QGridLayout* grid : panelGrids_)
        for (int i = 0; i < grid->count(); ++i) {
            int row = 0, column = 0, rows = 0, columns = 0;
            grid->getItemPosition(i, &row, &column, &rows, &columns);
            if (column == 0 && columns == 1 && grid->itemAt(i)->widget())
                width = std::max(width, grid->itemAt(i)->sizeHint().width());
        }
    for (QGridLayout* grid : panelGrids_)
        grid->setColumnMinimumWidth(0, width);
}

QWidget* FrameBuilder::buildPanel(const FramePanel& panel, QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setAutoFillBackground(true);
    QPalette p = frame->palette();
    p.setColor(QPalette::Window, panelColour());
    frame->setPalette(p);
    frame->setProperty("helpTopic", panel.helpTopic);
    auto* layout = new QVBoxLayout(frame);

    auto* top = new QHBoxLayout;
    auto* headings = new QVBoxLayout;
    for (const QString& line : panel.heading)
        headings->addWidget(label(line, frame, true));
    top->addLayout(headings, 1);
    auto* help = new QToolButton(frame);
    help->setText(QStringLiteral("?"));
    help->setAutoRaise(true);
    help->setToolTip(QStringLiteral("Pomoc"));
    help->setAccessibleName(QStringLiteral("Pomoc"));
    help->setObjectName(QStringLiteral("help_%1").arg(panel.helpTopic));
    help->setProperty("helpTopic", panel.helpTopic);
    help->setFocusPolicy(Qt::NoFocus);
    help->setVisible(!panel.helpButtonHidden);
    top->addWidget(help, 0, Qt::AlignTop);
    layout->addLayout(top);
    const int topic = panel.helpTopic;
    TdmDataSets* dm = &dm_;
    QObject::connect(help, &QToolButton::clicked, frame,
                     [dm, topic] { showHelpTopic(*dm, topic); });
    auto* f1 = new QShortcut(QKeySequence::HelpContents, frame);
    f1->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(f1, &QShortcut::activated, frame, [dm, topic] { showHelpTopic(*dm, topic); });

    for (const QString& hint : panel.hints)
        layout->addWidget(label(hint, frame, false, true));
    auto* grid = new QGridLayout;
    grid->setColumnMinimumWidth(0, kLabelWidth);
    grid->setColumnStretch(1, 1);
    layColumnHeads(panel.columnHeads, grid, frame);
    layRows(panel.rows, panel.helpTopic, grid, frame);
    layout->addLayout(grid);
    panelGrids_.push_back(grid);
    return frame;
}

void FrameBuilder::layRows(const std::vector<ControlRow>& rows, int helpTopic, QGridLayout* grid,
                           QWidget* parent) {
    QHBoxLayout* line = nullptr;
    for (const ControlRow& row : rows) {
        DataControl* control = makeControl(row, parent);
        control->setProperty("helpTopic", helpTopic);
        for (DataControl* inner : control->findChildren<DataControl*>())
            inner->setProperty("helpTopic", helpTopic);
        if (row.behaviour.testFlag(Behaviour::Hidden)) { // no label, no place in the layout
            control->hide();
            continue;
        }
        const bool ownLabel =
            !labelsItself(row.kind) && !row.behaviour.testFlag(Behaviour::NoLabel);
        const QString prompt = row.prompt.isEmpty() && ownLabel ? row.label : row.prompt;
        const int r = grid->rowCount();
        if (row.placement == Placement::Beside && line) {
            if (!prompt.isEmpty()) line->addWidget(label(prompt, parent));
        } else if (row.placement == Placement::Above) {
            if (!prompt.isEmpty()) grid->addWidget(label(prompt, parent), r, 0, 1, 2);
            line = new QHBoxLayout;
            grid->addLayout(line, r + 1, 0, 1, 2);
        } else {
            line = new QHBoxLayout;
            if (!prompt.isEmpty()) {
                QLabel* l = label(prompt, parent);
                l->setBuddy(control);
                grid->addWidget(l, r, 0, Qt::AlignTop);
                grid->addLayout(line, r, 1);
            } else {
                grid->addLayout(line, r, labelsItself(row.kind) ? 0 : 1, 1,
                                labelsItself(row.kind) ? 2 : 1);
            }
        }
        if (row.width > 0) {
            control->setFixedWidth(row.width);
            line->addWidget(control);
        } else {
            line->addWidget(control, 1);
        }
    }
    // Fixed-width controls keep to the left.
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c = 0; c < 2; ++c)
            if (auto* item = grid->itemAtPosition(r, c))
                if (auto* l = qobject_cast<QHBoxLayout*>(item->layout())) {
                    bool anyStretch = false;
                    for (int i = 0; i < l->count(); ++i)
                        anyStretch = anyStretch || l->stretch(i) > 0;
                    if (!anyStretch) l->addStretch();
                }
}

// Laid out as the rows' lines are, with words as wide as the controls below them, so each
// word stands over its column.
void FrameBuilder::layColumnHeads(const ColumnHeads& heads, QGridLayout* grid, QWidget* parent) {
    if (heads.columns.empty()) return;
    const int r = grid->rowCount();
    QLabel* lead = label(heads.lead, parent, false, true);
    lead->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    grid->addWidget(lead, r, 0);
    auto* line = new QHBoxLayout;
    for (size_t i = 0; i < heads.columns.size(); ++i) {
        QLabel* word = label(heads.columns[i].text, parent, false, true);
        word->setWordWrap(false);
        word->setFixedWidth(heads.columns[i].width);
        word->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        word->setObjectName(QStringLiteral("columnHead%1").arg(i));
        line->addWidget(word);
    }
    line->addStretch();
    grid->addLayout(line, r, 1);
}

void FrameBuilder::layBlock(const std::vector<ControlRow>& rows, QWidget* block) {
    auto* grid = new QGridLayout(block);
    grid->setColumnMinimumWidth(0, kLabelWidth - 20);
    grid->setColumnStretch(1, 1);
    layRows(rows, 0, grid, block);
}

DataControl* FrameBuilder::makeControl(const ControlRow& row, QWidget* parent) {
    UserInterface& ui = dm_.ui();
    DataControl* control = nullptr;
    switch (row.kind) {
    case ControlKind::Edit:
    case ControlKind::MaskEdit:
        control = new EditControl(row, ui, parent);
        break;
    case ControlKind::Memo:
        control = new MemoControl(row, ui, parent);
        break;
    case ControlKind::Lookup:
        control = new LookupControl(row, ui, parent);
        break;
    case ControlKind::Check:
        control = new CheckControl(row, ui, parent);
        break;
    case ControlKind::Date:
        control = new DateControl(row, ui, parent);
        break;
    case ControlKind::Currency:
        control = new CurrencyControl(row, ui, parent);
        break;
    case ControlKind::Spin:
        control = new SpinControl(row, ui, parent);
        break;
    case ControlKind::RadioGroup:
        control = new RadioGroupControl(row, ui, parent);
        break;
    case ControlKind::BoundLabel:
        control = new BoundLabelControl(row, ui, parent);
        break;
    case ControlKind::Grid:
        control = new GridControl(row, dm_, ui, parent);
        break;
    case ControlKind::RepeatingPanel: {
        auto* panel = new RepeatingPanelControl(row, ui, parent);
        layBlock(row.children, panel->block());
        // The second block repeats the rows over a copy of the other visible record.
        if (DataSet* table = row.table ? dm_.findTable(QLatin1String(row.table)) : nullptr) {
            TdmDataSets* dm = &dm_;
            copyTable_ = &panel->copyTableFor(
                *table, [dm](const QString& name) { return dm->findTable(name); });
            layBlock(row.children, panel->otherBlock());
            copyTable_ = nullptr;
        }
        control = panel;
        break;
    }
    case ControlKind::Navigator: {
        auto* navigator = new NavigatorControl(row, ui, parent);
        if (row.behaviour.testFlag(Behaviour::WholeCountryFlag)) {
            TdmDataSets* dm = &dm_;
            navigator->afterClick = [dm](NavigatorControl::Button) { updateWholeCountryFlag(*dm); };
        }
        control = navigator;
        break;
    }
    case ControlKind::YearGrids:
        control = new YearGridsControl(row, dm_, frameClass_, ui, parent);
        break;
    }
    if (row.behaviour.testFlag(Behaviour::StartsDisabled)) control->setEnabled(false);
    // Screen readers read the instruction's words on the field's format with its name.
    if (const QString description = fieldDescription(frameClass_, row); !description.isEmpty()) {
        control->setAccessibleDescription(description);
        if (control->editor()) control->editor()->setAccessibleDescription(description);
    }
    bind(control);
    attachBehaviour(control);
    return control;
}

void FrameBuilder::bind(DataControl* control) {
    const ControlRow& row = control->row();
    if (!row.table) {
        control->refresh(nullptr);
        return;
    }
    DataSet* table =
        copyTable_ && copyTable_->name().compare(QLatin1String(row.table), Qt::CaseInsensitive) == 0
            ? copyTable_
            : dm_.findTable(QLatin1String(row.table));
    if (!table) return; // the frame tests name every table; nothing to bind to here
    control->bind(Binder::forTable(bindingOwner_, *table));
    if (auto* lookup = qobject_cast<LookupControl*>(control)) {
        const Field* f = table->findField(QLatin1String(row.field));
        DataSet* dictionary = f ? dm_.findTable(f->definition().lookupDataSet) : nullptr;
        DataSet* parentTable =
            row.cascade.isSet() ? dm_.findTable(QLatin1String(row.cascade.parentTable)) : nullptr;
        lookup->setDictionary(dictionary, parentTable);
    }
}

// The input checks come from the validation layer's table, by frame and control.
void FrameBuilder::attachBehaviour(DataControl* control) {
    const ControlRow& row = control->row();
    TdmDataSets* dm = &dm_;
    if (row.behaviour.testFlag(Behaviour::SettlementMonth)) {
        control->setInputCheck(
            [dm](const QString& text) { return validateSettlementMonthInput(*dm, text); });
    } else if (row.behaviour.testAnyFlags(Behaviour::DateTextCheck | Behaviour::StatementDate)) {
        const bool warnsOnSettlement = row.behaviour.testFlag(Behaviour::StatementDate);
        control->setInputCheck([dm, warnsOnSettlement](const QString& text) {
            bool error = false;
            DataEditValidateDate(text, error);
            if (error) return InputVerdict::refused(DateControl::notADateMessage());
            // The warning keeps the date; a text that is no date is refused when stored.
            if (const QDate date = DateControl::dateFromText(text);
                warnsOnSettlement && date.isValid())
                warnOnDeclarationDate(*dm, date);
            return InputVerdict::accepted();
        });
    } else if (InputHandler handler = inputHandlerFor(frameClass_, QLatin1String(row.name))) {
        control->setInputCheck(std::move(handler));
    }
}

} // namespace editor
