#pragma once
// The keyed byte-stream cipher of the protected picture files: three cascaded permutation
// generators (463, 251 and 181 entries) with the ciphertext fed back into the first one.
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
        int ia = IndexA_ + 1;
        if (ia == kSizeA)
            ia = 0;
        const int ta = TableA_[ia];
        int sa = SwapA_ + ta + feedback; // < 463 + 463 + 256, so two steps suffice
        if (sa >= kSizeA)
            sa -= kSizeA;
        if (sa >= kSizeA)
            sa -= kSizeA;
        const int ua = TableA_[sa];
        TableA_[ia] = static_cast<std::int16_t>(ua);
        TableA_[sa] = static_cast<std::int16_t>(ta);
        int xa = ua + ta;
        if (xa >= kSizeA)
            xa -= kSizeA;
        const int s1 = TableA_[xa] & 0xFF;
        IndexA_ = ia;
        SwapA_ = sa;

        int ib = IndexB_ + 1;
        if (ib == kSizeB)
            ib = 0;
        const int tb = TableB_[ib];
        int sb = SwapB_ + tb + s1; // < 251 + 251 + 256
        if (sb >= kSizeB)
            sb -= kSizeB;
        if (sb >= kSizeB)
            sb -= kSizeB;
        if (sb >= kSizeB)
            sb -= kSizeB;
        const int ub = TableB_[sb];
        TableB_[ib] = static_cast<std::int16_t>(ub);
        TableB_[sb] = static_cast<std::int16_t>(tb);
        int xb = ub + tb;
        if (xb >= kSizeB)
            xb -= kSizeB;
        const int s2 = TableB_[xb] & 0xFF;
        IndexB_ = ib;
        SwapB_ = sb;

        int ic = IndexC_ + 1;
        if (ic == kSizeC)
            ic = 0;
        const int tc = TableC_[ic];
        int sc = SwapC_ + tc + s2; // < 181 + 181 + 256
        if (sc >= kSizeC)
            sc -= kSizeC;
        if (sc >= kSizeC)
            sc -= kSizeC;
        if (sc >= kSizeC)
            sc -= kSizeC;
        const int uc = TableC_[sc];
        TableC_[ic] = static_cast<std::int16_t>(uc);
        TableC_[sc] = static_cast<std::int16_t>(tc);
        int xc = uc + tc;
        if (xc >= kSizeC)
            xc -= kSizeC;
        const int s3 = TableC_[xc] & 0xFF;
        IndexC_ = ic;
        SwapC_ = sc;

        return static_cast<std::uint8_t>(s1 + s2 + s3);
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
    void EncryptInPlace(std::uint8_t* data, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i)
            data[i] = EncryptByte(data[i]);
    }
    void DecryptInPlace(std::uint8_t* data, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i)
            data[i] = DecryptByte(data[i]);
    }

private:
    static constexpr int kSizeA = 463;
    static constexpr int kSizeB = 251;
    static constexpr int kSizeC = 181;

    std::int16_t TableA_[kSizeA] = {};
    std::int16_t TableB_[kSizeB] = {};
    std::int16_t TableC_[kSizeC] = {};
    int IndexA_ = 0, SwapA_ = 0;
    int IndexB_ = 0, SwapB_ = 0;
    int IndexC_ = 0, SwapC_ = 0;
    std::uint8_t Feedback_ = 0;
};

} // namespace zv
