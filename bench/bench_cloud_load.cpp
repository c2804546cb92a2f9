// The local cloud service under the load of a school district: NxCloudService
// started as separate processes (SQLite, PostgreSQL, or two instances on one
// PostgreSQL), then
//   burst:  a few keep-alive connections asking for the catalogue back to
//           back, for the answers per second the service can give;
//   panels: N simulated panels, each doing the program's start-up sequence
//           (both categories, the channels offered, the pictures) and then
//           polling the catalogue every few seconds, with answers per second,
//           p50/p99 answer times and each instance's resident memory printed
//           per interval.
// Bounded by --panels and --seconds, e.g.
//   build/bench/bench_cloud_load --database postgresql --instances 2 --seconds 300
#include "NxLoadPanel.h"
#include "NxLoadRecorder.h"
#include "NxPostgresServer.h"
#include "NxServiceProcess.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUrl>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <queue>
#include <random>
#include <thread>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

struct Settings
{
    QString database;
    int instances = 1;
    int panels = 2000;
    int seconds = 60;
    int burstSeconds = 10;
    double pollSeconds = 5;
    double rampSeconds = 0;
    int threads = 8;
    int pictures = 8;
    int reportSeconds = 5;
    int channels = -1;
};

bool parse(const QCoreApplication& app, Settings* s)
{
    QCommandLineParser parser;
    parser.addHelpOption();
    const auto option = [&](const char* name, const char* help, const QString& fallback) {
        parser.addOption({QLatin1String(name), QLatin1String(help), QStringLiteral("value"), fallback});
    };
    option("database", "memory, sqlite or postgresql.", "sqlite");
    option("instances", "Service instances on the one database (PostgreSQL for more than one).", "1");
    option("panels", "Simulated panels.", "2000");
    option("seconds", "Length of the panels' run.", "60");
    option("burst-seconds", "Length of the back-to-back catalogue run first (0: none).", "10");
    option("poll-seconds", "Seconds between a panel's polls.", "5");
    option("ramp-seconds", "Panels start spread over this time (0: all at once).", "0");
    option("threads", "Load generator threads.", "8");
    option("pictures", "Pictures each panel fetches at start.", "8");
    option("report-seconds", "Seconds per printed interval.", "5");
    option("channels", "Generated channels in the catalogue (the demo seed's own without).", "-1");
    parser.process(app);
    const auto number = [&](const char* name) { return parser.value(QLatin1String(name)).toInt(); };
    s->database = parser.value(QStringLiteral("database"));
    s->instances = qMax(1, number("instances"));
    s->panels = qBound(1, number("panels"), 20000);
    s->seconds = qBound(1, number("seconds"), 3600);
    s->burstSeconds = qBound(0, number("burst-seconds"), 600);
    s->pollSeconds = qMax(0.1, parser.value(QStringLiteral("poll-seconds")).toDouble());
    s->rampSeconds = qMax(0.0, parser.value(QStringLiteral("ramp-seconds")).toDouble());
    s->threads = qBound(1, number("threads"), 256);
    s->pictures = qBound(0, number("pictures"), 100);
    s->reportSeconds = qBound(1, number("report-seconds"), 60);
    s->channels = number("channels");
    return s->database == QLatin1String("memory") || s->database == QLatin1String("sqlite")
        || s->database == QLatin1String("postgresql");
}

void print(const char* format, ...) __attribute__((format(printf, 1, 2)));
void print(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::fflush(stdout);
}

// The small pictures of the catalogue answer, as paths on the server.
std::vector<std::string> picturePaths(const std::string& answer, int count)
{
    std::vector<std::string> out;
    std::vector<QJsonObject> pending{QJsonDocument::fromJson(QByteArray::fromStdString(answer)).object()
                                         .value(QStringLiteral("result")).toObject().value(QStringLiteral("data")).toObject()};
    while (!pending.empty() && int(out.size()) < count) {
        const QJsonObject channel = pending.back();
        pending.pop_back();
        for (const QJsonValue& image : channel.value(QStringLiteral("images")).toArray()) {
            if (image.toObject().value(QStringLiteral("type")).toString() == QLatin1String("small") && int(out.size()) < count)
                out.push_back(QUrl(image.toObject().value(QStringLiteral("url")).toString()).path().toStdString());
        }
        for (const QJsonValue& child : channel.value(QStringLiteral("children")).toArray())
            pending.push_back(child.toObject());
    }
    return out;
}

void report(const char* phase, double seconds, const NxLoadRecorder::Figures& f,
            const std::vector<std::unique_ptr<NxServiceProcess>>& services)
{
    print("%-7s %6.0f s  answers/s %7.0f  catalogue/s %7.0f  failed %4lld  retried %4lld  p50 %6.2f ms  p99 %6.2f ms"
          "  max %6.1f ms  RSS MB",
          phase, seconds, f.answers / qMax(seconds, 1e-3), f.catalogueAnswers / qMax(seconds, 1e-3),
          static_cast<long long>(f.failures), static_cast<long long>(f.retries), f.p50Ms, f.p99Ms, f.maxMs);
    for (const auto& service : services)
        print(" %6.1f", service->residentKb() / 1024.0);
    print("\n");
}

// Every thread asks for the catalogue back to back on its own connection.
NxLoadRecorder::Figures burst(const Settings& s, const std::vector<std::unique_ptr<NxServiceProcess>>& services)
{
    NxLoadRecorder recorder;
    const std::vector<std::string> none;
    std::atomic<bool> stop{false};
    std::vector<std::thread> threads;
    for (int t = 0; t < s.threads; ++t) {
        threads.emplace_back([&, t] {
            NxLoadPanel panel(services.at(t % services.size())->baseUrl(), &none, &recorder);
            while (!stop)
                panel.poll();
        });
    }
    std::this_thread::sleep_for(std::chrono::seconds(s.burstSeconds));
    stop = true;
    for (std::thread& thread : threads)
        thread.join();
    const NxLoadRecorder::Figures figures = recorder.total();
    report("burst", s.burstSeconds, figures, services);
    return figures;
}

// One thread's panels, each due at its own time.
void drive(std::vector<NxLoadPanel>& panels, const Settings& s, Clock::time_point start, Clock::time_point end, int seed)
{
    using Due = std::pair<Clock::time_point, size_t>;
    std::priority_queue<Due, std::vector<Due>, std::greater<Due>> due;
    std::vector<bool> started(panels.size(), false);
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> ramp(0, s.rampSeconds);
    std::uniform_real_distribution<double> jitter(0.8, 1.2);
    const auto after = [](double seconds) { return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds)); };
    for (size_t i = 0; i < panels.size(); ++i)
        due.push({start + after(ramp(random)), i});
    while (!due.empty()) {
        const Due next = due.top();
        due.pop();
        if (next.first >= end)
            break;
        std::this_thread::sleep_until(next.first);
        if (Clock::now() >= end)
            break;
        if (started[next.second]) {
            panels[next.second].poll();
        } else {
            panels[next.second].startUp();
            started[next.second] = true;
        }
        due.push({Clock::now() + after(s.pollSeconds * jitter(random)), next.second});
    }
}

NxLoadRecorder::Figures runPanels(const Settings& s, const std::vector<std::unique_ptr<NxServiceProcess>>& services,
                                  const std::vector<std::string>& pictures)
{
    NxLoadRecorder recorder;
    std::vector<std::vector<NxLoadPanel>> shares(s.threads);
    for (int i = 0; i < s.panels; ++i)
        shares[i % s.threads].emplace_back(services.at(i % services.size())->baseUrl(), &pictures, &recorder);
    const Clock::time_point start = Clock::now();
    const Clock::time_point end = start + std::chrono::seconds(s.seconds);
    std::vector<std::thread> threads;
    for (int t = 0; t < s.threads; ++t)
        threads.emplace_back([&, t] { drive(shares[t], s, start, end, t + 1); });
    for (Clock::time_point mark = start + std::chrono::seconds(s.reportSeconds); mark <= end;
         mark += std::chrono::seconds(s.reportSeconds)) {
        std::this_thread::sleep_until(mark);
        report("panels", s.reportSeconds, recorder.take(), services);
    }
    for (std::thread& thread : threads)
        thread.join();
    const NxLoadRecorder::Figures total = recorder.total();
    report("total", s.seconds, total, services);
    return total;
}

QStringList serviceArguments(const Settings& s, const QString& place, bool first)
{
    const QString cloud = QStringLiteral(NX_CLOUD_OUT);
    QStringList arguments{QStringLiteral("--port"), QStringLiteral("0")};
    if (s.database == QLatin1String("sqlite"))
        arguments << QStringLiteral("--data") << place;
    else if (s.database == QLatin1String("postgresql"))
        arguments << QStringLiteral("--database") << place;
    // Only the first fills the database; the others find it filled.
    if (first) {
        arguments << QStringLiteral("--seed") << QDir(cloud).filePath(QStringLiteral("demo-seed.json"))
                  << QStringLiteral("--pictures") << QDir(cloud).filePath(QStringLiteral("pictures"));
        if (s.channels >= 0)
            arguments << QStringLiteral("--channels") << QString::number(s.channels);
    }
    return arguments;
}
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Settings s;
    if (!parse(app, &s)) {
        print("unknown --database\n");
        return 2;
    }
    QTemporaryDir dir;
    std::unique_ptr<NxPostgresServer> postgres;
    QString place = dir.filePath(QStringLiteral("data"));
    if (s.database == QLatin1String("postgresql")) {
        postgres = std::make_unique<NxPostgresServer>();
        place = postgres->createDatabase(QStringLiteral("load"));
        if (place.isEmpty()) {
            print("no PostgreSQL: %s\n", qPrintable(postgres->problem()));
            return 1;
        }
    }
    std::vector<std::unique_ptr<NxServiceProcess>> services;
    for (int i = 0; i < s.instances; ++i) {
        services.push_back(std::make_unique<NxServiceProcess>());
        QString why;
        if (!services.back()->start(QStringLiteral(NX_CLOUD_SERVICE), serviceArguments(s, place, i == 0), &why)) {
            print("%s\n", qPrintable(why));
            return 1;
        }
        print("instance %d at %s: ready after %lld ms, %.2f s CPU, RSS %.1f MB\n", i + 1, qPrintable(services.back()->baseUrl()),
              static_cast<long long>(services.back()->startMs()), services.back()->cpuSeconds(),
              services.back()->residentKb() / 1024.0);
    }
    const std::string answer = NxLoadPanel::catalogue(services.front()->baseUrl());
    const std::vector<std::string> pictures = picturePaths(answer, s.pictures);
    print("%s with %d instance(s), catalogue answer %zu bytes, %zu pictures per start, %d panels polling every %.1f s, "
          "%d generator threads, %u cores\n",
          qPrintable(s.database), s.instances, answer.size(), pictures.size(), s.panels, s.pollSeconds, s.threads,
          std::thread::hardware_concurrency());
    if (answer.empty())
        return 1;
    qint64 failures = 0;
    if (s.burstSeconds > 0)
        failures += burst(s, services).failures;
    failures += runPanels(s, services, pictures).failures;
    for (const auto& service : services)
        print("instance at %s: %.2f s CPU in all\n", qPrintable(service->baseUrl()), service->cpuSeconds());
    return failures == 0 ? 0 : 1;
}
