#ifndef MEMOIRE_H
#define MEMOIRE_H

#include <unistd.h>

#include <cstdio>

// Resident memory now, in MB.
inline double memoire_mo()
{
    long pages = 0, residentes = 0;
    std::FILE *statm = std::fopen("/proc/self/statm", "r");
    if (!statm)
        return 0;
    if (std::fscanf(statm, "%ld %ld", &pages, &residentes) != 2)
        residentes = 0;
    std::fclose(statm);
    return double(residentes) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

#endif
