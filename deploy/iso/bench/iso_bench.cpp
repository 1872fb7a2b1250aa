// Builds an image of a 1 GiB tree (a few large files, many small ones) and
// compares its speed with a plain copy of the same tree on the same disk.
// iso_bench [scratch folder]
#include "deploy/iso/iso.h"
#include "framework/ScopedHandle.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

static void WriteRandom(const fs::path &p, size_t n, std::mt19937_64 &gen)
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

static uint64_t PlainCopy(const fs::path &from, const fs::path &to)
{
    uint64_t total = 0;
    std::vector<char> buf(1 << 20);
    for (auto &e : fs::recursive_directory_iterator(from)) {
        fs::path target = to / fs::relative(e.path(), from);
        if (e.is_directory()) {
            fs::create_directories(target);
            continue;
        }
        CScopedFile in(fopen(e.path().string().c_str(), "rb"));
        CScopedFile out(fopen(target.string().c_str(), "wb"));
        size_t n;
        while ((n = fread(buf.data(), 1, buf.size(), in)) > 0) {
            fwrite(buf.data(), 1, n, out);
            total += n;
        }
        fflush(out);
    }
    return total;
}

int main(int argc, char **argv)
{
    fs::path base = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "iso_bench";
    fs::remove_all(base);
    fs::path work = base / "work", src = base / "src", copy = base / "copy", img = base / "bench.iso";
    fs::create_directories(work / "kelboot");
    fs::create_directories(src);
    std::mt19937_64 gen(42);
    WriteRandom(work / "zavoldr.bin", 2048, gen);
    const size_t big = 200u << 20;
    for (int i = 0; i < 4; i++) WriteRandom(src / ("large" + std::to_string(i) + ".bin"), big, gen);
    size_t small_total = (1u << 30) - 4 * big;
    int count = 0;
    for (size_t done = 0; done < small_total; count++) {
        size_t n = 1024 + (gen() % (96 * 1024));
        fs::path dir = src / ("d" + std::to_string(count / 200));
        fs::create_directories(dir);
        WriteRandom(dir / ("f" + std::to_string(count) + ".dat"), n, gen);
        done += n;
    }
    std::printf("tree: 4 files of 200 MiB, %d small files, 1 GiB in all\n", count);
    std::fflush(stdout);

    auto t0 = Clock::now();
    uint64_t bytes = PlainCopy(src, copy);
    double copy_s = std::chrono::duration<double>(Clock::now() - t0).count();
    fs::remove_all(copy);

    FILE *quiet = freopen("/dev/null", "w", stdout);
    (void)quiet;
    auto t1 = Clock::now();
    int r = iso_build(work.string().c_str(), src.string().c_str(), img.string().c_str(), nullptr, nullptr);
    double iso_s = std::chrono::duration<double>(Clock::now() - t1).count();
    // a second copy after the build, so that both see the same cache state
    auto t2 = Clock::now();
    PlainCopy(src, copy);
    copy_s = std::min(copy_s, std::chrono::duration<double>(Clock::now() - t2).count());
    fs::remove_all(copy);
    FILE *tty = freopen("/dev/tty", "w", stdout);
    if (!tty) tty = stderr;
    double mb = (double)bytes / (1 << 20);
    long rss = 0;
#ifndef _WIN32
    struct rusage ru;
    getrusage(RUSAGE_SELF, &ru);
    rss = ru.ru_maxrss;
#endif
    std::fprintf(stderr, "plain copy: %.2f s, %.1f MB/s\n", copy_s, mb / copy_s);
    std::fprintf(stderr, "iso_build:  %.2f s, %.1f MB/s (result %d, image %llu bytes)\n", iso_s, mb / iso_s, r,
                 (unsigned long long)fs::file_size(img));
    std::fprintf(stderr, "ratio: %.2f x the copy time; peak RSS %ld KiB\n", iso_s / copy_s, rss);
    fs::remove_all(base);
    return r ? 0 : 1;
}
