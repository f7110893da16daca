// Stands in for Vistello beside a copy of vistello-idle, so that its tests do not hang on the show:
//   show_stand_in /s    adds its process id to the file "starts" in its own folder, covers the
//                       screen in red and ends on a key (or a signal)
//   show_stand_in       a plain window with the app id "vistello-inhibitor" that keys do not end
#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QWidget>

namespace {
struct Window : QWidget {
    bool show = false;
    void keyPressEvent(QKeyEvent *) override { show ? QApplication::quit() : void(); }
};
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Window window;
    window.show = argc > 1 && QByteArray(argv[1]) == "/s";
    QFile starts(QApplication::applicationDirPath() + "/starts");
    if (!window.show)
        QGuiApplication::setDesktopFileName("vistello-inhibitor");
    else if (!starts.open(QIODevice::Append) || starts.write(QByteArray::number(QApplication::applicationPid()) + "\n") < 0)
        return 1;
    starts.close();
    window.setStyleSheet("background: red");
    window.setGeometry(window.screen()->geometry());   // full screen also without a window manager
    window.showFullScreen();
    return app.exec();
}
