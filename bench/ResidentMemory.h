#pragma once

#include <fstream>
#include <unistd.h>

/// The process's resident memory in kilobytes, from /proc.
inline long residentKilobytes()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}
