#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;
class QPushButton;

namespace editor {

// The message browser all application types share: steps the user through the problems
// found while the application file was opened, one message at a time, before editing
// begins. It can be left only after the last message has been shown.
class TfmMsgForm_t : public QDialog {
    Q_OBJECT
public:
    TfmMsgForm_t(const QStringList& messages, QWidget* editorWindow);

    int MessageIndex = 0;
    bool MayClose = false;

    void ShowMessageAt(int i);

    QPlainTextEdit* memo() const { return msgMemo_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void btnPoprzedniClick();
    void btnNastepnyClick();
    void btnZamknijClick();

    QStringList messages_;
    QPlainTextEdit* msgMemo_;
    QPushButton* btnPoprzedni_;
    QPushButton* btnNastepny_;
    QPushButton* btnZamknij_;
};

// The message browser of this application type: the template as it is.
class TfmMsgForm : public TfmMsgForm_t {
public:
    using TfmMsgForm_t::TfmMsgForm_t;
};

} // namespace editor
