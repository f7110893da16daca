// Another program's full-screen window: plain, of the colour given, on the last screen,
// until the tool is killed.
#include <QApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setStyleSheet(QStringLiteral("background: %1").arg(argc > 1 ? argv[1] : "grey"));
    window.setScreen(QGuiApplication::screens().last());
    window.setGeometry(window.screen()->geometry());
    window.showFullScreen();
    return app.exec();
}
