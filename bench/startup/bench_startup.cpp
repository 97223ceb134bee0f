// Whole processes started side by side with their yardsticks, in pairs (A, B, A, B, ...), and
// the medians and ratios printed:
//
//   desktop  quillbrook to the main menu's first paint, against a bare QWidget program to its
//            window's first paint: time, peak memory up to that paint, shared objects mapped,
//            and any chart or QML library mapped (there should be none before Show Graph).
//   cli      quillbrook-cli schedule printing the 2,080 rows of a 40-year weekly mortgage as
//            CSV, against a Qt Core program printing "hello": the whole process's time and
//            peak memory.
//
//   bench_startup [desktop|cli] [--pairs N] [--platform NAME]
//
// The first pair warms the caches and is not counted. The platform defaults to offscreen; run
// under xvfb-run with --platform xcb to measure on a virtual X display. The first paint is seen
// by a Qt generic plugin built beside this program (firstpaintplugin.cpp), so both programs
// are measured as they are shipped.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Sample {
    double milliseconds = 0;
    double megabytes = 0;
    int sharedObjects = 0;
    std::string chartLibraries;
};

std::int64_t monotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "bench_startup: %s\n", what.c_str());
    std::exit(1);
}

// Starts program with arguments and the environment changed by overrides ("NAME=value"); its
// standard output goes to a pipe when captured is given, else to /dev/null.
Sample run(const std::vector<std::string>& command, const std::vector<std::string>& overrides,
           bool readFirstPaint) {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        const std::string variable(*entry);
        const std::string name = variable.substr(0, variable.find('='));
        const bool replaced = std::any_of(overrides.begin(), overrides.end(), [&](auto& o) {
            return o.compare(0, name.size() + 1, name + "=") == 0;
        });
        if (!replaced)
            environment.push_back(variable);
    }
    environment.insert(environment.end(), overrides.begin(), overrides.end());
    std::vector<char*> envp;
    for (std::string& variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    std::vector<std::string> arguments = command;
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int output[2] = {-1, -1};
    if (readFirstPaint && pipe(output) != 0)
        fail("cannot make a pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (readFirstPaint) {
        posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, output[0]);
        posix_spawn_file_actions_addclose(&actions, output[1]);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    }
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    const std::int64_t start = monotonicNanoseconds();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0)
        fail("cannot start " + command[0]);
    posix_spawn_file_actions_destroy(&actions);

    std::string printed;
    if (readFirstPaint) {
        close(output[1]);
        char buffer[4096];
        for (ssize_t got; (got = read(output[0], buffer, sizeof buffer)) != 0;) {
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                break;
            printed.append(buffer, static_cast<std::size_t>(got));
        }
        close(output[0]);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        fail("lost " + command[0]);
    const std::int64_t end = monotonicNanoseconds();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fail(command[0] + " did not end with status 0");

    Sample sample;
    sample.megabytes = usage.ru_maxrss / 1024.0;
    if (!readFirstPaint) {
        sample.milliseconds = (end - start) / 1e6;
        return sample;
    }
    // The plugin's line: the clock at the first paint, shared objects, chart libraries.
    const std::size_t lineStart = printed.rfind('\n', printed.size() >= 2 ? printed.size() - 2 : 0);
    const std::string line = printed.substr(lineStart == std::string::npos ? 0 : lineStart + 1);
    long long painted = 0;
    int objects = 0;
    char charts[2048] = {};
    if (std::sscanf(line.c_str(), "%lld %d %2047s", &painted, &objects, charts) != 3)
        fail(command[0] + " reported no first paint (is the plugin built?)");
    sample.milliseconds = (painted - start) / 1e6;
    sample.sharedObjects = objects;
    sample.chartLibraries = std::strcmp(charts, "-") == 0 ? std::string() : charts;
    return sample;
}

// The shared objects the dynamic loader maps before main(), as ldd lists them.
int linkedObjects(const char* program) {
    const std::string command = std::string("ldd '") + program + "' 2>/dev/null";
    FILE* listing = popen(command.c_str(), "r");
    if (!listing)
        fail("cannot run ldd");
    int lines = 0;
    for (int c; (c = std::fgetc(listing)) != EOF;)
        lines += c == '\n';
    pclose(listing);
    return lines;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Side {
    std::string name;
    std::function<Sample()> run;
    std::vector<Sample> samples;
};

void comparePairs(const char* title, Side& a, Side& b, int pairs, double timeGoal,
                  double memoryGoal, const char* programA, const char* programB) {
    a.run();
    b.run();
    for (int i = 0; i < pairs; ++i) {
        a.samples.push_back(a.run());
        b.samples.push_back(b.run());
    }
    const auto column = [](const Side& side, auto field) {
        std::vector<double> values;
        for (const Sample& sample : side.samples)
            values.push_back(field(sample));
        return values;
    };
    const auto time = [](const Sample& s) {
        return s.milliseconds;
    };
    const auto memory = [](const Sample& s) {
        return s.megabytes;
    };
    const auto objects = [](const Sample& s) {
        return double(s.sharedObjects);
    };
    std::vector<double> timeRatios;
    std::vector<double> memoryRatios;
    for (std::size_t i = 0; i < a.samples.size(); ++i) {
        timeRatios.push_back(a.samples[i].milliseconds / b.samples[i].milliseconds);
        memoryRatios.push_back(a.samples[i].megabytes / b.samples[i].megabytes);
    }

    std::printf("%s, %d pairs (medians)\n", title, pairs);
    std::printf("  %-28s %9s %11s\n", "", "time ms", "peak MB");
    for (const Side* side : {&a, &b}) {
        std::printf("  %-28s %9.1f %11.1f\n", side->name.c_str(), median(column(*side, time)),
                    median(column(*side, memory)));
    }
    std::printf("  %-28s %8.2fx %10.2fx   (goals: at most %.1fx and %.1fx)\n", "ratio",
                median(column(a, time)) / median(column(b, time)),
                median(column(a, memory)) / median(column(b, memory)), timeGoal, memoryGoal);
    std::printf("  %-28s %8.2fx %10.2fx\n", "median of the pairs' ratios", median(timeRatios),
                median(memoryRatios));
    const int linkedA = linkedObjects(programA);
    const int linkedB = linkedObjects(programB);
    std::printf("  shared objects linked (ldd): %d against %d (%+d)\n", linkedA, linkedB,
                linkedA - linkedB);
    if (a.samples.front().sharedObjects > 0) {
        const double ownObjects = median(column(a, objects));
        const double bareObjects = median(column(b, objects));
        std::printf("  shared objects mapped at the first paint, plugins loaded at run time "
                    "included: %.0f against %.0f (%+.0f)\n",
                    ownObjects, bareObjects, ownObjects - bareObjects);
        const std::string& charts = a.samples.front().chartLibraries;
        std::printf("  chart and QML libraries mapped at the first paint: %s\n",
                    charts.empty() ? "none" : charts.c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    int pairs = 21;
    std::string platform = "offscreen";
    std::string which = "all";
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--pairs" && i + 1 < argc)
            pairs = std::max(1, std::atoi(argv[++i]));
        else if (argument == "--platform" && i + 1 < argc)
            platform = argv[++i];
        else if (argument == "desktop" || argument == "cli")
            which = argument;
        else
            fail("usage: bench_startup [desktop|cli] [--pairs N] [--platform NAME]");
    }

    if (which != "cli") {
        const auto firstPaint = [platform](const char* program, const char* window) {
            return [=] {
                return run({program},
                           {"QT_QPA_PLATFORM=" + platform, "QT_PLUGIN_PATH=" QB_BENCH_PLUGINS,
                            "QT_QPA_GENERIC_PLUGINS=qbfirstpaint",
                            std::string("QB_FIRST_PAINT_WINDOW=") + window},
                           true);
            };
        };
        Side program{"quillbrook", firstPaint(QB_DESKTOP_PROGRAM, "MenuMain"), {}};
        Side bare{"bare QWidget program", firstPaint(QB_BARE_WINDOW, "BareWindow"), {}};
        const std::string title = "Start to the first paint on " + platform;
        comparePairs(title.c_str(), program, bare, pairs, 1.3, 1.3, QB_DESKTOP_PROGRAM,
                     QB_BARE_WINDOW);
    }
    if (which != "desktop") {
        Side tool{"quillbrook-cli schedule",
                  [] {
                      return run({QB_CLI_PROGRAM, "schedule", "--years", "40", "--frequency",
                                  "1-week", "--days-per-year", "360", "--view", "all", "--format",
                                  "csv"},
                                 {}, false);
                  },
                  {}};
        Side hello{"Qt Core hello", [] { return run({QB_CORE_HELLO}, {}, false); }, {}};
        comparePairs("quillbrook-cli schedule, 2,080-row CSV, whole process", tool, hello, pairs,
                     1.6, 1.4, QB_CLI_PROGRAM, QB_CORE_HELLO);
    }
    return 0;
}
