#include "editor/window/action_images.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

namespace editor {

namespace {

QIcon standard(QStyle::StandardPixmap which) {
    return QApplication::style()->standardIcon(which);
}

// A printer: paper fed in at the top, the body, the printed sheet in front.
QIcon printerImage() {
    QPixmap pix(32, 32);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 3, 14, 10));
    p.setBrush(QColor(150, 160, 175));
    p.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 20, 16, 9));
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.drawLine(QPointF(11, 24), QPointF(21, 24));
    p.drawLine(QPointF(11, 26.5), QPointF(19, 26.5));
    p.setBrush(QColor(60, 170, 60));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(24, 15, 3, 3));
    return QIcon(pix);
}

// The save picture with a pen across it: saving under a name still to be written.
QIcon saveAsImage() {
    QPixmap pix = standard(QStyle::SP_DialogSaveButton).pixmap(32, 32);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(230, 180, 60));
    const QPointF pen[] = {{14, 30}, {16, 24}, {29, 11}, {31, 13}, {18, 26}};
    p.drawPolygon(pen, 5);
    return QIcon(pix);
}

} // namespace

QIcon actionImage(int index) {
    switch (index) {
    case 22:
        return standard(QStyle::SP_DialogSaveButton);
    case 6:
        return saveAsImage();
    case 2:
        return standard(QStyle::SP_DialogApplyButton);
    case 10:
        return standard(QStyle::SP_FileDialogContentsView);
    case 8:
        return printerImage();
    case 4:
        return standard(QStyle::SP_DialogCloseButton);
    default:
        return {};
    }
}

QIcon findingImage(int index) {
    return standard(index == 0 ? QStyle::SP_MessageBoxCritical : QStyle::SP_MessageBoxWarning);
}

} // namespace editor
