// Start-up of the picture cache with a large index, and the cost of a hit.
#include "NxWebLocalCache.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const int kEntries = 10000;

QString url(int i)
{
    return QString("http://127.0.0.1:8090/pictures/channel_%1_middle.png").arg(i);
}

// 10,000 pictures of 480 x 320 on disk with their index.
const QTemporaryDir& cacheDir()
{
    static QTemporaryDir dir;
    static bool made = false;
    if (!made) {
        QImage image(480, 320, QImage::Format_RGB32);
        image.fill(QColor(73, 83, 219));
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        QJsonArray index;
        for (int i = 0; i < kEntries; ++i) {
            const QString path = dir.path() + QString("/p%1.png").arg(i);
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            file.write(png);
            index.append(QJsonObject{{"url", url(i)}, {"file", path}});
        }
        QFile file(dir.path() + "/NXT_ImgCache.jdx");
        file.open(QIODevice::WriteOnly);
        file.write(QJsonDocument(index).toJson());
        made = true;
    }
    return dir;
}

// Time until the cache answers lookups.
void BM_CacheStart(benchmark::State& state)
{
    const QString dir = cacheDir().path();
    for (auto _ : state) {
        NxWebLocalCache cache;
        cache.slotStartImgCache(dir);
        if (cache.count() != kEntries)
            state.SkipWithError("index not loaded");
        state.PauseTiming();
        // The cache is destroyed outside the measured time.
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CacheStart)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_CacheHit(benchmark::State& state)
{
    NxWebLocalCache cache;
    cache.slotStartImgCache(cacheDir().path());
    QImage image;
    cache.find(url(42), image);
    for (auto _ : state) {
        cache.find(url(42), image);
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_CacheHit)->Unit(benchmark::kMicrosecond);

} // namespace
