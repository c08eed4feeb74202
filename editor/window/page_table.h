#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace editor {

// One main page of the editor: its tab caption and the captions of its inner pages. A page
// without inner pages holds one scroll box of its own; the checksum page holds the
// checksum panel.
struct MainPageSpec {
    QString caption;
    QStringList innerPages;
    bool checksumPage = false;
};

// The pages of this application type, in tab order; "&" marks the accelerator letter.
const QList<MainPageSpec>& applicationPages();

} // namespace editor
