#pragma once

#include <QString>
#include <QTest>
#include <QWidget>

// Types text key by key; letters outside ASCII (Polish ones) go in as key events with text,
// which QTest::keyClicks does not accept. "\n" presses Return.
inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        if (ch == u'\n')
            QTest::keyClick(widget, Qt::Key_Return);
        else if (ch.unicode() < 128)
            QTest::keyClicks(widget, QString(ch));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}
