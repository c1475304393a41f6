// Feeds every file of the folders (or the files) named on the command line to the fuzz target,
// one by one, without libFuzzer: the corpus replay that every build runs.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

static bool replay(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return false;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    // A copy of exactly the file's size, so reading past the end is caught as the fuzzer would.
    std::vector<uint8_t> data(bytes.begin(), bytes.end());
    std::fprintf(stderr, "%s (%zu bytes)\n", file.c_str(), data.size());
    LLVMFuzzerTestOneInput(data.empty() ? nullptr : data.data(), data.size());
    return true;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER|FILE...\n", argv[0]);
        return 2;
    }
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        const fs::path arg(argv[i]);
        std::vector<fs::path> files;
        if (fs::is_directory(arg)) {
            for (const auto& entry : fs::directory_iterator(arg))
                if (entry.is_regular_file())
                    files.push_back(entry.path());
        } else {
            files.push_back(arg);
        }
        std::sort(files.begin(), files.end());
        for (const auto& f : files) {
            if (!replay(f))
                return 1;
            ++count;
        }
    }
    if (count == 0) {
        std::fprintf(stderr, "no input found\n");
        return 1;
    }
    std::printf("%d inputs replayed\n", count);
    return 0;
}
