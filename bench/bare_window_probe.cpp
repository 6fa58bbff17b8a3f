// The floor of the window's start-up: a bare Qt Widgets window of the
// same build, a menu bar, a toolbar and 49 labels of Japanese text (7
// headings and 42 day cells, so that the same fonts are found and loaded),
// ended at its first paint like the program's probe (first_paint.h).
// Nothing of the almanac is loaded or computed. bench/window_startup.sh
// runs both and compares them.
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>

#include "bench/first_paint.h"
#include "ui/qt/application.h"  // PreferXcbUnderWayland: the same platform as the program

int main(int argc, char** argv) {
    const long long t0Ns = kalendo::bench::StartNs();
    kalendo::PreferXcbUnderWayland();
    QApplication app(argc, argv);
    QMainWindow window;
    for (const char* title : {"ファイル(&F)", "表示(&V)", "移動(&G)", "ヘルプ(&H)"}) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromUtf8(title));
        for (const char* item : {"前日", "翌日", "今日"}) menu->addAction(QString::fromUtf8(item));
    }
    QToolBar* bar = window.addToolBar(QStringLiteral("main"));
    for (const char* item : {"前月", "前日", "今日", "翌日", "翌月"}) bar->addAction(QString::fromUtf8(item));
    auto* grid = new QWidget;
    auto* layout = new QGridLayout(grid);
    for (int k = 0; k < 49; ++k) {
        layout->addWidget(new QLabel(k < 7 ? QString::fromUtf8("日") : QString::number(k - 6)),
                          k / 7, k % 7);
    }
    layout->addWidget(new QLabel(QString::fromUtf8(" 旧暦 11月24日 仏滅")), 7, 0, 1, 7);
    window.setCentralWidget(grid);
    kalendo::bench::FirstPaint probe(t0Ns);
    window.installEventFilter(&probe);
    window.show();
    return app.exec();
}
