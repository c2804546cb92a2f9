#include "NxBenchmarkRunner.h"

#include <QtGlobal>

#include <benchmark/benchmark.h>

int NxBenchmarkRunner::run(int argc, char** argv)
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
