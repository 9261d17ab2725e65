// Benchmark: one rokuyo name, as the day view asks for it, over consecutive days.
//   rokuyo_bench.exe [days]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "calendar/Rokuyo.h"

int main(int argc, char** argv) {
    int days = argc > 1 ? std::atoi(argv[1]) : 2000;
    if (days < 1) days = 1;
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    std::vector<double> ms;
    ms.reserve(days);
    const double first = RokuyoDayCount(2020, 1, 1);
    size_t sink = 0;
    for (int k = 0; k < days; ++k) {
        QueryPerformanceCounter(&a);
        sink += Rokuyo(first + k).size();
        QueryPerformanceCounter(&b);
        ms.push_back((b.QuadPart - a.QuadPart) * 1000.0 / f.QuadPart);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("Rokuyo: median %.4f ms, 90th percentile %.4f ms, max %.4f ms over %d days (%zu)\n",
                ms[ms.size() / 2], ms[ms.size() * 9 / 10], ms.back(), days, sink);
    return 0;
}
