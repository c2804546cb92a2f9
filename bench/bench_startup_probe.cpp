// Starts one program on the X display of $DISPLAY and watches the screen
// every 5 ms (every 16th row, every 4th column): the time from the start to
// the first paint (the first sample that differs from the empty screen) and
// to the final look (the first sample within 2 % of the screen once it has
// been still for 2 s), then the program's resident memory and processor time
// so far and, on request, its processor time, wake-ups per thread and
// resident memory after it idled. One JSON line on standard output.
//
//   bench_startup_probe [--interval ms] [--rows n] [--columns n] [--still ms] [--timeout ms] [--idle s] [--dump dir]
//                       -- program [arguments]
#include "NxScreenSampler.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const double kPainted = 0.001; // anything drawn at all
const double kStill = 0.002;   // no more than noise since the still stretch began
const double kFinal = 0.02;

struct Options {
    int intervalMs = 5;
    int rowStep = 16;
    int columnStep = 4;
    int stillMs = 2000;
    int timeoutMs = 20000;
    int idleSeconds = 0;
    std::string dumpDir; // every distinct sample as a PGM picture, named by its time
    std::vector<char*> program;
};

bool parse(int argc, char** argv, Options* options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {
            options->program.assign(argv + i + 1, argv + argc);
            options->program.push_back(nullptr);
            return options->program.size() > 1;
        }
        if (i + 1 >= argc)
            return false;
        if (arg == "--dump") {
            options->dumpDir = argv[++i];
            continue;
        }
        const int value = std::atoi(argv[++i]);
        if (arg == "--interval")
            options->intervalMs = value;
        else if (arg == "--rows")
            options->rowStep = value;
        else if (arg == "--columns")
            options->columnStep = value;
        else if (arg == "--still")
            options->stillMs = value;
        else if (arg == "--timeout")
            options->timeoutMs = value;
        else if (arg == "--idle")
            options->idleSeconds = value;
        else
            return false;
    }
    return false;
}

long statusField(pid_t pid, const std::string& task, const char* field)
{
    std::ifstream status("/proc/" + std::to_string(pid) + task + "/status");
    std::string line;
    const std::size_t length = std::strlen(field);
    while (std::getline(status, line)) {
        if (line.compare(0, length, field) == 0)
            return std::atol(line.c_str() + length);
    }
    return -1;
}

// utime + stime of the whole process, in clock ticks.
long processorTicks(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    long ticks = 0;
    for (int index = 3; fields >> field && index <= 15; ++index) {
        if (index >= 14)
            ticks += std::atol(field.c_str());
    }
    return ticks;
}

// Context switches per thread id, with the thread's name.
std::map<std::string, std::pair<std::string, long>> threadSwitches(pid_t pid)
{
    std::map<std::string, std::pair<std::string, long>> result;
    const std::string dir = "/proc/" + std::to_string(pid) + "/task";
    DIR* tasks = opendir(dir.c_str());
    if (!tasks)
        return result;
    while (dirent* entry = readdir(tasks)) {
        if (entry->d_name[0] == '.')
            continue;
        const std::string task = std::string("/task/") + entry->d_name;
        std::ifstream commFile(dir + "/" + entry->d_name + "/comm");
        std::string comm;
        std::getline(commFile, comm);
        result[entry->d_name] = {comm, statusField(pid, task, "voluntary_ctxt_switches:")
                                           + statusField(pid, task, "nonvoluntary_ctxt_switches:")};
    }
    closedir(tasks);
    return result;
}

std::string idleReport(pid_t pid, int seconds)
{
    const long ticksBefore = processorTicks(pid);
    const auto before = threadSwitches(pid);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const long ticks = processorTicks(pid) - ticksBefore;
    std::map<std::string, long> wakeups; // by thread name
    for (const auto& [tid, now] : threadSwitches(pid)) {
        const auto old = before.find(tid);
        wakeups[now.first] += now.second - (old == before.end() ? 0 : old->second.second);
    }
    std::ostringstream out;
    out << ",\"idle_seconds\":" << seconds << ",\"idle_cpu_ms\":" << ticks * 1000 / sysconf(_SC_CLK_TCK)
        << ",\"idle_rss_kb\":" << statusField(pid, "", "VmRSS:") << ",\"idle_wakeups\":{";
    const char* separator = "";
    for (const auto& [name, count] : wakeups) {
        out << separator << '"' << name << "\":" << count;
        separator = ",";
    }
    out << '}';
    return out.str();
}

void dump(const std::string& dir, long ms, const NxScreenSampler& sampler, const NxScreenSampler::Frame& frame)
{
    const int width = sampler.frameWidth();
    std::ofstream out(dir + "/" + std::to_string(ms) + ".pgm", std::ios::binary);
    out << "P5\n" << width << ' ' << frame.size() / std::size_t(width) << "\n255\n";
    out.write(reinterpret_cast<const char*>(frame.data()), std::streamsize(frame.size()));
}

void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

int fail(const std::string& message, pid_t pid = 0)
{
    if (pid > 0)
        stop(pid);
    std::printf("{\"error\":\"%s\"}\n", message.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parse(argc, argv, &options)) {
        std::fprintf(stderr, "usage: %s [--interval ms] [--rows n] [--columns n] [--still ms] [--timeout ms] [--idle s]"
                             " [--dump dir] -- program [args]\n", argv[0]);
        return 2;
    }
    NxScreenSampler sampler(options.rowStep, options.columnStep);
    if (!sampler.isOpen())
        return fail(sampler.error());
    const NxScreenSampler::Frame empty = sampler.grab();

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // The program's log would only mix into the report.
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(options.program[0], options.program.data());
        _exit(127);
    }
    if (pid < 0)
        return fail("fork failed");

    // Unchanged samples share one frame, so a long still screen costs nothing.
    std::vector<NxScreenSampler::Frame> frames;
    std::vector<std::pair<long, std::size_t>> samples; // ms since start, frame
    long firstPaint = -1;
    std::size_t stillFrom = 0;
    for (int tick = 1;; ++tick) {
        std::this_thread::sleep_until(start + std::chrono::milliseconds(tick * options.intervalMs));
        const long ms = long(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return fail("the program ended at " + std::to_string(ms) + " ms");
        if (ms > options.timeoutMs)
            return fail("the screen was never still for " + std::to_string(options.stillMs) + " ms", pid);
        NxScreenSampler::Frame frame = sampler.grab();
        if (frame.empty())
            return fail("the display stopped answering", pid);
        if (frames.empty() || frame != frames.back()) {
            if (!options.dumpDir.empty())
                dump(options.dumpDir, ms, sampler, frame);
            frames.push_back(std::move(frame));
        }
        samples.emplace_back(ms, frames.size() - 1);
        if (firstPaint < 0) {
            if (NxScreenSampler::difference(frames.back(), empty) <= kPainted)
                continue;
            firstPaint = ms;
            stillFrom = samples.size() - 1;
        }
        if (NxScreenSampler::difference(frames.back(), frames[samples[stillFrom].second]) > kStill)
            stillFrom = samples.size() - 1;
        else if (ms - samples[stillFrom].first >= options.stillMs)
            break;
    }
    const NxScreenSampler::Frame& last = frames.back();
    long finalLook = -1;
    for (const auto& [ms, frame] : samples) {
        if (ms >= firstPaint && NxScreenSampler::difference(frames[frame], last) <= kFinal) {
            finalLook = ms;
            break;
        }
    }
    const long rss = statusField(pid, "", "VmRSS:");
    const long cpuMs = processorTicks(pid) * 1000 / sysconf(_SC_CLK_TCK);
    const std::string idle = options.idleSeconds > 0 ? idleReport(pid, options.idleSeconds) : std::string();
    stop(pid);
    std::printf("{\"first_paint_ms\":%ld,\"final_ms\":%ld,\"still_at_ms\":%ld,\"rss_kb\":%ld,\"cpu_ms\":%ld,\"frames\":%zu%s}\n",
                firstPaint, finalLook, samples.back().first, rss, cpuMs, frames.size(), idle.c_str());
    return 0;
}
