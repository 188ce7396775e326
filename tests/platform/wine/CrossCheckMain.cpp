#include "tests/platform/wine/CrossCheckDrawing.h"

int main(int argc, char** argv) {
    std::FILE* out = argc > 1 ? std::fopen(argv[1], "w") : stdout;
    if (!out) {
        return 2;
    }
    drawCrossCheckCases(out);
    return std::fclose(out) == 0 ? 0 : 1;
}
