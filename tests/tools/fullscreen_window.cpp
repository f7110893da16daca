// Another program's full-screen window: plain, of the colour given, on the screen
// of the index given, until the tool is killed.
#include <QApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QList<QScreen *> screens = QGuiApplication::screens();
    const int index = argc > 2 ? QString(argv[2]).toInt() : 0;
    if (argc != 3 || index < 0 || index >= screens.size())
        return 2;
    QWidget window;
    window.setStyleSheet(QStringLiteral("background: %1").arg(argv[1]));
    window.setScreen(screens[index]);
    window.setGeometry(screens[index]->geometry());
    window.showFullScreen();
    return app.exec();
}
