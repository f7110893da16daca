#include "BenchFolder.h"

#include "core/Module1.h"
#include "app/RealServices.h"
#include "slideshow/Form1.h"
#include "slideshow/PictureBox.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <ctime>

namespace {
// Counts the paints of the picture box, to see that every step reaches the screen.
class PaintCounter : public QObject {
public:
    long paints = 0;
protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

double processCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}
}

// Display mode 3 with a 1600 x 1200 picture on the whole screen: one second of
// show per iteration; counts the ticks and the process's CPU time.
static void BM_MoveMode3(benchmark::State &st)
{
    const QString folder = BenchFolder::OneMovingPicture();
    RealServices real(folder);
    Services &services = real.services();
    Module1 module;
    module.settings.PictureFolder = folder;
    module.settings.PictureOrder = SaverSettings::fileNameOrder();
    module.settings.DisplayMode = 3;
    module.settings.SwitchSpeed = 9;
    module.settings.MoveSpeed = 3;
    Form1 form(Edition::ScreenSaver, module, services);
    form.Show();
    form.PrepareShow();
    // Start with the picture well inside the screen, moving right and down.
    form.SetPictureLeft(0);
    form.SetPictureTop(0);
    module.show.MoveDX = 0.94;
    module.show.MoveDY = 0.34;

    PaintCounter counter;
    form.Picture1->installEventFilter(&counter);
    long ticks = 0;
    QObject::connect(form.Timer1, &QTimer::timeout, [&ticks] { ++ticks; });
    const long paintsBefore = counter.paints;
    double totalTicks = 0;
    double totalCpu = 0;
    double totalWall = 0;
    for (auto _ : st) {
        const long before = ticks;
        const double cpu = processCpuSeconds();
        QElapsedTimer clock;
        clock.start();
        QEventLoop loop;
        QTimer::singleShot(1000, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
        const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        st.SetIterationTime(wall);
        totalTicks += static_cast<double>(ticks - before);
        totalCpu += processCpuSeconds() - cpu;
        totalWall += wall;
    }
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    st.counters["ticks_per_s"] = totalTicks / totalWall;
    st.counters["cpu_per_s"] = totalCpu / totalWall;
    st.counters["paints_per_s"] = static_cast<double>(counter.paints - paintsBefore) / totalWall;
    st.counters["screen_w"] = screen.width();
    st.counters["screen_h"] = screen.height();
    st.counters["picture_w"] = form.PictureWidth() / 15;
    form.Unload();
}
BENCHMARK(BM_MoveMode3)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly();
