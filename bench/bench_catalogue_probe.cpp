// Taps and drags on the X display of $DISPLAY (through xdotool) and times how
// long the screen takes to answer, sampling it every 20 ms. Reads one command
// per line on standard input and answers each with one line:
//
//   tap X Y TIMEOUT_MS SHARE         ms until SHARE of the screen changed, or -1
//   drag X1 Y1 X2 Y2 TIMEOUT_MS SHARE   the same for a slow drag from 1 to 2
//   still STILL_MS TIMEOUT_MS        ms until the screen was still for STILL_MS, or -1
//   dump FILE                        the screen as sampled, as a PGM picture
//
// Used by bench/large_catalogue; the screen sampler is the start-up probe's.
#include "NxScreenSampler.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const int kIntervalMs = 20;
const double kStill = 0.002; // no more than noise

long since(Clock::time_point start)
{
    return long(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// Runs xdotool with the arguments and waits for it.
bool xdotool(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv{const_cast<char*>("xdotool")};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::vector<std::string> dragArguments(int x1, int y1, int x2, int y2)
{
    const int steps = 12;
    std::vector<std::string> arguments{"mousemove", std::to_string(x1), std::to_string(y1), "mousedown", "1"};
    for (int i = 1; i <= steps; ++i) {
        arguments.insert(arguments.end(), {"sleep", "0.03", "mousemove", std::to_string(x1 + (x2 - x1) * i / steps),
                                           std::to_string(y1 + (y2 - y1) * i / steps)});
    }
    arguments.insert(arguments.end(), {"mouseup", "1"});
    return arguments;
}

// Ms from the start of the action until the screen differs from before it
// by more than share; -1 when it does not within the time-out.
long answer(NxScreenSampler& sampler, const std::vector<std::string>& action, long timeoutMs, double share)
{
    const NxScreenSampler::Frame before = sampler.grab();
    const Clock::time_point start = Clock::now();
    if (!xdotool(action))
        return -2;
    for (;;) {
        if (NxScreenSampler::difference(before, sampler.grab()) > share)
            return since(start);
        if (since(start) > timeoutMs)
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(kIntervalMs));
    }
}

long stillAfter(NxScreenSampler& sampler, long stillMs, long timeoutMs)
{
    const Clock::time_point start = Clock::now();
    NxScreenSampler::Frame reference = sampler.grab();
    Clock::time_point stillFrom = start;
    while (since(start) <= timeoutMs) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kIntervalMs));
        NxScreenSampler::Frame frame = sampler.grab();
        if (NxScreenSampler::difference(reference, frame) > kStill) {
            reference = std::move(frame);
            stillFrom = Clock::now();
        } else if (since(stillFrom) >= stillMs) {
            return since(start);
        }
    }
    return -1;
}

bool dump(NxScreenSampler& sampler, const std::string& path)
{
    const NxScreenSampler::Frame frame = sampler.grab();
    const int width = (sampler.width() + 1) / 2;
    if (frame.empty())
        return false;
    std::ofstream out(path, std::ios::binary);
    out << "P5\n" << width << ' ' << frame.size() / std::size_t(width) << "\n255\n";
    out.write(reinterpret_cast<const char*>(frame.data()), std::streamsize(frame.size()));
    return bool(out);
}

long run(NxScreenSampler& sampler, const std::string& line)
{
    std::istringstream in(line);
    std::string command;
    in >> command;
    if (command == "tap") {
        int x = 0, y = 0;
        long timeout = 0;
        double share = 0;
        in >> x >> y >> timeout >> share;
        return answer(sampler, {"mousemove", std::to_string(x), std::to_string(y), "click", "1"}, timeout, share);
    }
    if (command == "drag") {
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        long timeout = 0;
        double share = 0;
        in >> x1 >> y1 >> x2 >> y2 >> timeout >> share;
        return answer(sampler, dragArguments(x1, y1, x2, y2), timeout, share);
    }
    if (command == "still") {
        long stillMs = 0, timeout = 0;
        in >> stillMs >> timeout;
        return stillAfter(sampler, stillMs, timeout);
    }
    if (command == "dump") {
        std::string path;
        in >> path;
        return dump(sampler, path) ? 0 : -1;
    }
    return -3;
}

} // namespace

int main()
{
    NxScreenSampler sampler;
    if (!sampler.isOpen()) {
        std::printf("error %s\n", sampler.error().c_str());
        return 1;
    }
    std::string line;
    while (std::getline(std::cin, line)) {
        std::printf("%ld\n", run(sampler, line));
        std::fflush(stdout);
    }
    return 0;
}
