// The yardstick of the editor's start-up: a bare Qt window of the editor's size holding a
// tab widget with the editor's six vertical tabs. It quits once its window is exposed,
// found by the same 20 ms polling the scripted user of the editor uses.
#include <QApplication>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setMinimumSize(800, 580);
    window.resize(800, 600);
    auto* tabs = new QTabWidget(&window);
    tabs->setTabPosition(QTabWidget::West);
    for (const char* caption :
         {"P&rojekt", "&Beneficjent", "Wskaź&niki", "&Finanse", "Z&ałączniki", "&Suma kontr."})
        tabs->addTab(new QWidget, QString::fromUtf8(caption));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(tabs);
    window.show();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (window.windowHandle() && window.windowHandle()->isExposed()) app.quit();
    });
    poll.start(20);
    return app.exec();
}
