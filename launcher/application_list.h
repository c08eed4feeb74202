#pragma once

#include <QDateTime>
#include <QFileInfo>
#include <QList>
#include <QString>

// One application file of the host's folder as the launcher lists it.
struct ApplicationEntry {
    QString path;
    QString title;        // the project title stored in the file; empty when it has none
    bool damaged = false; // not well-formed XML (cut short, broken by hand)
    QDateTime modified;
};

// The project title of an application file, read by streaming up to its first occurrence;
// empty for a file that is not an application or cannot be read.
QString readApplicationTitle(const QString& path);

// The application files (*.xml whose root element is WNIOSEK) of a folder, newest first.
QList<ApplicationEntry> listApplications(const QString& folder);

// The *.xml files of a folder, newest first, without reading them.
QList<QFileInfo> listXmlFiles(const QString& folder);

// What streaming one file tells: its root, well-formedness and project title.
struct TitleScan {
    bool application = false;
    bool damaged = false;
    QString title;
};
TitleScan scanApplicationFile(const QString& path);
