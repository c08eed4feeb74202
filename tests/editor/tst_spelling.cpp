// Spelling in the memos: which words are checked at all, a misspelt Polish word underlined
// with the right suggestion in the context menu, a place name of the dictionary file left
// alone, "Dodaj do słownika", nothing in view mode, and random texts against the rules.
#include "editor/forms/controls/edit_control.h"
#include "editor/forms/controls/memo_control.h"
#include "editor/forms/controls/spell_highlighter.h"
#include "editor/forms/frames/frame_rows.h"
#include "frames_fixture.h"

#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextLayout>

using namespace Qt::StringLiterals;

using namespace editor;

namespace {

QStringList words(const QString& text, const std::vector<WordRange>& ranges) {
    QStringList out;
    for (const WordRange& w : ranges)
        out << text.mid(w.start, w.length);
    return out;
}

// The words of the memo's text drawn with the spelling underline.
QStringList underlined(QPlainTextEdit* memo) {
    QStringList out;
    for (QTextBlock b = memo->document()->firstBlock(); b.isValid(); b = b.next())
        for (const QTextLayout::FormatRange& r : b.layout()->formats())
            if (r.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
                out << b.text().mid(r.start, r.length);
    return out;
}

QPoint pointOf(QPlainTextEdit* memo, const QString& word) {
    QTextCursor c(memo->document());
    c.setPosition(int(memo->toPlainText().indexOf(word)) + 2);
    return memo->cursorRect(c).center();
}

QStringList actionTexts(QMenu* menu, const char* name) {
    QStringList out;
    for (QAction* a : menu->actions())
        if (a->objectName() == QLatin1String(name)) out << a->text();
    return out;
}

} // namespace

class TstSpelling : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QFile::remove(SpellChecker::personalListPath());
        QVERIFY2(SpellChecker::shared().isAvailable(), "hunspell-pl is installed");
        SpellChecker::shared().waitUntilLoaded();
        QVERIFY(SpellChecker::shared().isLoaded());
    }

    void checkedWords_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("checked");
        QTest::newRow("sentence") << u"Projekt zostanie zrealizowany."_s
                                  << QStringList{"Projekt", "zostanie", "zrealizowany"};
        QTest::newRow("numbers and codes")
            << u"Kod 00-950, NIP 526-000-12-46, kwota 12 500,00 zł; 3a/2004"_s
            << QStringList{"Kod", "kwota", "zł"};
        QTest::newRow("e-mail and web")
            << u"Pisz: jan.kowalski@example.pl lub www.gov.pl"_s << QStringList{"Pisz", "lub"};
        QTest::newRow("identifiers and capitals")
            << u"pole tab6lprod2009v i e1000115 oraz dsWniosek, EFRR, UE"_s
            << QStringList{"pole", "oraz"};
        QTest::newRow("compounds and quotes")
            << u"„polsko-niemiecki” (projekt) -- koniec…"_s
            << QStringList{"polsko", "niemiecki", "projekt", "koniec"};
        QTest::newRow("empty") << QString() << QStringList{};
    }

    void checkedWords() {
        QFETCH(QString, text);
        QFETCH(QStringList, checked);
        QCOMPARE(words(text, SpellChecker::checkedWords(text)), checked);
    }

    void memoUnderlinesAndSuggests() {
        FramesFixture fx;
        auto* control = qobject_cast<MemoControl*>(
            fx.control(rows::memo("e621001", "dsWniosek", "promocja_projektu", u"Promocja"_s)));
        QVERIFY(control && fx.show());
        QPlainTextEdit* memo = control->memo();
        memo->setFocus();
        typeText(memo, u"Projekt zostanie zrealizowny w gminie Kórnik."_s);
        QCOMPARE(underlined(memo), QStringList{u"zrealizowny"_s});

        std::unique_ptr<QMenu> menu(spellContextMenu(memo, pointOf(memo, u"zrealizowny"_s)));
        const QStringList suggestions = actionTexts(menu.get(), "spellSuggestion");
        QVERIFY(!suggestions.isEmpty());
        QCOMPARE(suggestions.first(), u"zrealizowany"_s);
        QCOMPARE(actionTexts(menu.get(), "spellAddWord"), QStringList{u"Dodaj do słownika"_s});
        menu->actions().first()->trigger();
        QCOMPARE(fx.f("dsWniosek", "promocja_projektu").asString(),
                 u"Projekt zostanie zrealizowany w gminie Kórnik."_s);
        QVERIFY(underlined(memo).isEmpty());
        // A word that is right needs no menu entries.
        menu.reset(spellContextMenu(memo, pointOf(memo, u"Projekt"_s)));
        QVERIFY(actionTexts(menu.get(), "spellAddWord").isEmpty());

        typeText(memo, u" Zelgorowo"_s);
        QCOMPARE(underlined(memo), QStringList{u"Zelgorowo"_s});
        menu.reset(spellContextMenu(memo, pointOf(memo, u"Zelgorowo"_s)));
        for (QAction* a : menu->actions())
            if (a->objectName() == u"spellAddWord"_s) a->trigger();
        QVERIFY(underlined(memo).isEmpty());
        QFile list(SpellChecker::personalListPath());
        QVERIFY(list.open(QIODevice::ReadOnly));
        QCOMPARE(list.readAll(), QByteArray("Zelgorowo\n"));

        // View mode shows no marks and offers no spelling entries.
        typeText(memo, u" blendny"_s);
        QCOMPARE(underlined(memo).size(), 1);
        control->setViewOnly(true);
        QVERIFY(underlined(memo).isEmpty());
        menu.reset(spellContextMenu(memo, pointOf(memo, u"blendny"_s)));
        QVERIFY(actionTexts(menu.get(), "spellSuggestion").isEmpty());
        control->setViewOnly(false);
        QCOMPARE(underlined(memo), QStringList{u"blendny"_s});
    }

    // A one-line free text: the same marks and menu; a masked code gets no marker at all.
    void lineEditMarksAndSuggests() {
        FramesFixture fx;
        auto* control =
            qobject_cast<EditControl*>(fx.control(ControlKind::Edit, "dsBeneficjent", "Nazwa"));
        QVERIFY(control && fx.show());
        QLineEdit* edit = control->lineEdit();
        LineSpellMarker* marker = spellMarkerOf(edit);
        QVERIFY(marker);
        edit->setFocus();
        typeText(edit, u"Gmina Kórnik i Zarzad Dróg"_s);
        QCOMPARE(marker->markedWords(), QStringList{u"Zarzad"_s});
        edit->setCursorPosition(int(edit->text().indexOf(u"Zarzad"_s)) + 2);
        std::unique_ptr<QMenu> menu(
            marker->contextMenu(edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center()));
        QVERIFY(actionTexts(menu.get(), "spellSuggestion").contains(u"Zarząd"_s));
        for (QAction* a : menu->actions())
            if (a->text() == u"Zarząd"_s) a->trigger();
        QCOMPARE(edit->text(), u"Gmina Kórnik i Zarząd Dróg"_s);
        QVERIFY(marker->markedWords().isEmpty());
        QVERIFY(control->commit());
        QCOMPARE(fx.f("dsBeneficjent", "Nazwa").asString(), edit->text());

        FramesFixture masked;
        auto* nip = qobject_cast<EditControl*>(masked.control(
            ControlKind::MaskEdit, "dsBeneficjent", "NIP", {}, 0, "!000-000-00-00;0;_"));
        QVERIFY(!spellMarkerOf(nip->lineEdit()));
    }

    // The dictionary is read in the background: a memo shown before gets its marks once it is
    // read. Without a dictionary nothing is marked.
    void marksComeWhenTheDictionaryIsRead() {
        SpellChecker own(u"/usr/share/hunspell/pl_PL"_s, QString());
        QPlainTextEdit memo;
        memo.setPlainText(u"Projekt zostanie zrealizowny."_s);
        attachSpellCheck(&memo, own);
        QCoreApplication::processEvents(); // the highlighter's own first pass
        int changes = 0;
        connect(&memo, &QPlainTextEdit::textChanged, [&changes] { ++changes; });
        QTRY_COMPARE(underlined(&memo), QStringList{u"zrealizowny"_s});
        QCOMPARE(changes, 0); // new marks are no typing: the field is not written

        SpellChecker none(u"/brak/pl_PL"_s, QString());
        QVERIFY(!none.isAvailable());
        QVERIFY(none.misspelt(memo.toPlainText()).empty());
    }

    // Texts of words, numbers, codes, addresses and punctuation: every word checked lies in
    // the text, holds letters only, is no abbreviation and no part of a token with a digit or
    // "@"; the words found wrong are among those checked.
    void randomTextsKeepTheRules() {
        const quint32 seed = testSeed();
        QRandomGenerator random(seed);
        const QStringList pieces =
            QStringLiteral("projekt|Wniosek|zrealizowny|Kórnik|00-950|jan@example.pl|EFRR|e1000115|"
                           "12 500,00|—|,|.|(|)|„|”|polsko-niemiecki|\n|  |tab6l|żółć|a|ŁÓDŹ|x-1|"
                           "www.pl|dsWniosek|-")
                .split(u'|');
        SpellChecker& checker = SpellChecker::shared();
        for (int i = 0; i < 500; ++i) {
            QString text;
            for (int n = int(random.bounded(30)); n > 0; --n)
                text += pieces[random.bounded(int(pieces.size()))] +
                        (random.bounded(3) ? u" "_s : QString());
            const QString replay = u"TOPAZ_SEED=%1 text: %2"_s.arg(seed).arg(text);
            const auto checked = SpellChecker::checkedWords(text);
            int end = 0;
            for (const WordRange& w : checked) {
                QVERIFY2(w.start >= end && w.start + w.length <= text.size(), qPrintable(replay));
                end = w.start + w.length;
                const QString word = text.mid(w.start, w.length);
                QVERIFY2(word.size() >= 2 && word != word.toUpper(), qPrintable(replay));
                for (QChar c : word)
                    QVERIFY2(c.isLetter(), qPrintable(replay));
                int s = w.start, e = end;
                while (s > 0 && !text[s - 1].isSpace())
                    --s;
                while (e < text.size() && !text[e].isSpace())
                    ++e;
                const QString token = text.mid(s, e - s);
                QVERIFY2(!token.contains(u'@') && !token.contains(QRegularExpression("\\d")),
                         qPrintable(replay));
            }
            for (const WordRange& w : checker.misspelt(text))
                QVERIFY2(std::find(checked.begin(), checked.end(), w) != checked.end(),
                         qPrintable(replay));
        }
    }
};

QTEST_MAIN(TstSpelling)
#include "tst_spelling.moc"
