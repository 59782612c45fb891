// The least a reader of the export has to do: read the file and split it
// into lines and blank-separated tokens, counting them. The benchmark runs
// it beside the converter as the measure of what the input alone costs.
//   tokenize FILE
#include <cstdio>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tokenize FILE\n");
        return 2;
    }
    const int fd = ::open(argv[1], O_RDONLY);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || st.st_size <= 0) return 1;
    const auto size = static_cast<std::size_t>(st.st_size);
    void* at = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    if (at == MAP_FAILED) return 1;
    const char* p = static_cast<const char*>(at);
    const char* const end = p + size;
    unsigned long lines = 0, tokens = 0;
    bool inToken = false;
    for (; p < end; ++p) {
        const char c = *p;
        if (c == ' ' || c == '\r' || c == '\n') {
            tokens += inToken;
            inToken = false;
            lines += c == '\n';
        } else {
            inToken = true;
        }
    }
    tokens += inToken;
    std::printf("%lu lines, %lu tokens\n", lines, tokens);
    ::munmap(at, size);
    ::close(fd);
    return 0;
}
