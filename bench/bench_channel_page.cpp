// A page of 500 stations at scale 2.0 whose pictures come from the picture
// cache: GUI-thread time to fill the page and take in the pictures of the
// tiles it makes (those on screen and near it), and the longest single stall
// of the GUI thread meanwhile. Pictures reach their tile
// through the router; "Broadcast" also connects every tile to the client, as
// a page without the router would, for comparison.
#include "NxBenchmarkRunner.h"
#include "NxChannelListWidget.h"
#include "NxChannelWidget.h"
#include "NxControllerManager.h"
#include "NxWebCmdCtrl.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

const int kStations = 500;

// Times every event the GUI thread dispatches from its loop, in the thread's
// own processor time (what the GUI work costs, whatever else the machine
// runs) and in wall time (what a teacher would feel on this machine now).
class NxTimedApplication : public QApplication
{
public:
    using QApplication::QApplication;

    struct Span {
        qint64 cpuNs = 0;
        qint64 wallNs = 0;
    };

    static qint64 threadCpuNs()
    {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
    }

    bool notify(QObject* receiver, QEvent* event) override
    {
        if (m_depth > 0)
            return QApplication::notify(receiver, event);
        ++m_depth;
        const qint64 cpu = threadCpuNs();
        QElapsedTimer wall;
        wall.start();
        const bool handled = QApplication::notify(receiver, event);
        record({threadCpuNs() - cpu, wall.nsecsElapsed()});
        --m_depth;
        return handled;
    }

    void record(const Span& span)
    {
        total.cpuNs += span.cpuNs;
        total.wallNs += span.wallNs;
        longest.cpuNs = qMax(longest.cpuNs, span.cpuNs);
        longest.wallNs = qMax(longest.wallNs, span.wallNs);
    }

    void reset()
    {
        total = Span();
        longest = Span();
    }

    Span total;
    Span longest;

private:
    int m_depth = 0;
};

NxTimedApplication* timedApp()
{
    return static_cast<NxTimedApplication*>(QCoreApplication::instance());
}

QString pictureUrl(int i)
{
    return QString("http://127.0.0.1:9/pictures/station_%1_small.png").arg(i);
}

// 500 station pictures of 240 x 160 in the channel directory, with their index.
const QTemporaryDir& channelDir()
{
    static QTemporaryDir dir;
    static bool made = false;
    if (!made) {
        QJsonArray index;
        for (int i = 0; i < kStations; ++i) {
            QImage image(240, 160, QImage::Format_RGB32);
            image.fill(QColor::fromHsv(i * 7 % 360, 160, 200));
            const QString path = dir.path() + QString("/s%1.png").arg(i);
            image.save(path, "PNG");
            index.append(QJsonObject{{"url", pictureUrl(i)}, {"file", path}});
        }
        QFile file(dir.path() + "/NXT_ImgCache.jdx");
        file.open(QIODevice::WriteOnly);
        file.write(QJsonDocument(index).toJson());
        made = true;
    }
    return dir;
}

struct World {
    World()
    {
        qApp->setProperty("scalefactor", 2.0);
        qApp->setProperty("channelDir", channelDir().path());
        client.init();
        manager.setWebCommandCtrl(&client);
        QObject::connect(&client, &NxWebCmdCtrl::sigRecvChannelImage, &counter, [this](void*, QImage) { ++delivered; },
                         Qt::QueuedConnection);
    }
    NxWebCmdCtrl client;
    NxControllerManager manager;
    QObject counter;
    int delivered = 0;
};

World& world()
{
    static World* const instance = new World;
    return *instance;
}

QJsonArray stations()
{
    QJsonArray all;
    for (int i = 0; i < kStations; ++i)
        all.append(QJsonObject{{"ID", "ID_CHANNEL"}, {"channelid", QString("s%1").arg(i)}, {"from", "web"},
                               {"name", QString("Station %1").arg(i)}, {"url", "https://tv.example/" + QString::number(i)},
                               {"web_image", pictureUrl(i)}});
    return all;
}

void fillPage(benchmark::State& state, bool broadcast)
{
    World& w = world();
    const QJsonArray data = stations();
    NxTimedApplication::Span total, longest;
    for (auto _ : state) {
        NxChannelListWidget page(true, false, false);
        page.setFixedSize(3840, 2160);
        page.setControlManager(&w.manager);
        page.setParam(2568, 1260, 580, 580, 2, 4);
        page.show();
        QCoreApplication::processEvents();
        w.delivered = 0;
        timedApp()->reset();

        const qint64 fillCpu = NxTimedApplication::threadCpuNs();
        QElapsedTimer fill;
        fill.start();
        page.setData(data, QJsonArray(), true);
        // Tiles exist for the rows on screen and a screen around them.
        const QList<NxChannelWidget*> tiles = page.findChildren<NxChannelWidget*>();
        int expected = 0;
        for (NxChannelWidget* tile : tiles)
            expected += tile->getData().contains("web_image") ? 1 : 0;
        if (broadcast) {
            // Every tile hears every picture; the pictures are asked for again
            // once all tiles listen.
            for (NxChannelWidget* tile : tiles)
                QObject::connect(&w.client, SIGNAL(sigRecvChannelImage(void*,QImage)), tile,
                                 SLOT(slotRecvChannelImage(void*,QImage)));
            for (NxChannelWidget* tile : tiles) {
                if (!tile->getData().isEmpty()) {
                    tile->renewItem(tile->getData());
                    ++expected;
                }
            }
        }
        timedApp()->record({NxTimedApplication::threadCpuNs() - fillCpu, fill.nsecsElapsed()});
        QElapsedTimer wall;
        wall.start();
        while (w.delivered < expected && wall.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::processEvents();
        if (w.delivered < expected)
            state.SkipWithError("pictures missing");
        total = timedApp()->total;
        longest = timedApp()->longest;
        state.SetIterationTime(total.cpuNs / 1e9);
    }
    state.counters["gui_cpu_ms"] = total.cpuNs / 1e6;
    state.counters["longest_cpu_ms"] = longest.cpuNs / 1e6;
    state.counters["gui_wall_ms"] = total.wallNs / 1e6;
    state.counters["longest_wall_ms"] = longest.wallNs / 1e6;
}

void BM_ChannelPageRouted(benchmark::State& state)
{
    fillPage(state, false);
}
BENCHMARK(BM_ChannelPageRouted)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

void BM_ChannelPageBroadcast(benchmark::State& state)
{
    fillPage(state, true);
}
BENCHMARK(BM_ChannelPageBroadcast)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    NxTimedApplication app(argc, argv);
    return NxBenchmarkRunner::run(argc, argv);
}
