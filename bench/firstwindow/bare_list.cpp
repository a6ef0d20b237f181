// The yardstick of the first-window benchmark: the least a Qt program does to show a window holding
// a sorted list of N names (argv[1], default 32,767), made in the process as a food list's are.
// With "--screen" (argv[2]) the window is as large as the screen, made at once, drawn once off
// screen (polished, laid out, its glyphs drawn) and shown by the tick of a timer named "BareTmr" a
// little later: the floor of showing a main window made ahead.
#include <QApplication>
#include <QImage>
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
        // Drawn once and let go: the window's own surface is made when it shows.
        QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
        view.render(&image);
    }
    QTimer timer;
    timer.setObjectName("BareTmr");
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &view, [&view] { view.show(); });
    timer.start(300);
    return app.exec();
}
