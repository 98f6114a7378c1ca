#include "codec/Cipher.h"

#include <algorithm>
#include <utility>

namespace zv {

namespace {

// Residues i mod M for i below N, for reducing sums without branches.
template <int M, int N> struct Modulo {
    std::uint16_t v[N];
    constexpr Modulo()
        : v() {
        for (int i = 0; i < N; ++i)
            v[i] = static_cast<std::uint16_t>(i % M);
    }
};
constexpr Modulo<463, 2 * 463 + 256> kModA{};
constexpr Modulo<251, 2 * 251 + 256> kModB{};
constexpr Modulo<181, 2 * 181 + 256> kModC{};

// One generator on a single (unmirrored) table, sums reduced by look-up.
template <int M, int N>
inline int StageSingle(std::int16_t* t, const Modulo<M, N>& mod, int& i, int& j, int in) {
    i = i == M - 1 ? 0 : i + 1;
    const int ti = t[i];
    j = mod.v[j + ti + in];
    const int tj = t[j];
    t[i] = static_cast<std::int16_t>(tj);
    t[j] = static_cast<std::int16_t>(ti);
    return t[mod.v[tj + ti]] & 0xFF;
}

} // namespace

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
    Mirror();
    Feedback_ = 0;
}

void CipherState::Mirror() {
    for (int k = 1; k < kCopiesA; ++k)
        std::copy(TableA_, TableA_ + kSizeA, TableA_ + k * kSizeA);
    for (int k = 1; k < kCopiesB; ++k)
        std::copy(TableB_, TableB_ + kSizeB, TableB_ + k * kSizeB);
    for (int k = 1; k < kCopiesC; ++k)
        std::copy(TableC_, TableC_ + kSizeC, TableC_ + k * kSizeC);
    mirrored_ = true;
}

void CipherState::EncryptInPlace(std::uint8_t* data, std::size_t size) {
    Registers r = LoadMirrored();
    std::uint8_t feedback = Feedback_;
    for (std::size_t i = 0; i < size; ++i) {
        feedback = static_cast<std::uint8_t>(data[i] ^ Step(r, feedback));
        data[i] = feedback;
    }
    Feedback_ = feedback;
    Store(r);
}

// A decrypting run knows every feedback byte in advance, so the three generators need not wait
// for each other: each one runs over a block on its own, a short loop whose only chain is its
// own counter. The tables are used single here, with sums reduced by look-up, and the copies
// are brought up to date before the next byte-wise use.
void CipherState::DecryptInPlace(std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return;
    Registers r = Load();
    std::uint8_t feedback = Feedback_;
    constexpr std::size_t kBlock = 1024;
    std::uint8_t s1[kBlock];
    std::uint8_t s12[kBlock];
    for (std::size_t pos = 0; pos < size; pos += kBlock) {
        const std::size_t n = size - pos < kBlock ? size - pos : kBlock;
        std::uint8_t* block = data + pos;
        int ia = r.ia, sa = r.sa;
        s1[0] = static_cast<std::uint8_t>(StageSingle(r.a, kModA, ia, sa, feedback));
        for (std::size_t i = 1; i < n; ++i)
            s1[i] = static_cast<std::uint8_t>(StageSingle(r.a, kModA, ia, sa, block[i - 1]));
        r.ia = ia;
        r.sa = sa;
        int ib = r.ib, sb = r.sb;
        for (std::size_t i = 0; i < n; ++i)
            s12[i] = static_cast<std::uint8_t>(s1[i] + StageSingle(r.b, kModB, ib, sb, s1[i]));
        r.ib = ib;
        r.sb = sb;
        int ic = r.ic, sc = r.sc;
        feedback = block[n - 1];
        for (std::size_t i = 0; i < n; ++i) {
            const int s2 = static_cast<std::uint8_t>(s12[i] - s1[i]);
            block[i] ^= static_cast<std::uint8_t>(s12[i] + StageSingle(r.c, kModC, ic, sc, s2));
        }
        r.ic = ic;
        r.sc = sc;
    }
    Feedback_ = feedback;
    Store(r);
    mirrored_ = false;
}

} // namespace zv
