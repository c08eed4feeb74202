#pragma once

// A section frame described as data: panels with their heading, hint lines and help topic,
// and one row per control. The builder turns a description into widgets; nothing else
// switches over the control kind.
#include <QFlags>
#include <QString>

#include <vector>

namespace editor {

enum class ControlKind {
    Edit,           // one string field
    MaskEdit,       // one string field with an input mask
    Memo,           // one long string field
    Lookup,         // one lookup field; the list comes from its dictionary table
    Check,          // one short field: on and off values
    Date,           // one date field
    Currency,       // one float field shown as ",0.00"
    Spin,           // one integer field
    RadioGroup,     // one short field, one button per value
    BoundLabel,     // one field shown as text
    Grid,           // one table, one row per record
    RepeatingPanel, // one table, the child rows repeated for the current record
    Navigator,      // one table: Insert, Delete, Post, Cancel
    YearGrids,      // the year-column grids of the frame's class with their year buttons
};

// Behaviour a row cannot say with its other columns.
enum class Behaviour : unsigned {
    Disabled = 1u << 0,         // never takes input
    ReadOnly = 1u << 1,         // shows the value only
    LimitOnTyping = 1u << 2,    // at the limit no key (backspace included) is taken
    SingleLine = 1u << 3,       // a memo that refuses Enter
    DateTextCheck = 1u << 4,    // the typed date must be whole or blank
    Hidden = 1u << 5,           // built and bound but never shown
    WholeCountryFlag = 1u << 6, // navigator: dsWniosek.lok_caly_kraj follows the row count
    SettlementMonth = 1u << 7,  // the month check plus the two settlement-date warnings
    StartsDisabled = 1u << 8,   // disabled until a rule of the data module enables it
    NoLabel = 1u << 9,          // the heading says it: the label is only read out (check
                                // boxes: a tooltip, the box centred under its column's word)
    UpperCaseTyping = 1u << 10, // every typed letter goes in as its capital
    StatementDate = 1u << 11,   // date: warns when later than the final settlement's month
};
Q_DECLARE_FLAGS(Behaviours, Behaviour)

} // namespace editor

// Outside the namespace, where Qt expects it: inside, it would hide Qt's own operators
// (Qt::CTRL | Qt::Key_Up) from the editor's code.
Q_DECLARE_OPERATORS_FOR_FLAGS(editor::Behaviours)

namespace editor {

// Where a row's label and control go.
enum class Placement {
    NewLine, // label on the left, control beside it, on a new line
    Beside,  // label and control to the right of the previous control
    Above,   // label on its own line, control below it across the frame
};

// A lookup that lists only the children of the value chosen one level up while it has the
// focus: dictionary.keyField = parentTable.parentField ("-1" when none is chosen).
struct Cascade {
    const char* dictionary = nullptr;
    const char* keyField = nullptr;
    const char* parentTable = nullptr;
    const char* parentField = nullptr;
    bool isSet() const { return dictionary != nullptr; }
};

// One column of a grid.
struct ColumnRow {
    const char* field;
    const char* title;
    int width = 120;
    bool readOnly = false;
    bool hidden = false;
    const char* mask = nullptr; // input mask of the cell editor
    Cascade cascade = {};       // lookup column filtered while its cell is edited
    bool monthCheck = false;    // "MM RRRR" month texts
};

struct ControlRow {
    const char* name; // object name: e601001, tytul_projektu, dxDBEdit1
    ControlKind kind;
    const char* table = nullptr; // dataset, e.g. "dsWniosek"
    const char* field = nullptr; // field; empty for unbound edits, grids, panels, navigators
    QString label;               // visible label (check boxes: their caption) and accessible name
    QString prompt = {};         // text in the label column when it is not the label (a question)
    Behaviours behaviour = {};
    Placement placement = Placement::NewLine;
    int maxLength = 0;              // 0: the field's size
    const char* mask = nullptr;     // mask edits, e.g. "!00 0000;1;_"
    const char* onValue = nullptr;  // check boxes
    const char* offValue = nullptr; // check boxes
    Cascade cascade = {};
    const char* enterFilter = nullptr;     // lookup: dictionary filter text while focused
    int width = 0;                         // preferred width in pixels; 0: stretch
    int height = 0;                        // memos, grids and panels
    std::vector<ColumnRow> columns = {};   // grids
    std::vector<ControlRow> children = {}; // repeating panels
    std::vector<std::pair<QString, QString>> choices = {}; // radio groups: value, caption
};

// A word over one column of the controls that every line of a panel lays side by side;
// the column is as wide as its controls.
struct ColumnHead {
    QString text;
    int width;
};

// The words over those columns: `lead` ends the label column, then one word per column.
struct ColumnHeads {
    QString lead;
    std::vector<ColumnHead> columns = {};
};

// One coloured panel of a frame: a section or point of the paper form.
struct FramePanel {
    std::vector<QString> heading;    // bold lines
    std::vector<QString> hints = {}; // italic lines under the heading
    int helpTopic;                   // passed unchanged to the help viewer
    std::vector<ControlRow> rows;
    bool helpButtonHidden = false; // F1 still opens the topic
    ColumnHeads columnHeads = {};  // over the rows, when they form a table
};

struct FrameDescription {
    const char* className; // Tfr_tytul_proj
    std::vector<FramePanel> panels;
};

} // namespace editor
