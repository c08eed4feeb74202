// Spelling of a full 4000-character memo: the checker on its own with nothing remembered
// (the first look at a text), with the answers remembered (every later keystroke), and the
// highlighter re-marking the whole document as the editor does after a paste.
#include "editor/forms/controls/spell_highlighter.h"
#include "editor/help/help_content.h"

#include <QGuiApplication>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <benchmark/benchmark.h>

namespace {

// Polish prose as applicants write it: the instruction's own explanations (some 350
// different words), a few typos, codes and amounts, cut to 4000 characters.
QString memoText() {
    QString text = QStringLiteral(
        "Projekt zostanie zrealizowny w latach 2005-2007 przez Zarzad Dróg w Kórniku "
        "(NIP 526-000-12-46, sekretariat@example.pl); koszt 12 500 000,00 zł. ");
    for (const auto& [topic, html] : editor::helpExplanations())
        text += QTextDocumentFragment::fromHtml(html).toPlainText() + u'\n';
    return text.left(4000);
}

editor::SpellChecker& checker() {
    static editor::SpellChecker c(QStringLiteral("/usr/share/hunspell/pl_PL"), QString());
    static const bool named = [] {
        c.waitUntilLoaded();
        c.learnNamesFrom(QStringLiteral(TOPAZ_EXAMPLES "/slowniki.xml"));
        return true;
    }();
    (void)named;
    return c;
}

// What the first memo of an editor costs once: reading the Polish dictionary.
void BM_LoadDictionary(benchmark::State& state) {
    for (auto _ : state) {
        editor::SpellChecker loaded(QStringLiteral("/usr/share/hunspell/pl_PL"), QString());
        loaded.waitUntilLoaded();
    }
}
BENCHMARK(BM_LoadDictionary)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Memo4000_Cold(benchmark::State& state) {
    const QString text = memoText();
    for (auto _ : state) {
        checker().clearCache();
        benchmark::DoNotOptimize(checker().misspelt(text));
    }
}
BENCHMARK(BM_Memo4000_Cold)->Unit(benchmark::kMillisecond);

void BM_Memo4000_Remembered(benchmark::State& state) {
    const QString text = memoText();
    checker().misspelt(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(checker().misspelt(text));
}
BENCHMARK(BM_Memo4000_Remembered)->Unit(benchmark::kMillisecond);

void BM_Memo4000_Highlighter(benchmark::State& state) {
    QTextDocument document;
    document.setPlainText(memoText());
    editor::SpellHighlighter highlighter(&document, checker());
    checker().clearCache();
    for (auto _ : state)
        highlighter.rehighlight();
}
BENCHMARK(BM_Memo4000_Highlighter)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
