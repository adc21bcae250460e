// The floor of a conversion: the same system calls as the converter makes,
// and nothing else. One positioned 4-byte read per count and per facet
// value, and two write requests per record (80 characters, then CR LF), in
// the converter's order: count and facets (pass 1), the 7 head records,
// count, 6 records per facet (pass 2), facets and 3 records per facet
// (pass 3), the Terminate record.
//
//   stlwire_floor INPUT.stl OUTPUT.igs
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

int32_t read_count(int stl) {
    int32_t count = 0;
    if (pread(stl, &count, 4, 80) < 0) std::perror("pread");
    return count;
}

void read_facet(int stl, int64_t facet) {
    float value;
    for (int k = 0; k < 12; ++k) {
        if (pread(stl, &value, 4, 84 + 50 * facet + 4 * k) < 0) std::perror("pread");
    }
}

void write_record(int igs, const char* record) {
    if (write(igs, record, 80) != 80 || write(igs, "\r\n", 2) != 2) std::perror("write");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s INPUT.stl OUTPUT.igs\n", argv[0]);
        return 2;
    }
    const int stl = open(argv[1], O_RDWR);
    const int igs = open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (stl < 0 || igs < 0) return 1;
    char record[81];
    std::memset(record, ' ', 80);

    read_count(stl);   // the opening's look at the count
    int32_t count = read_count(stl);
    for (int64_t n = 0; n < count; ++n) read_facet(stl, n);
    for (int r = 0; r < 7; ++r) write_record(igs, record);
    count = read_count(stl);
    for (int64_t n = 0; n < count; ++n) {
        for (int r = 0; r < 6; ++r) write_record(igs, record);
    }
    for (int64_t n = 0; n < count; ++n) {
        read_facet(stl, n);
        for (int r = 0; r < 3; ++r) write_record(igs, record);
    }
    write_record(igs, record);
    close(stl);
    close(igs);
    return 0;
}
