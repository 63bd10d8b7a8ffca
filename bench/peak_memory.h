#pragma once

// The process's resident memory as the kernel counts it, for benchmarks that report the peak
// of one job rather than of the whole process's life.

#include <fstream>
#include <string>

namespace vellamo::bench {

// A field of /proc/self/status in kB ("VmHWM:", "VmRSS:").
inline long statusField(const char* name)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(name, 0) == 0)
            return std::stol(line.substr(std::string(name).size()));
    return 0;
}

// Resets the peak resident size (VmHWM) to the current one.
inline void resetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

}  // namespace vellamo::bench
