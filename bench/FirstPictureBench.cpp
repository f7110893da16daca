#include "BenchFolder.h"

#include "core/Module1.h"
#include "app/RealServices.h"
#include "slideshow/Form1.h"

#include <QElapsedTimer>
#include <QImageReader>
#include <QTimer>
#include <benchmark/benchmark.h>

// From the start of the load handler's show steps (window shown) to the first
// picture placed: list of 3000 names, 24-megapixel JPEG decoded and centred.
static void BM_FormLoadToFirstPicture(benchmark::State &st)
{
    const QString folder = BenchFolder::BigFirstOf3000();
    RealServices real(folder);
    Services &services = real.services();
    for (auto _ : st) {
        Module1 module;
        module.settings.PictureFolder = folder;
        module.settings.PictureOrder = SaverSettings::fileNameOrder();
        module.settings.DisplayMode = 1;
        module.settings.SwitchSpeed = 9;
        module.settings.MoveSpeed = 3;
        Form1 form(Edition::ScreenSaver, module, services);
        QElapsedTimer clock;
        clock.start();
        form.Show();
        form.PrepareShow();
        st.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        if (module.show.ImageCount != 3000 || !form.Timer1->isActive())
            st.SkipWithError("the show did not start as expected");
        form.Unload();
    }
}
BENCHMARK(BM_FormLoadToFirstPicture)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly();

// The same JPEG read by the same decoder and nothing else.
static void BM_PlainDecode24MP(benchmark::State &st)
{
    BenchFolder::BigFirstOf3000();
    const QString path = BenchFolder::BigFirstPath();
    for (auto _ : st) {
        QImageReader reader(path);
        QImageReader::setAllocationLimit(1024);
        QImage image = reader.read();
        if (image.isNull())
            st.SkipWithError("decode failed");
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_PlainDecode24MP)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly();
