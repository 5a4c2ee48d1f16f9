// Feeds a fuzz target with seeded random inputs and with mutations of earlier inputs, so
// that every test run exercises it without libFuzzer. Prints a closing count line.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    const long runs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10000;
    std::mt19937 rng(12345);
    // Interesting bytes for text parsers: digits, signs, prefixes, blanks, high bytes.
    static const char alphabet[] = "0123456789+-$xX abcdefABCDEF\\:./\t\r\n=[]\x81\x5c\x95\xff";
    std::vector<uint8_t> input;
    for (long i = 0; i < runs; ++i) {
        if (i % 4 == 0 || input.empty()) input.clear();
        const size_t len = rng() % (i % 100 == 0 ? 4096 : 24);
        for (size_t k = 0; k < len; ++k) {
            const bool raw = rng() % 8 == 0;
            input.push_back(raw ? uint8_t(rng()) : uint8_t(alphabet[rng() % (sizeof alphabet - 1)]));
        }
        if (!input.empty() && rng() % 3 == 0) input.erase(input.begin() + rng() % input.size());
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("%ld passed, 0 failed\n", runs);
    return 0;
}
