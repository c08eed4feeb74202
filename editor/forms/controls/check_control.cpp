#include "editor/forms/controls/check_control.h"

#include "platform/dataset/dataset.h"
#include "platform/ui/userinterface.h"

#include <QCheckBox>
#include <QHBoxLayout>

namespace editor {

CheckControl::CheckControl(const ControlRow& row, UserInterface& ui, QWidget* parent)
    : DataControl(row, ui, parent),
      box_(
          new QCheckBox(row.behaviour.testFlag(Behaviour::NoLabel) ? QString() : row.label, this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // A box without a caption stands in the middle of its column, under the column's word.
    if (row.behaviour.testFlag(Behaviour::NoLabel)) {
        layout->addStretch();
        box_->setToolTip(row.label);
    }
    layout->addWidget(box_);
    layout->addStretch(); // a click beside the caption does not tick the box
    box_->setObjectName(objectName() + QStringLiteral("_box"));
    setEditor(box_);
    connect(box_, &QCheckBox::clicked, this, [this](bool ticked) {
        const char* value = ticked ? this->row().onValue : this->row().offValue;
        if (storeNow(QLatin1String(value))) mutableLink().post(this->ui());
        refresh(nullptr);
    });
}

QString CheckControl::fieldText(const Field& field) const {
    return field.asString() == QLatin1String(row().onValue) ? QStringLiteral("1")
                                                            : QStringLiteral("0");
}

QString CheckControl::shownText() const {
    return box_->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

void CheckControl::showText(const QString& text) {
    box_->setChecked(text == QLatin1String("1"));
}

void CheckControl::applyReadOnly(bool readOnly) {
    if (row().behaviour.testFlag(Behaviour::Disabled)) {
        box_->setEnabled(false);
        return;
    }
    // A read-only box keeps its look but takes no click or key.
    box_->setAttribute(Qt::WA_TransparentForMouseEvents, readOnly);
    box_->setFocusPolicy(readOnly ? Qt::NoFocus : Qt::StrongFocus);
    QPalette p = box_->palette();
    p.setColor(QPalette::Base, readOnly ? readOnlyColour() : palette().color(QPalette::Base));
    box_->setPalette(p);
}

} // namespace editor
