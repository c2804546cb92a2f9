#pragma once

// Runs the benchmarks the command line names, with Qt's messages off as in
// a run without NeedLog; the program makes its application object first.
class NxBenchmarkRunner
{
public:
    static int run(int argc, char** argv);
};
