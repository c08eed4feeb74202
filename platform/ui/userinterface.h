#pragma once

#include <QString>

class Field;

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageResult { Ok, Cancel, Yes, No };

// The first button of a set, which is also its default: OK or Yes.
MessageResult defaultAnswer(MessageButtons buttons);
// Whether the set offers the button.
bool offersAnswer(MessageButtons buttons, MessageResult answer);

// The port through which the data module, the file layer and the rules reach the user.
// The editor implements it with widgets; HeadlessUi answers by itself.
class UserInterface {
public:
    virtual ~UserInterface() = default;

    // A modal message box; returns the button pressed.
    virtual MessageResult messageBox(const QString& text, const QString& caption, MessageIcon icon,
                                     MessageButtons buttons) = 0;
    // An error dialog with an OK button.
    virtual void errorDialog(const QString& text) = 0;
    // Enables or disables the control bound to the field of its table (field.dataSet()).
    virtual void enableControlForField(const Field& field, bool enabled) = 0;
    // Moves the focus to the control bound to the field; false when there is none.
    virtual bool focusControlForField(const Field& field) = 0;
    // The busy (hourglass) cursor on or off.
    virtual void setBusyCursor(bool on) = 0;
};

// Shows the busy cursor for its lifetime, so the normal cursor returns on every way out,
// errors included.
class BusyCursor {
public:
    explicit BusyCursor(UserInterface& ui) : ui_(ui) { ui_.setBusyCursor(true); }
    ~BusyCursor() { ui_.setBusyCursor(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    UserInterface& ui_;
};
