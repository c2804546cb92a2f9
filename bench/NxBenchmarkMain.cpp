// The entry point shared by the benchmark programs that need no widgets.
#include "NxBenchmarkRunner.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return NxBenchmarkRunner::run(argc, argv);
}
