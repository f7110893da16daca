#include "BenchFolder.h"

#include "app/RealServices.h"
#include "core/Module1.h"
#include "settings/DirListBox.h"
#include "settings/F_settei.h"
#include "settings/FileListBox.h"
#include "settings/PreviewImage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <benchmark/benchmark.h>

#include <algorithm>

namespace {
// A figure of this process's /proc status, in kB.
double statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toDouble();
    }
    return 0;
}

// Makes the peak resident size start again from the current one (Linux 4.0 and later).
void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}
}

// From File1_Click on an 8000 x 6000 baseline JPEG to its preview painted, and
// how far the peak resident size of the process rises meanwhile.
static void BM_PreviewClick48MP(benchmark::State &st)
{
    const QString folder = BenchFolder::LargePhotoFolder();
    RealServices real(folder);
    Module1 module;
    F_settei dialog(Edition::ScreenSaver, module, real.services(), real.settingsFile());
    dialog.Show();
    dialog.Dir1->SetPath(folder);
    dialog.File1->setCurrentItem(dialog.File1->findItems(QStringLiteral("photo.jpg"), Qt::MatchExactly).value(0));
    double growth = 0;
    for (auto _ : st) {
        QCoreApplication::processEvents();
        resetPeak();
        const double before = statusKb("VmRSS:");
        QElapsedTimer clock;
        clock.start();
        dialog.File1_Click();
        dialog.Image1->repaint();
        st.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        growth = std::max(growth, (statusKb("VmHWM:") - before) / 1024);
        if (dialog.Image1->Picture().width() != dialog.Image1->ContentRect().width() * dialog.devicePixelRatioF())
            st.SkipWithError("the preview does not hold its reduced picture");
    }
    st.counters["peak_growth_MB"] = growth;
    dialog.Unload();
}
BENCHMARK(BM_PreviewClick48MP)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly();

// The same file decoded whole by the same reader, as the preview did before.
static void BM_PlainDecode48MP(benchmark::State &st)
{
    BenchFolder::LargePhotoFolder();
    QImageReader::setAllocationLimit(1024);
    double growth = 0;
    for (auto _ : st) {
        resetPeak();
        const double before = statusKb("VmRSS:");
        QImage image = QImageReader(BenchFolder::LargePhotoPath()).read();
        if (image.isNull())
            st.SkipWithError("decode failed");
        benchmark::DoNotOptimize(image);
        growth = std::max(growth, (statusKb("VmHWM:") - before) / 1024);
    }
    st.counters["peak_growth_MB"] = growth;
}
BENCHMARK(BM_PlainDecode48MP)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly();
