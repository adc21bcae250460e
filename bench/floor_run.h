// The floor of a conversion: the same system calls as the converter makes,
// and nothing else. One positioned 4-byte read per count and per facet
// value, and two write requests per record (80 characters, then CR LF), in
// the converter's order: count and facets (pass 1), the 7 head records,
// count, 6 records per facet (pass 2), facets and 3 records per facet
// (pass 3), the Terminate record.
//
// Calls gives read(descriptor, buffer, size, offset) and
// write(descriptor, buffer, size); every loop is in this one function, so
// calls that are inlined leave no return after their system call.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

template <typename Calls>
int run_floor(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s INPUT.stl OUTPUT.igs\n", argv[0]);
        return 2;
    }
    const int stl = open(argv[1], O_RDWR);
    const int igs = open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (stl < 0 || igs < 0) return 1;
    char record[80];
    std::memset(record, ' ', sizeof record);
    long failures = 0;
    const auto count_at_81 = [&] {
        int32_t count = 0;
        failures += Calls::read(stl, &count, 4, 80) != 4;
        return count;
    };
    const auto facet_values = [&](int64_t facet) {
        float value;
        for (int k = 0; k < 12; ++k) failures += Calls::read(stl, &value, 4, 84 + 50 * facet + 4 * k) != 4;
    };
    const auto records = [&](int n) {
        for (int r = 0; r < n; ++r) {
            failures += Calls::write(igs, record, 80) != 80;
            failures += Calls::write(igs, "\r\n", 2) != 2;
        }
    };

    count_at_81();   // the opening's look at the count
    int32_t count = count_at_81();
    for (int64_t n = 0; n < count; ++n) facet_values(n);
    records(7);
    count = count_at_81();
    for (int64_t n = 0; n < count; ++n) records(6);
    for (int64_t n = 0; n < count; ++n) {
        facet_values(n);
        records(3);
    }
    records(1);
    close(stl);
    close(igs);
    if (failures != 0) std::fprintf(stderr, "%ld calls failed\n", failures);
    return failures == 0 ? 0 : 1;
}
