#include "platform/ResidentMemory.h"
#include <cstdio>
#include <unistd.h>

long ResidentMemoryKb() {
    FILE* file = fopen("/proc/self/statm", "r");
    if (!file) return -1;
    long sizePages = 0, residentPages = 0;
    bool read = fscanf(file, "%ld %ld", &sizePages, &residentPages) == 2;
    fclose(file);
    long pageBytes = sysconf(_SC_PAGESIZE);
    return read && pageBytes > 0 ? residentPages * (pageBytes / 1024) : -1;
}
