// Writes a SAP2000 text export of a given size, deterministic from a seed:
// joints on a grid of storeys, columns and beams, four- and three-joint
// shells, sections of the three converted shapes, supports, releases,
// twenty-four load patterns with many distinct load values, and linear
// combinations. Used by the benchmarks and by the scaling test.
//   generate_model JOINTS SEED OUTPUT
#include "bench/ModelGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: generate_model JOINTS SEED OUTPUT\n");
        return 2;
    }
    std::ofstream out(argv[3], std::ios::binary);
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[3]);
        return 1;
    }
    corvane::bench::GenerateModel(std::strtol(argv[1], nullptr, 10), std::strtoul(argv[2], nullptr, 10), out);
    return out.good() ? 0 : 1;
}
