#pragma once

#include <QDateTime>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QThread>
#include <QWaitCondition>

// What the launcher shows of one file, read away from the window.
struct FileState {
    enum Checksum { Unknown, Holds, Fails };
    QString path;
    qint64 size = -1;
    QDateTime modified;
    bool application = false; // root element WNIOSEK
    bool damaged = false;     // not well-formed XML
    QString title;
    Checksum checksum = Unknown;
    int round = 0; // the listing the file was queued by

    // Whether the state still describes the file as it is on disk now.
    bool isCurrent(qint64 nowSize, const QDateTime& nowModified) const {
        return size == nowSize && modified == nowModified;
    }
};

// Puts the calling thread below the window's thread, which must answer at once.
void lowerCurrentThread();

// A thread that reads the files it is given one by one, each as the export SilentCrcCheck_
// does (the file opened on the host's dictionary, its checksum verified), and reports each
// with checked(). The dictionary is read once, on the first file. A new list replaces what
// is still waiting; the thread ends with the object.
class FileChecker : public QThread {
    Q_OBJECT
public:
    explicit FileChecker(QObject* parent = nullptr);
    ~FileChecker() override;

    // Checks these files (with the size and modification time seen when listed) instead of
    // whatever is still queued.
    void check(const QList<FileState>& files);

signals:
    void checked(const FileState& state);

protected:
    void run() override;

private:
    QMutex mutex_;
    QWaitCondition wake_;
    QList<FileState> queue_;
    bool stopping_ = false;
};
