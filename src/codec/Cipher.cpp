#include "codec/Cipher.h"

#include <utility>

namespace zv {

bool IsKeyUsable(std::string_view key) {
    const std::size_t n = key.size();
    if (n < 5)
        return false;
    for (std::size_t c = 1; c <= n / 2; ++c) {
        // The key is unusable when it is its first c characters repeated, with no short tail.
        bool repeated = (n % c == 0);
        for (std::size_t start = c; repeated && start < n; start += c)
            repeated = key.compare(start, c, key, 0, c) == 0;
        if (repeated)
            return false;
    }
    return true;
}

void CipherState::PrepareKey(std::string_view key, std::string_view key2) {
    const std::size_t n = key.size();
    const std::size_t m = key2.size();
    // An empty key is refused before any operation keys the cipher; as a guard it acts as zeros.
    auto keyByte = [&](std::size_t x) -> int {
        return n == 0 ? 0 : static_cast<unsigned char>(key[x % n]);
    };

    std::uint8_t mix17[17] = {};
    std::uint8_t mix23[23] = {};

    for (int x = 0; x < kSizeA; ++x)
        TableA_[x] = static_cast<std::int16_t>(x);
    IndexA_ = SwapA_ = 0;
    int v = 0;
    for (int x = 0; x < kSizeA; ++x) {
        v = (v + TableA_[x] + keyByte(static_cast<std::size_t>(x))) % kSizeA;
        std::swap(TableA_[x], TableA_[v]);
    }
    for (int x = 0; x < kSizeA; ++x)
        mix17[x % 17] ^= static_cast<std::uint8_t>(TableA_[x] & 0xFF);

    for (int x = 0; x < kSizeB; ++x)
        TableB_[x] = static_cast<std::int16_t>(x);
    IndexB_ = SwapB_ = 0;
    for (int x = 0; x < kSizeB; ++x) {
        v = (v + TableB_[x] + mix17[x % 17]) % kSizeB;
        std::swap(TableB_[x], TableB_[v]);
    }
    for (int x = 0; x < kSizeB; ++x)
        mix23[x % 23] ^= static_cast<std::uint8_t>(TableB_[x] & 0xFF);
    if (m > 0) {
        for (std::size_t x = 0; x < 23; ++x)
            mix23[x] ^= static_cast<unsigned char>(key2[x % m]);
    }

    for (int x = 0; x < kSizeC; ++x)
        TableC_[x] = static_cast<std::int16_t>(x);
    IndexC_ = SwapC_ = 0;
    for (int x = 0; x < kSizeC; ++x) {
        v = (v + TableC_[x] + mix23[x % 23]) % kSizeC;
        std::swap(TableC_[x], TableC_[v]);
    }
    Feedback_ = 0;
}

} // namespace zv
