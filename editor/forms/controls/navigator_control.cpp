#include "editor/forms/controls/navigator_control.h"

#include "platform/dataset/dataset.h"
#include "platform/ui/userinterface.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace editor {

namespace {

struct ButtonLook {
    const char* text;
    const char* hint;
    const char* name;
};

// The hints of the full navigator, of which only these four buttons are shown.
constexpr ButtonLook kLooks[] = {
    {"+", "Wstaw", "insert"},
    {"−", "Usuń", "delete"},
    {"✓", "Zatwierdź", "post"},
    {"✗", "Anuluj", "cancel"},
};

} // namespace

NavigatorControl::NavigatorControl(const ControlRow& row, UserInterface& ui, QWidget* parent)
    : DataControl(row, ui, parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (int i = 0; i < 4; ++i) {
        auto* b = new QToolButton(this);
        b->setText(QString::fromUtf8(kLooks[i].text));
        b->setToolTip(QString::fromUtf8(kLooks[i].hint));
        b->setAccessibleName(QString::fromUtf8(kLooks[i].hint));
        b->setObjectName(objectName() + u'_' + QLatin1String(kLooks[i].name));
        // Tab reaches it (Space presses it); a click leaves the focus where the typing is.
        b->setFocusPolicy(Qt::TabFocus);
        b->setMinimumWidth(28);
        connect(b, &QToolButton::clicked, this, [this, i] { click(Button(i)); });
        buttons_[i] = b;
        layout->addWidget(b);
    }
    layout->addStretch();
}

QToolButton* NavigatorControl::button(Button b) const {
    return buttons_[int(b)];
}

void NavigatorControl::click(Button b) {
    DataSet* t = link().table();
    if (!t || !t->isActive() || isReadOnly()) return;
    // Text typed into a control of the table and not yet stored belongs to the record it
    // was typed for: Insert and Post store it first, Cancel and Delete drop it.
    if (DataControl* typing = DataControl::focused();
        typing && typing != this && typing->isDirty() && typing->link().table() == t) {
        if (b == Button::Insert || b == Button::Post) {
            if (!typing->commit()) return;
        } else {
            typing->discardTyping();
        }
    }
    try {
        switch (b) {
        case Button::Insert:
            t->append();
            break;
        case Button::Delete:
            if (t->state() == DataSetState::Insert)
                t->cancel();
            else if (!t->isEmpty())
                t->deleteRecord();
            break;
        case Button::Post:
            if (t->isEditing()) t->post();
            break;
        case Button::Cancel:
            if (t->isEditing()) t->cancel();
            break;
        }
    } catch (const DataSetError& e) {
        ui().errorDialog(QString::fromStdString(e.what()));
    }
    if (afterClick) afterClick(b);
    refresh(nullptr);
}

void NavigatorControl::refresh(const Field* changed) {
    DataControl::refresh(changed);
    updateButtons();
}

void NavigatorControl::updateButtons() {
    const DataSet* t = link().table();
    const bool open = t && t->isActive() && !isReadOnly();
    const bool editing = open && t->isEditing();
    buttons_[int(Button::Insert)]->setEnabled(open);
    buttons_[int(Button::Delete)]->setEnabled(open && (!t->isEmpty() || editing));
    buttons_[int(Button::Post)]->setEnabled(editing);
    buttons_[int(Button::Cancel)]->setEnabled(editing);
}

// Leaving view mode gives the buttons back at once, not with the next change of the table.
void NavigatorControl::applyReadOnly(bool) {
    updateButtons();
}

} // namespace editor
