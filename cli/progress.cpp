#include "cli/progress.h"

#include "cli/console.h"

#include <QLocale>

namespace {

// Redraws at most this often, so a fast batch does not spend its time on the terminal.
constexpr qint64 kIntervalMs = 200;

} // namespace

Progress::Progress(QString verb, qsizetype total)
    : verb_(std::move(verb)), total_(total),
      visible_(total >= kManyFiles && Console::errIsTerminal()) {
    clock_.start();
    if (visible_) show(0);
}

Progress::~Progress() {
    if (visible_) Console::status(QString());
}

void Progress::done() {
    const qsizetype count = ++count_;
    if (!visible_) return;
    const qint64 now = clock_.elapsed();
    qint64 last = lastShownMs_.load();
    // One thread wins the redraw of an interval; the last file always shows.
    if ((now - last >= kIntervalMs && lastShownMs_.compare_exchange_strong(last, now)) ||
        count == total_)
        show(count);
}

void Progress::show(qsizetype count) {
    const double seconds = double(clock_.elapsed()) / 1000.0;
    const QLocale polish(QLocale::Polish, QLocale::Poland);
    const QString rate =
        seconds > 0 ? polish.toString(double(count) / seconds, 'f', 1) : QStringLiteral("–");
    Console::status(QStringLiteral("%1 %2 z %3 plików, %4 pliku/s")
                        .arg(verb_)
                        .arg(count)
                        .arg(total_)
                        .arg(rate));
}
