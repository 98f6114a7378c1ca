#pragma once
// The keyed byte-stream cipher of the protected picture files: three cascaded permutation
// generators (463, 251 and 181 entries) with the ciphertext fed back into the first one.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zv {

// A key of fewer than 5 characters, or one that is a shorter block repeated, is refused.
bool IsKeyUsable(std::string_view key);

// One keyed cipher run. Each operation owns its own state, so two operations never disturb
// each other. Key texts are 8-bit characters, taken as unsigned bytes.
class CipherState {
public:
    static bool IsKeyUsable(std::string_view key) { return zv::IsKeyUsable(key); }

    // Keys the state; restarts everything. The second key may be empty.
    void PrepareKey(std::string_view key, std::string_view key2);

    // One keystream step, with `feedback` entering the first generator.
    std::uint8_t NextKeyByte(std::uint8_t feedback) {
        Registers r = LoadMirrored();
        const std::uint8_t k = Step(r, feedback);
        Store(r);
        return k;
    }

    std::uint8_t EncryptByte(std::uint8_t plain) {
        const std::uint8_t e = plain ^ NextKeyByte(Feedback_);
        Feedback_ = e;
        return e;
    }

    std::uint8_t DecryptByte(std::uint8_t cipher) {
        const std::uint8_t k = NextKeyByte(Feedback_);
        Feedback_ = cipher;
        return cipher ^ k;
    }

    // Whole runs, in stream order; the same as calling the byte forms one after the other.
    void EncryptInPlace(std::uint8_t* data, std::size_t size);
    void DecryptInPlace(std::uint8_t* data, std::size_t size);

private:
    static constexpr int kSizeA = 463;
    static constexpr int kSizeB = 251;
    static constexpr int kSizeC = 181;
    // Each table is held two or three times in a row, so that a sum of an index (or an entry)
    // and a byte addresses the right entry without being reduced first: the reduction stays
    // off the byte-to-byte dependency chain. Every write goes to all copies.
    static constexpr int kCopiesA = 2; // entry + entry < 926; swap sum after one step < 718
    static constexpr int kCopiesB = 3; // swap sum after one step < 506
    static constexpr int kCopiesC = 3; // swap sum after one step < 436

    // The counters in locals, so that a run keeps them in registers.
    struct Registers {
        std::int16_t* a;
        std::int16_t* b;
        std::int16_t* c;
        int ia, sa, ib, sb, ic, sc;
    };
    Registers LoadMirrored() {
        if (!mirrored_)
            Mirror();
        return Load();
    }
    Registers Load() {
        return {TableA_, TableB_, TableC_, IndexA_, SwapA_, IndexB_, SwapB_, IndexC_, SwapC_};
    }
    void Store(const Registers& r) {
        IndexA_ = r.ia;
        SwapA_ = r.sa;
        IndexB_ = r.ib;
        SwapB_ = r.sb;
        IndexC_ = r.ic;
        SwapC_ = r.sc;
    }

    // x - m when that is not negative, else x. Masked rather than compared: the keystream's
    // values are random, so a branch here would be mispredicted half the time.
    static int Reduce(int x, int m) {
        const int t = x - m;
        return t + (m & (t >> 31));
    }

    template <int M, int Copies> static void Put(std::int16_t* t, int i, int value) {
        for (int k = 0; k < Copies; ++k)
            t[i + k * M] = static_cast<std::int16_t>(value);
    }

    // One generator: i = i + 1; j = j + T[i] + in; exchange; out = low byte of T[T[i] + T[j]].
    template <int M, int Copies> static int Stage(std::int16_t* t, int& i, int& j, int in) {
        i = i == M - 1 ? 0 : i + 1;
        const int ti = t[i];
        const int base = Reduce(j + ti, M); // known before `in` arrives
        const int sum = base + in;          // below Copies * M: no reduction needed to read
        const int tj = t[sum];
        int nj = Reduce(sum, M);
        if constexpr (Copies > 2)
            nj = Reduce(nj, M);
        j = nj;
        Put<M, Copies>(t, i, tj);
        Put<M, Copies>(t, nj, ti);
        return t[tj + ti] & 0xFF;
    }

    static std::uint8_t Step(Registers& r, std::uint8_t f) {
        const int s1 = Stage<kSizeA, kCopiesA>(r.a, r.ia, r.sa, f);
        const int s2 = Stage<kSizeB, kCopiesB>(r.b, r.ib, r.sb, s1);
        const int s3 = Stage<kSizeC, kCopiesC>(r.c, r.ic, r.sc, s2);
        return static_cast<std::uint8_t>(s1 + s2 + s3);
    }

    void Mirror();
    bool mirrored_ = true;

    std::int16_t TableA_[kSizeA * kCopiesA] = {};
    std::int16_t TableB_[kSizeB * kCopiesB] = {};
    std::int16_t TableC_[kSizeC * kCopiesC] = {};
    int IndexA_ = 0, SwapA_ = 0;
    int IndexB_ = 0, SwapB_ = 0;
    int IndexC_ = 0, SwapC_ = 0;
    std::uint8_t Feedback_ = 0;
};

} // namespace zv
