#pragma once

#include "import/application_diff.h"
#include "platform/hostenv/hostregistry.h"

#include <QDialog>

#include <functional>
#include <vector>

class QTreeWidget;

// Two versions of an application read as the editor reads them and compared.
struct FileComparison {
    QString older, newer;
    QString olderChecksum, newerChecksum; // "suma kontrolna poprawna" ...
    QString error;                        // a file that cannot be read; nothing compared
    std::vector<ApplicationDifference> differences;
};

// Reads both files on the host's dictionary (the published host folder) and compares them;
// runs on any thread.
FileComparison compareFiles(const QString& older, const QString& newer);

// "Porównanie wniosków": the differences as a list, one line each, as topaz_q diff prints
// them. A double click on a line asks to open the newer file for viewing at the difference;
// each line holds that place (HostShowPlace::toText) as its user data.
class CompareWindow : public QDialog {
    Q_OBJECT
public:
    CompareWindow(const FileComparison& comparison, QWidget* parent = nullptr);

signals:
    // The newer file is to be opened read-only at the place of a difference.
    void openRequested(const HostShowPlace& place);

private:
    QTreeWidget* list_ = nullptr;
};
