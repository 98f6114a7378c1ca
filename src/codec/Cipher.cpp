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

// A decrypting run knows every feedback byte in advance (it is the previous ciphertext byte), so
// the three generators need not wait for each other. Each pass of the loop steps generator A on
// byte i, B on byte i - 1 and C on byte i - 2: three independent chains that the processor runs
// side by side. The tables are used single here, with sums reduced by look-up, and the copies
// are brought up to date before the next byte-wise use.
void CipherState::DecryptInPlace(std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return;
    Registers r = Load();
    int ia = r.ia, sa = r.sa, ib = r.ib, sb = r.sb, ic = r.ic, sc = r.sc;
    const std::uint8_t lastCipher = data[size - 1];
    auto stageA = [&](int in) {
        return StageSingle(r.a, kModA, ia, sa, in);
    };
    auto stageB = [&](int in) {
        return StageSingle(r.b, kModB, ib, sb, in);
    };
    auto stageC = [&](int in) {
        return StageSingle(r.c, kModC, ic, sc, in);
    };
    auto finish = [](std::uint8_t& byte, int s1, int s2, int s3) {
        byte ^= static_cast<std::uint8_t>(s1 + s2 + s3);
    };

    int s1Next = stageA(Feedback_); // stage 1 of byte 0, waiting for stage 2
    if (size == 1) {
        const int s2 = stageB(s1Next);
        finish(data[0], s1Next, s2, stageC(s2));
    } else {
        int s1Last = s1Next; // stages 1 and 2 of the byte waiting for stage 3
        int s2Last = stageB(s1Next);
        s1Next = stageA(data[0]);
        for (std::size_t i = 2; i < size; ++i) {
            const int a = stageA(data[i - 1]);
            const int b = stageB(s1Next);
            const int c = stageC(s2Last);
            finish(data[i - 2], s1Last, s2Last, c);
            s1Last = s1Next;
            s2Last = b;
            s1Next = a;
        }
        const int b = stageB(s1Next);
        finish(data[size - 2], s1Last, s2Last, stageC(s2Last));
        finish(data[size - 1], s1Next, b, stageC(b));
    }
    r.ia = ia;
    r.sa = sa;
    r.ib = ib;
    r.sb = sb;
    r.ic = ic;
    r.sc = sc;
    Feedback_ = lastCipher;
    Store(r);
    mirrored_ = false;
}

} // namespace zv
