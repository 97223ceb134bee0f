// Whole processes started side by side with their yardsticks, in turn (A, B, A, B, ...), and
// the medians and ratios printed:
//
//   desktop  quillbrook to the main menu's first paint, against a bare QWidget program to its
//            window's first paint: time, peak memory up to that paint, shared objects linked
//            and mapped, and any chart or QML library mapped (there should be none before Show
//            Graph). Between the two, a window with the menu's buttons and title in their bold
//            fonts that first looks up the default printer and measures the printer font as
//            start-up does (floorwindow.cpp): what any program that keeps those costs; and the
//            same window without the printer: what its text alone costs.
//   cli      quillbrook-cli schedule printing the 2,080 rows of a 40-year weekly mortgage as
//            CSV, against a Qt Core program printing "hello": the whole process's time and
//            peak memory.
//
//   bench_startup [desktop|cli] [--rounds N] [--platform NAME] [--also BUILD_FOLDER]
//
// The first round warms the caches and is not counted. The platform defaults to offscreen; run
// under xvfb-run with --platform xcb to measure on a virtual X display. The first paint is seen
// by a Qt generic plugin built beside this program (firstpaintplugin.cpp), so both programs
// are measured as they are shipped. --also runs the programs of another build folder in the
// same rounds, e.g. one of the tree before a change, for figures before and after.
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
    std::string program;
    std::function<Sample()> run;
    std::vector<Sample> samples;
};

std::vector<double> column(const Side& side, double (*field)(const Sample&)) {
    std::vector<double> values;
    for (const Sample& sample : side.samples)
        values.push_back(field(sample));
    return values;
}

double timeOf(const Sample& sample) {
    return sample.milliseconds;
}

double memoryOf(const Sample& sample) {
    return sample.megabytes;
}

double objectsOf(const Sample& sample) {
    return sample.sharedObjects;
}

// Runs the sides in turn, rounds times after one round that is not counted, and prints each
// against the last side, the yardstick.
void compare(const std::string& title, std::vector<Side>& sides, int rounds, double timeGoal,
             double memoryGoal) {
    for (int i = 0; i <= rounds; ++i) {
        for (Side& side : sides) {
            Sample sample = side.run();
            if (i > 0)
                side.samples.push_back(sample);
        }
    }
    const Side& yardstick = sides.back();
    std::printf("%s, %d rounds (medians)\n", title.c_str(), rounds);
    std::printf("  %-44s %8s %7s %8s %7s %6s\n", "", "time ms", "ratio", "peak MB", "ratio", "ldd");
    for (const Side& side : sides) {
        std::vector<double> timeRatios;
        std::vector<double> memoryRatios;
        for (std::size_t i = 0; i < side.samples.size(); ++i) {
            timeRatios.push_back(side.samples[i].milliseconds / yardstick.samples[i].milliseconds);
            memoryRatios.push_back(side.samples[i].megabytes / yardstick.samples[i].megabytes);
        }
        std::printf("  %-44s %8.1f %6.2fx %8.1f %6.2fx %6d\n", side.name.c_str(),
                    median(column(side, timeOf)), median(timeRatios),
                    median(column(side, memoryOf)), median(memoryRatios),
                    linkedObjects(side.program.c_str()));
    }
    std::printf("  ratios are medians of each round's ratio to the last line; goals: time at most "
                "%.1fx, memory at most %.1fx\n",
                timeGoal, memoryGoal);
    const Side& measured = sides.front();
    if (measured.samples.front().sharedObjects > 0) {
        std::printf("  shared objects mapped at the first paint, plugins loaded at run time "
                    "included: %.0f against %.0f\n",
                    median(column(measured, objectsOf)), median(column(yardstick, objectsOf)));
        const std::string& charts = measured.samples.front().chartLibraries;
        std::printf("  chart and QML libraries mapped at the first paint: %s\n",
                    charts.empty() ? "none" : charts.c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    int rounds = 21;
    std::string platform = "offscreen";
    std::string which = "all";
    std::string other; // another build folder, whose programs run in the same rounds
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--rounds" && i + 1 < argc)
            rounds = std::max(1, std::atoi(argv[++i]));
        else if (argument == "--platform" && i + 1 < argc)
            platform = argv[++i];
        else if (argument == "--also" && i + 1 < argc)
            other = argv[++i];
        else if (argument == "desktop" || argument == "cli")
            which = argument;
        else
            fail("usage: bench_startup [desktop|cli] [--rounds N] [--platform NAME] "
                 "[--also BUILD_FOLDER]");
    }
    const std::string otherDesktop = other + "/src/quillbrook";
    const std::string otherCli = other + "/src/quillbrook-cli";

    if (which != "cli") {
        const auto firstPaint = [platform](const std::string& program, const char* window,
                                           const std::string& argument = {}) {
            return [=] {
                std::vector<std::string> command = {program};
                if (!argument.empty())
                    command.push_back(argument);
                return run(command,
                           {"QT_QPA_PLATFORM=" + platform, "QT_PLUGIN_PATH=" QB_BENCH_PLUGINS,
                            "QT_QPA_GENERIC_PLUGINS=qbfirstpaint",
                            std::string("QB_FIRST_PAINT_WINDOW=") + window},
                           true);
            };
        };
        std::vector<Side> sides = {
            {"quillbrook", QB_DESKTOP_PROGRAM, firstPaint(QB_DESKTOP_PROGRAM, "MenuMain"), {}},
            {"text window with the printer look-up",
             QB_FLOOR_WINDOW,
             firstPaint(QB_FLOOR_WINDOW, "FloorWindow"),
             {}},
            {"the same window's text alone",
             QB_FLOOR_WINDOW,
             firstPaint(QB_FLOOR_WINDOW, "FloorWindow", "text"),
             {}},
            {"bare QWidget program", QB_BARE_WINDOW, firstPaint(QB_BARE_WINDOW, "BareWindow"), {}},
        };
        if (!other.empty())
            sides.insert(sides.begin() + 1,
                         {otherDesktop, otherDesktop, firstPaint(otherDesktop, "MenuMain"), {}});
        compare("Start to the first paint on " + platform, sides, rounds, 1.3, 1.3);
    }
    if (which != "desktop") {
        const auto schedule = [](const std::string& program) {
            return [=] {
                return run({program, "schedule", "--years", "40", "--frequency", "1-week",
                            "--days-per-year", "360", "--view", "all", "--format", "csv"},
                           {}, false);
            };
        };
        std::vector<Side> sides = {
            {"quillbrook-cli schedule", QB_CLI_PROGRAM, schedule(QB_CLI_PROGRAM), {}},
            {"Qt Core hello", QB_CORE_HELLO, [] { return run({QB_CORE_HELLO}, {}, false); }, {}},
        };
        if (!other.empty())
            sides.insert(sides.begin() + 1, {otherCli, otherCli, schedule(otherCli), {}});
        compare("quillbrook-cli schedule, 2,080-row CSV, whole process", sides, rounds, 1.6, 1.4);
    }
    return 0;
}
