// SPDX-License-Identifier: MIT
// A stand-in for libFuzzer's main in builds without it: runs every file of the
// corpus folders, then -runs=N inputs made by mutating them with a fixed
// -seed, so the test suite gives each target the same short, repeatable run.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

int main(int argc, char** argv)
{
    long runs = 1000;
    unsigned seed = 1;
    std::vector<std::vector<std::uint8_t>> corpus;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a.rfind("-runs=", 0) == 0)
            runs = std::stol(a.substr(6));
        else if (a.rfind("-seed=", 0) == 0)
            seed = unsigned(std::stoul(a.substr(6)));
        else if (a[0] != '-' && std::filesystem::is_directory(a))
            for (const auto& e : std::filesystem::directory_iterator(a)) {
                std::ifstream f(e.path(), std::ios::binary);
                corpus.emplace_back(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
            }
    }
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    if (corpus.empty())
        corpus.emplace_back();
    for (const auto& input : corpus)
        LLVMFuzzerTestOneInput(input.data(), input.size());

    std::mt19937 rng(seed);
    const std::uint8_t interesting[] = {' ', '.', '-', '+', 'e', 'E', '0', '9', 0, 0xFF, 0xC3, '\t'};
    for (long n = 0; n < runs; ++n) {
        std::vector<std::uint8_t> input = corpus[rng() % corpus.size()];
        const int edits = 1 + int(rng() % 4);
        for (int k = 0; k < edits; ++k) {
            const std::size_t at = input.empty() ? 0 : rng() % (input.size() + 1);
            switch (rng() % 4) {
            case 0: input.insert(input.begin() + long(at), interesting[rng() % sizeof interesting]); break;
            case 1: if (at < input.size()) input.erase(input.begin() + long(at)); break;
            case 2: if (at < input.size()) input[at] = std::uint8_t(rng()); break;
            case 3: input.insert(input.begin() + long(at), std::size_t(rng() % 1100), std::uint8_t(rng())); break;
            }
        }
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("%ld mutated inputs and %zu corpus files: no failure\n", runs, corpus.size());
    return 0;
}
