#include "editor/validation/message_browser.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace editor {

TfmMsgForm_t::TfmMsgForm_t(const QStringList& messages, QWidget* editorWindow)
    : QDialog(editorWindow, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      messages_(messages), msgMemo_(new QPlainTextEdit(this)),
      btnPoprzedni_(new QPushButton(QStringLiteral("< Poprzedni"), this)),
      btnNastepny_(new QPushButton(QStringLiteral("Następny >"), this)),
      btnZamknij_(new QPushButton(QStringLiteral("Dalej >"), this)) {
    setObjectName(QStringLiteral("fmMsgForm"));
    setWindowTitle(QStringLiteral("Zelgor"));
    setModal(true);
    resize(480, 300);

    auto* top = new QWidget(this);
    top->setObjectName(QStringLiteral("Panel2"));
    auto* topLayout = new QHBoxLayout(top);
    auto* image = new QLabel(top);
    image->setObjectName(QStringLiteral("imgError"));
    image->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    auto* label = new QLabel(QStringLiteral("Podczas otwierania wniosku wystąpiły błędy."), top);
    label->setObjectName(QStringLiteral("Label1"));
    topLayout->addWidget(image);
    topLayout->addWidget(label, 1);

    msgMemo_->setObjectName(QStringLiteral("msgMemo"));
    msgMemo_->setReadOnly(true);
    msgMemo_->setFocusPolicy(Qt::NoFocus);
    msgMemo_->setFrameShape(QFrame::Box);
    msgMemo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette palette = msgMemo_->palette();
    palette.setColor(QPalette::Base, QColor(204, 227, 210));
    msgMemo_->setPalette(palette);

    auto* bottom = new QWidget(this);
    bottom->setObjectName(QStringLiteral("Panel1"));
    auto* buttons = new QHBoxLayout(bottom);
    btnPoprzedni_->setObjectName(QStringLiteral("btnPoprzedni"));
    btnPoprzedni_->setToolTip(QStringLiteral("Poprzedni błąd"));
    btnNastepny_->setObjectName(QStringLiteral("btnNastepny"));
    btnNastepny_->setToolTip(QStringLiteral("Następny błąd"));
    btnZamknij_->setObjectName(QStringLiteral("btnZamknij"));
    btnZamknij_->setToolTip(QStringLiteral("Edycja Wniosku"));
    buttons->addStretch(1);
    buttons->addWidget(btnPoprzedni_);
    buttons->addWidget(btnNastepny_);
    buttons->addWidget(btnZamknij_);
    btnPoprzedni_->setEnabled(false);
    btnZamknij_->setEnabled(false);
    btnNastepny_->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(top);
    layout->addWidget(msgMemo_, 1);
    layout->addWidget(bottom);

    connect(btnPoprzedni_, &QPushButton::clicked, this, &TfmMsgForm_t::btnPoprzedniClick);
    connect(btnNastepny_, &QPushButton::clicked, this, &TfmMsgForm_t::btnNastepnyClick);
    connect(btnZamknij_, &QPushButton::clicked, this, &TfmMsgForm_t::btnZamknijClick);
    ShowMessageAt(0);
}

void TfmMsgForm_t::ShowMessageAt(int i) {
    if (i < messages_.size()) {
        QString text = messages_[i];
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        msgMemo_->setPlainText(text);
    }
    btnPoprzedni_->setEnabled(i >= 1);
    btnNastepny_->setEnabled(i < messages_.size() - 1);
    if (i == messages_.size() - 1) {
        btnZamknij_->setEnabled(true);
        btnZamknij_->setDefault(true);
        MayClose = true;
    }
}

void TfmMsgForm_t::btnPoprzedniClick() {
    if (MessageIndex > 0) --MessageIndex;
    ShowMessageAt(MessageIndex);
}

void TfmMsgForm_t::btnNastepnyClick() {
    if (MessageIndex < messages_.size() - 1) ++MessageIndex;
    ShowMessageAt(MessageIndex);
}

void TfmMsgForm_t::btnZamknijClick() {
    MayClose = true;
    accept();
}

// The close box and Esc do nothing until the last message has been shown.
void TfmMsgForm_t::closeEvent(QCloseEvent* event) {
    if (!MayClose) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TfmMsgForm_t::reject() {
    if (MayClose) QDialog::reject();
}

} // namespace editor
