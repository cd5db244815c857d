// Start-up time and peak memory of the editor beside a minimal Qt program, both
// run alternately on one X screen (tools/run-benchmarks starts a private Xvfb);
// prints medians of several runs.
// Last line: ratio time T memory M   (editor / minimal)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Run {
    double ms;
    long maxRssKb;
};

// Starts a child, waits for its "shown" line and its exit.
Run RunChild(const std::string& program, const std::string& workDir)
{
    int out[2];
    if (pipe(out) != 0)
        std::exit(1);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        if (chdir(workDir.c_str()) != 0)
            _exit(127);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    char buffer[64];
    std::string seen;
    for (ssize_t n; seen.find("shown") == std::string::npos && (n = read(out[0], buffer, sizeof buffer)) > 0;)
        seen.append(buffer, static_cast<std::size_t>(n));
    const auto shown = std::chrono::steady_clock::now();
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (seen.find("shown") == std::string::npos || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not start\n", program.c_str());
        std::exit(1);
    }
    return {std::chrono::duration<double, std::milli>(shown - start).count(), usage.ru_maxrss};
}

template <class T>
T Median(std::vector<T> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    // The children sit in bin/bench-children beside this program; the start-up
    // files in <build>/work.
    char self[4096] = {};
    if (readlink("/proc/self/exe", self, sizeof self - 1) <= 0)
        return 1;
    const std::string binDir = std::string(self).substr(0, std::string(self).rfind('/'));
    const std::string bin = binDir + "/bench-children";
    const std::string work = binDir + "/../work";
    const int runs = argc > 1 ? std::atoi(argv[1]) : 9;

    // The X screen is the caller's: tools/run-benchmarks gives it a private Xvfb one.
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "bench-startup: no DISPLAY; run it through tools/run-benchmarks (make bench)\n");
        return 1;
    }
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    char runtime[] = "/tmp/korvo-bench-XXXXXX"; // Qt wants a private runtime folder
    if (mkdtemp(runtime))
        setenv("XDG_RUNTIME_DIR", runtime, 1);

    std::vector<double> editorMs, minimalMs;
    std::vector<long> editorKb, minimalKb;
    RunChild(bin + "/bench-startup-minimal", work); // warm the file cache
    RunChild(bin + "/bench-startup-editor", work);
    for (int i = 0; i < runs; ++i) {
        const Run m = RunChild(bin + "/bench-startup-minimal", work);
        const Run e = RunChild(bin + "/bench-startup-editor", work);
        minimalMs.push_back(m.ms);
        minimalKb.push_back(m.maxRssKb);
        editorMs.push_back(e.ms);
        editorKb.push_back(e.maxRssKb);
    }
    rmdir(runtime);

    const double em = Median(editorMs), mm = Median(minimalMs);
    const long ek = Median(editorKb), mk = Median(minimalKb);
    std::printf("%-10s %12s %16s   (medians of %d runs under Xvfb)\n", "program", "time to shown", "peak memory", runs);
    std::printf("%-10s %10.1f ms %13ld KiB\n", "minimal", mm, mk);
    std::printf("%-10s %10.1f ms %13ld KiB\n", "editor", em, ek);
    std::printf("ratio time %.2f memory %.2f\n", em / mm, static_cast<double>(ek) / static_cast<double>(mk));
    return 0;
}
