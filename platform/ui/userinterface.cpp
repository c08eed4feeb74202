#include "platform/ui/userinterface.h"

MessageResult defaultAnswer(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
    case MessageButtons::OkCancel:
        return MessageResult::Ok;
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel:
        return MessageResult::Yes;
    }
    return MessageResult::Ok;
}

bool offersAnswer(MessageButtons buttons, MessageResult answer) {
    switch (buttons) {
    case MessageButtons::Ok:
        return answer == MessageResult::Ok;
    case MessageButtons::OkCancel:
        return answer == MessageResult::Ok || answer == MessageResult::Cancel;
    case MessageButtons::YesNo:
        return answer == MessageResult::Yes || answer == MessageResult::No;
    case MessageButtons::YesNoCancel:
        return answer != MessageResult::Ok;
    }
    return false;
}
