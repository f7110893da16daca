// Another program's full-screen window until a key or a signal ends it: of the colour given on the last screen,
// else red on the first. A copy named Vistello stands in for the show beside a copy of vistello-idle, so that the
// host's tests never hang on the show: it notes its process id in the file "starts" in its folder.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QWidget>

namespace {
struct Window : QWidget {
    void keyPressEvent(QKeyEvent *) override { QApplication::quit(); }
};
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QFile starts(QApplication::applicationDirPath() + "/starts");
    if (QFileInfo(QApplication::applicationFilePath()).fileName() == "Vistello"
        && (!starts.open(QIODevice::Append) || starts.write(QByteArray::number(QApplication::applicationPid()) + "\n") < 0))
        return 1;
    starts.close();
    Window window;
    const bool coloured = argc > 1 && argv[1][0] == '#';
    window.setStyleSheet(QStringLiteral("background: %1").arg(coloured ? argv[1] : "red"));
    window.setScreen(coloured ? QGuiApplication::screens().last() : QGuiApplication::primaryScreen());
    window.setGeometry(window.screen()->geometry());   // full screen also without a window manager
    window.showFullScreen();
    return app.exec();
}
