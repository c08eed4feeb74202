#pragma once

#include <QElapsedTimer>
#include <QString>

#include <atomic>

// Progress of a batch on the terminal's status line: "Sprawdzono 120 z 1000 plików, 35,2
// pliku/s". Shown only when standard error is a terminal and the batch is long enough to
// wait for; a pipe or a log file gets nothing. Thread-safe: workers call done().
class Progress {
public:
    Progress(QString verb, qsizetype total);
    ~Progress(); // removes the status line

    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // One more file finished.
    void done();

    // Below this many files a batch ends before progress would be read.
    static constexpr qsizetype kManyFiles = 20;

private:
    void show(qsizetype count);

    QString verb_;
    qsizetype total_;
    bool visible_;
    std::atomic<qsizetype> count_{0};
    std::atomic<qint64> lastShownMs_{-1000};
    QElapsedTimer clock_;
};
