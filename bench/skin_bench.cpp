// Shaping a splash-sized window: the outline of a 480 x 360 picture with a magenta surround and
// scattered holes, built by runs per row, against the one-pixel-at-a-time construction it must
// equal. Goal: the run construction under 5 ms, so the splash appears without delay.
#include "desktop/ui/Skin.h"

#include <QImage>
#include <QRegion>
#include <benchmark/benchmark.h>
#include <random>

namespace {

const QColor kMagenta(255, 0, 255);

QImage SplashLikePicture() {
    QImage image(480, 360, QImage::Format_RGB32);
    image.fill(kMagenta);
    std::mt19937 random(3);
    const QPointF centre(240, 180);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const double dx = (x - centre.x()) / 230.0;
            const double dy = (y - centre.y()) / 170.0;
            if (dx * dx + dy * dy < 1.0 && random() % 200 != 0)
                image.setPixelColor(x, y, QColor(40, 90, 160));
        }
    return image;
}

void BM_OpaqueRegionByRuns(benchmark::State& state) {
    const QImage image = SplashLikePicture();
    for (auto _ : state)
        benchmark::DoNotOptimize(zv::OpaqueRegion(image, kMagenta));
}
BENCHMARK(BM_OpaqueRegionByRuns)->Unit(benchmark::kMillisecond);

void BM_OpaqueRegionPixelByPixel(benchmark::State& state) {
    const QImage image = SplashLikePicture();
    for (auto _ : state) {
        QRegion region(0, 0, image.width(), image.height());
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) == kMagenta)
                    region = region.xored(QRect(x, y, 1, 1));
        benchmark::DoNotOptimize(region);
    }
}
BENCHMARK(BM_OpaqueRegionPixelByPixel)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
