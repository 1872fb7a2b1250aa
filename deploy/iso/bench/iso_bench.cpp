// Speed and memory of the image builder on two trees, each built by the
// builder's console driver and, when it is installed, by xorriso
// (-joliet on -rockridge on), three times; the least time and peak of each:
//  - many small files (100,000 of 1 byte to 2 KiB, 200 a folder): time, peak
//    resident memory, memory a file, ratio to xorriso;
//  - 1 GiB of four files of 200 MiB and small ones: time against xorriso and a
//    plain copy of the tree.
// iso_bench [scratch folder] [--files N] [--check]
// --check reads the driver's images back through osirrox and 7z and compares
// every file with its source.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

struct RunFigures {
    double wall = 0, cpu = 0;
    long peak_kib = 0;
    bool ok = false;
};

std::string Load()
{
    double l[3] = {0, 0, 0};
    if (getloadavg(l, 3) != 3) return "?";
    char text[64];
    std::snprintf(text, sizeof(text), "%.2f %.2f %.2f", l[0], l[1], l[2]);
    return text;
}

// Runs a program with its output thrown away; its own time and peak from wait4.
RunFigures Run(const std::vector<std::string> &args)
{
    RunFigures f;
    std::vector<char *> argv;
    for (auto &a : args) argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    auto t0 = Clock::now();
    pid_t pid;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return f;
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    struct rusage ru;
    if (wait4(pid, &status, 0, &ru) != pid) return f;
    f.wall = std::chrono::duration<double>(Clock::now() - t0).count();
    f.cpu = (double)ru.ru_utime.tv_sec + ru.ru_utime.tv_usec / 1e6 + (double)ru.ru_stime.tv_sec +
            ru.ru_stime.tv_usec / 1e6;
    f.peak_kib = ru.ru_maxrss;
    f.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return f;
}

// The least of three runs of each figure; the image of the last run is kept.
RunFigures Best(const std::vector<std::string> &args, const fs::path &image)
{
    RunFigures best;
    for (int i = 0; i < 3; i++) {
        fs::remove(image);
        sync();
        RunFigures f = Run(args);
        if (!f.ok) return f;
        if (i == 0 || f.wall < best.wall) best.wall = f.wall;
        if (i == 0 || f.cpu < best.cpu) best.cpu = f.cpu;
        if (i == 0 || f.peak_kib < best.peak_kib) best.peak_kib = f.peak_kib;
        best.ok = true;
    }
    return best;
}

bool HaveProgram(const char *name)
{
    std::string cmd = std::string("command -v ") + name + " >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0;
}

void WriteRandom(const fs::path &p, size_t n, std::mt19937_64 &gen)
{
    std::ofstream f(p, std::ios::binary);
    std::vector<uint64_t> buf(1 << 16);
    while (n > 0) {
        for (auto &v : buf) v = gen();
        size_t chunk = std::min(n, buf.size() * sizeof(uint64_t));
        f.write((const char *)buf.data(), (std::streamsize)chunk);
        n -= chunk;
    }
}

uint64_t PlainCopy(const fs::path &from, const fs::path &to)
{
    uint64_t total = 0;
    std::vector<char> buf(1 << 20);
    for (auto &e : fs::recursive_directory_iterator(from)) {
        fs::path target = to / fs::relative(e.path(), from);
        if (e.is_directory()) {
            fs::create_directories(target);
            continue;
        }
        FILE *in = std::fopen(e.path().string().c_str(), "rb");
        FILE *out = std::fopen(target.string().c_str(), "wb");
        size_t n;
        while (in && out && (n = std::fread(buf.data(), 1, buf.size(), in)) > 0) {
            std::fwrite(buf.data(), 1, n, out);
            total += n;
        }
        if (in) std::fclose(in);
        if (out) std::fclose(out);
    }
    return total;
}

bool SameBytes(const fs::path &a, const fs::path &b)
{
    std::ifstream x(a, std::ios::binary), y(b, std::ios::binary);
    if (!x || !y) return false;
    std::vector<char> p(1 << 16), q(1 << 16);
    while (true) {
        x.read(p.data(), (std::streamsize)p.size());
        y.read(q.data(), (std::streamsize)q.size());
        if (x.gcount() != y.gcount() || std::memcmp(p.data(), q.data(), (size_t)x.gcount()) != 0) return false;
        if (!x) return !y;
    }
}

// Every file of the source is in the extracted tree with the same bytes.
size_t Differences(const fs::path &source, const fs::path &extracted)
{
    size_t bad = 0;
    for (auto &e : fs::recursive_directory_iterator(source)) {
        if (!e.is_regular_file()) continue;
        fs::path got = extracted / fs::relative(e.path(), source);
        if (!SameBytes(e.path(), got)) {
            if (bad < 5) std::fprintf(stderr, "  differs: %s\n", got.string().c_str());
            bad++;
        }
    }
    return bad;
}

void CheckImage(const fs::path &image, const fs::path &source, const fs::path &scratch)
{
    struct Reader {
        const char *name;
        std::vector<std::string> args;
    };
    fs::path out = scratch / "extracted";
    std::vector<Reader> readers = {
        {"osirrox", {"osirrox", "-indev", image.string(), "-extract", "/", out.string()}},
        {"7z", {"7z", "x", "-y", "-o" + out.string(), image.string()}},
    };
    for (auto &r : readers) {
        if (!HaveProgram(r.name)) {
            std::printf("  read back through %s: not installed\n", r.name);
            continue;
        }
        fs::remove_all(out);
        RunFigures f = Run(r.args);
        size_t bad = f.ok ? Differences(source, out) : (size_t)-1;
        if (!f.ok)
            std::printf("  read back through %s: the reader failed\n", r.name);
        else
            std::printf("  read back through %s: %s\n", r.name,
                        bad ? (std::to_string(bad) + " files differ").c_str() : "every file equal to its source");
        fs::remove_all(out);
    }
}

void Report(const char *what, const RunFigures &f, size_t files)
{
    if (!f.ok) {
        std::printf("  %-10s failed\n", what);
        return;
    }
    std::printf("  %-10s %6.2f s (cpu %5.2f s), peak %7.1f MiB", what, f.wall, f.cpu, f.peak_kib / 1024.0);
    if (files) std::printf(", %.2f KiB a file", (double)f.peak_kib / (double)files);
    std::printf("\n");
}

void Ratio(const RunFigures &ours, const RunFigures &other, const char *name)
{
    if (ours.ok && other.ok)
        std::printf("  ratio to %s: %.2f x its time (cpu %.2f x), %.2f x its peak\n", name, ours.wall / other.wall,
                    ours.cpu / other.cpu, (double)ours.peak_kib / (double)other.peak_kib);
}

}  // namespace

int main(int argc, char **argv)
{
    fs::path base = fs::temp_directory_path() / "iso_bench";
    size_t many = 100000;
    bool check = false;
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--files") == 0 && i + 1 < argc)
            many = (size_t)std::strtoul(argv[++i], nullptr, 10);
        else if (std::strcmp(argv[i], "--check") == 0)
            check = true;
        else
            base = argv[i];
    }
    const std::string driver = ISO_DRIVER_PATH;
    const bool xorriso = HaveProgram("xorriso");
    fs::remove_all(base);
    fs::path boot = base / "boot", small = base / "many", large = base / "large", copy = base / "copy";
    fs::path img = base / "bench.iso", ximg = base / "xorriso.iso";
    fs::create_directories(boot / "kelboot");
    std::mt19937_64 gen(42);
    WriteRandom(boot / "zavoldr.bin", 2048, gen);
    WriteRandom(boot / "kelboot" / "zavo.ini", 32, gen);

    for (size_t i = 0; i < many; i++) {
        fs::path dir = small / ("d" + std::to_string(i / 200));
        if (i % 200 == 0) fs::create_directories(dir);
        WriteRandom(dir / ("file" + std::to_string(i) + ".txt"), 1 + gen() % 2047, gen);
    }
    std::printf("many small files: %zu files of 1 byte to 2 KiB, 200 a folder (load %s)\n", many, Load().c_str());
    std::fflush(stdout);
    RunFigures ours = Best({driver, boot.string(), small.string(), img.string()}, img);
    Report("iso_driver", ours, many);
    if (check && ours.ok) CheckImage(img, small, base);
    if (xorriso) {
        RunFigures x = Best({"xorriso", "-outdev", ximg.string(), "-joliet", "on", "-rockridge", "on", "-map",
                             small.string(), "/"},
                            ximg);
        Report("xorriso", x, many);
        Ratio(ours, x, "xorriso");
    } else {
        std::printf("  xorriso: not installed\n");
    }
    std::printf("  load after: %s\n", Load().c_str());
    fs::remove_all(small);
    fs::remove(img);
    fs::remove(ximg);

    const size_t big = 200u << 20;
    fs::create_directories(large);
    for (int i = 0; i < 4; i++) WriteRandom(large / ("large" + std::to_string(i) + ".bin"), big, gen);
    size_t small_total = (1u << 30) - 4 * big;
    int count = 0;
    for (size_t done = 0; done < small_total; count++) {
        size_t n = 1024 + (gen() % (96 * 1024));
        fs::path dir = large / ("d" + std::to_string(count / 200));
        fs::create_directories(dir);
        WriteRandom(dir / ("f" + std::to_string(count) + ".dat"), n, gen);
        done += n;
    }
    std::printf("large files: 4 files of 200 MiB and %d small ones, 1 GiB in all (load %s)\n", count,
                Load().c_str());
    std::fflush(stdout);
    double copy_s = 0;
    for (int i = 0; i < 3; i++) {
        auto t0 = Clock::now();
        PlainCopy(large, copy);
        double s = std::chrono::duration<double>(Clock::now() - t0).count();
        copy_s = i == 0 ? s : std::min(copy_s, s);
        fs::remove_all(copy);
    }
    RunFigures lours = Best({driver, boot.string(), large.string(), img.string()}, img);
    Report("iso_driver", lours, 0);
    if (check && lours.ok) CheckImage(img, large, base);
    RunFigures lx;
    if (xorriso) {
        lx = Best({"xorriso", "-outdev", ximg.string(), "-joliet", "on", "-rockridge", "on", "-map", large.string(),
                   "/"},
                  ximg);
        Report("xorriso", lx, 0);
    }
    std::printf("  plain copy %6.2f s\n", copy_s);
    Ratio(lours, lx, "xorriso");
    if (lours.ok) std::printf("  ratio to the plain copy: %.2f x its time\n", lours.wall / copy_s);
    std::printf("  load after: %s\n", Load().c_str());
    fs::remove_all(base);
    return ours.ok && lours.ok ? 0 : 1;
}
