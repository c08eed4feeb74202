#pragma once

#include "editor/forms/binding/field_link.h"
#include "editor/forms/description/frame_description.h"
#include "validation/input_handlers.h"

#include <QColor>
#include <QWidget>

#include <functional>

class UserInterface;

namespace editor {

class Binder;

// The base of every data-aware control: the binding, the input check, what entering and
// leaving do, Esc, read-only and view mode. A kind adds its inner widget and three hooks:
// how the field reads as text, what the widget shows, and how to show a text.
//
// Leaving (Tab, a click elsewhere) runs the input check on the typed text; a refused text
// stays in the control with the check's message and the focus comes back, the field keeps
// its value. An accepted text is stored and the record is posted, so the data module's
// rules fire. Esc puts the stored value back.
class DataControl : public QWidget {
    Q_OBJECT
public:
    using InputCheck = std::function<InputVerdict(const QString& text)>;

    DataControl(const ControlRow& row, UserInterface& ui, QWidget* parent);

    const ControlRow& row() const { return row_; }
    QString tableName() const;
    const FieldLink& link() const { return link_; }
    QWidget* editor() const { return editor_; }

    // Binds the control to the field of its row in the binder's table and shows its value.
    virtual void bind(Binder* binder);
    void setInputCheck(InputCheck check) { check_ = std::move(check); }

    // The same table, and either the same field (letter case ignored) or a control that
    // stands for its whole table (grid, repeating panel).
    bool isBoundTo(const QString& table, const QString& field) const;
    virtual bool standsForTable() const { return false; }

    // View mode: memos, check boxes, grids and panels become read-only (they still
    // scroll); every other kind is disabled.
    virtual void setViewOnly(bool on);
    bool isViewOnly() const { return viewOnly_; }
    bool isReadOnly() const { return readOnly_; }

    // Repaints from the table when the shown value differs. A control whose text was typed
    // but not yet stored keeps it; the control that is writing is left alone.
    virtual void refresh(const Field* changed);

    // What leaving does: check, store, post. False when the text was refused.
    bool commit();
    // Whether the control holds typed text not yet stored.
    bool isDirty() const { return dirty_; }
    // Drops typed text not yet stored and shows the stored value again.
    void discardTyping() { restore(); }
    // The data control that holds the focus (in its editor or a widget inside it), if any.
    static DataControl* focused();

signals:
    // A typed text was refused with this message (after it was shown).
    void refused(const QString& message);

protected:
    void setEditor(QWidget* editor);
    UserInterface& ui() const { return ui_; }
    FieldLink& mutableLink() { return link_; }

    virtual QString fieldText(const Field& field) const;
    virtual QString shownText() const = 0;
    // What the input check reads: the shown text unless the kind reports it otherwise.
    virtual QString checkedText() const { return shownText(); }
    virtual void showText(const QString& text) = 0;
    // Plain texts go into the field with every key; converted ones when leaving.
    virtual bool writesWhileTyping() const { return false; }
    // Stores an accepted text. On a text the field cannot take, false with `refusal` set.
    virtual bool storeText(const QString& text, QString& refusal);
    virtual void applyReadOnly(bool readOnly);
    virtual void entered() {}
    virtual void left() {}

    // Subclasses call it when the user changed the widget's text.
    void userTyped();
    // Subclasses that store at once (check boxes, lookups) call it.
    bool storeNow(const QVariant& value);
    bool isPainting() const { return painting_; }
    void updateReadOnly();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refuse(const QString& message);
    void leftForRefusal();
    bool restore();

    ControlRow row_;
    UserInterface& ui_;
    FieldLink link_;
    QWidget* editor_ = nullptr;
    InputCheck check_;
    QString textOnEnter_;
    bool dirty_ = false;
    bool painting_ = false;
    bool viewOnly_ = false;
    bool readOnly_ = false;
    bool readOnlyApplied_ = false;
};

// The colour of data that cannot be changed.
QColor readOnlyColour();

} // namespace editor
