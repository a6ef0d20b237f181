// The yardstick of the first-window benchmark: the least a Qt program does to show a window holding
// a sorted list of N names (argv[1], default 32,767), made in the process as a food list's are.
#include <QApplication>
#include <QListView>
#include <QStringList>
#include <QStringListModel>
#include <cstdlib>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 32767;
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
    view.resize(640, 480);
    view.show();
    return app.exec();
}
