#pragma once

// Typing key by key, and the data tables of the widget tests.

#include <QString>
#include <QTest>
#include <QWidget>

#include <cstddef>
#include <initializer_list>

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

// Data tables of text columns, one call per row.
inline void columns(std::initializer_list<const char*> names) {
    for (const char* n : names)
        QTest::addColumn<QString>(n);
}
inline void row(const char* name, std::initializer_list<QString> values) {
    QTestData& data = QTest::newRow(name);
    for (const QString& v : values)
        data << v;
}

// Data tables whose rows are structs named by `tag`: the table holds each row's index and
// the test reads its row back with currentCase().
template <typename T, std::size_t N> void caseRows(const T (&cases)[N]) {
    QTest::addColumn<int>("caseIndex");
    for (std::size_t i = 0; i < N; ++i)
        QTest::newRow(cases[i].tag) << int(i);
}
template <typename T, std::size_t N> const T& currentCase(const T (&cases)[N]) {
    QFETCH(int, caseIndex);
    return cases[caseIndex];
}
