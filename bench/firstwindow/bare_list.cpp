// The yardstick of the first-window benchmark: the least a Qt program does to show a window holding
// a sorted list of N names (argv[1], default 32,767), made in the process as a food list's are.
// With "--screen" (argv[2]) the window is as large as the screen, made at once with its native
// window and backing surface, drawn once into that surface (polished, laid out, its glyphs drawn)
// and shown by the tick of a timer named "BareTmr" a little later: the floor of showing a main
// window made ahead the way recipe makes its main window.
#include <QApplication>
#include <QBackingStore>
#include <QListView>
#include <QScreen>
#include <QStringList>
#include <QStringListModel>
#include <QTimer>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 32767;
    const bool screen = argc > 2 && std::strcmp(argv[2], "--screen") == 0;
    QStringList names;
    names.reserve(count);
    for (int i = 0; i < count; ++i)
        names.append(QStringLiteral("Food number %1, 100 g").arg((i * 7919) % count));
    names.sort(Qt::CaseInsensitive);
    QStringListModel model(names);
    QListView view;
    view.setObjectName("BareList");
    view.setUniformItemSizes(true);
    view.setModel(&model);
    if (!screen) {
        view.resize(640, 480);
        view.show();
        return app.exec();
    }
    view.setGeometry(QGuiApplication::primaryScreen()->geometry());
    {
        // The native window and its surface now, drawn once: showing later only draws again into
        // memory already touched and puts it on screen.
        view.winId();
        QBackingStore* store = view.backingStore();
        const QRect all(QPoint(), view.size());
        store->resize(all.size());
        store->beginPaint(all);
        if (QPaintDevice* device = store->paintDevice()) view.render(device);
        store->endPaint();
    }
    QTimer timer;
    timer.setObjectName("BareTmr");
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &view, [&view] { view.show(); });
    timer.start(300);
    return app.exec();
}
