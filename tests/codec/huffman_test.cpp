#include "codec/Huffman.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

using zv::HuffmanStatus;
using Bytes = std::vector<std::uint8_t>;

Bytes FromText(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

Bytes FromHex(const std::string& hex) {
    Bytes out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 3)
        out.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return out;
}

Bytes Encode(const Bytes& in) {
    Bytes out = in;
    zv::HuffmanEncode(out);
    return out;
}

// Streams worked out by hand: one three-letter input for each way the merge picks its pair.
TEST(HuffmanEncode, KnownStreamsForEachMergeBranch) {
    // Equal weights: the third node does not displace the first two.
    EXPECT_EQ(Encode(FromText("abc")),
              FromHex("48 45 33 0d 60 03 00 00 00 03 00 61 02 62 02 63 01 0d 0d"));
    // A lighter third node replaces the heavier second candidate.
    EXPECT_EQ(Encode(FromText("abbbcc")),
              FromHex("48 45 33 0d 03 06 00 00 00 03 00 61 02 62 01 63 02 19 e1 01"));
    // Lighter than both while the first is the lighter: it replaces the second.
    EXPECT_EQ(Encode(FromText("aabbbc")),
              FromHex("48 45 33 0d 01 06 00 00 00 03 00 61 02 62 01 63 02 19 85 01"));
    // Lighter than the first while the first is the heavier: it replaces the first.
    EXPECT_EQ(Encode(FromText("aaabcc")),
              FromHex("48 45 33 0d 03 06 00 00 00 03 00 61 01 62 02 63 02 0e b8 00"));
}

TEST(HuffmanEncode, StoredForms) {
    EXPECT_EQ(Encode({}), FromHex("48 45 30 0d"));
    EXPECT_EQ(Encode(FromText("zzzzzzzz")), FromText("HE0\rzzzzzzzz"));
    // Two distinct bytes, one each: one bit apiece, one payload byte, so still coded.
    EXPECT_EQ(Encode(FromText("xy")).size(), 11u + 4u + 1u + 1u);
    // All 256 values once: 8 bits each, payload equals the input length, still coded.
    Bytes all(256);
    for (int i = 0; i < 256; ++i)
        all[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    const Bytes coded = Encode(all);
    EXPECT_EQ(coded[2], '3');
    EXPECT_EQ(coded.size(), 11u + 512u + 256u + 256u);
}

TEST(HuffmanDecode, RoundTripsRandomInputsOfManySizesAndSkews) {
    std::mt19937 rng(12345);
    for (std::size_t size : {1u, 2u, 3u, 7u, 64u, 255u, 1000u, 4096u, 70000u}) {
        for (double skew : {0.0, 0.5, 0.9, 0.99}) {
            std::geometric_distribution<int> geo(1.0 - skew + 0.001);
            std::uniform_int_distribution<int> uni(0, 255);
            Bytes in(size);
            for (auto& b : in)
                b = static_cast<std::uint8_t>(skew == 0.0 ? uni(rng) : geo(rng) % 256);
            Bytes out;
            ASSERT_EQ(zv::HuffmanDecode(Encode(in), out), HuffmanStatus::Ok) << size << " " << skew;
            ASSERT_EQ(out, in) << size << " " << skew;
            Bytes simple;
            ASSERT_EQ(zv::HuffmanDecodeSimple(Encode(in), simple), HuffmanStatus::Ok);
            ASSERT_EQ(simple, in);
        }
    }
}

// Fibonacci weights make codes longer than the decoder's table reaches.
TEST(HuffmanDecode, RoundTripsCodesLongerThanTheLookupTable) {
    Bytes in;
    std::uint64_t a = 1, b = 1;
    for (int v = 0; v < 22; ++v) {
        in.insert(in.end(), a, static_cast<std::uint8_t>(v));
        const std::uint64_t next = a + b;
        a = b;
        b = next;
    }
    const Bytes coded = Encode(in);
    int longest = 0;
    for (std::size_t i = 0; i < coded[9]; ++i)
        longest = std::max<int>(longest, coded[11 + 2 * i + 1]);
    EXPECT_GT(longest, 11);
    Bytes out;
    ASSERT_EQ(zv::HuffmanDecode(coded, out), HuffmanStatus::Ok);
    EXPECT_EQ(out, in);
}

TEST(HuffmanDecode, StoredFormsAndInPlaceUse) {
    Bytes buf = FromText("HE0\rpicture");
    EXPECT_EQ(zv::HuffmanDecode(buf), HuffmanStatus::Ok);
    EXPECT_EQ(buf, FromText("picture"));
    buf = FromText("HE0\r");
    EXPECT_EQ(zv::HuffmanDecode(buf), HuffmanStatus::Ok);
    EXPECT_TRUE(buf.empty());
}

TEST(HuffmanDecode, WrongParityStillDecodesButReportsIt) {
    Bytes coded = Encode(FromText("abbbcc"));
    coded[4] ^= 0x40;
    Bytes out;
    EXPECT_EQ(zv::HuffmanDecode(coded, out), HuffmanStatus::ChecksumMismatch);
    EXPECT_EQ(out, FromText("abbbcc"));
}

TEST(HuffmanDecode, UnknownIdentification) {
    Bytes out;
    EXPECT_EQ(zv::HuffmanDecode(FromText("HE1\rabcdefghijkl"), out), HuffmanStatus::UnknownVersion);
    EXPECT_STREQ(zv::HuffmanStatusText(HuffmanStatus::UnknownVersion),
                 "The data either was not compressed with HE3 or is corrupt (identification "
                 "string not found)");
    // Without "HE" and CR the bytes are still read as a coded stream.
    Bytes coded = Encode(FromText("abbbcc"));
    coded[0] = 'X';
    coded[3] = 'Y';
    EXPECT_EQ(zv::HuffmanDecode(coded, out), HuffmanStatus::Ok);
    EXPECT_EQ(out, FromText("abbbcc"));
}

TEST(HuffmanDecode, DamagedStreamsFailWithoutOutput) {
    const Bytes good = FromHex("48 45 33 0d 03 06 00 00 00 03 00 61 02 62 01 63 02 19 e1 01");
    auto decode = [](Bytes b) {
        Bytes out{1, 2, 3};
        const HuffmanStatus s = zv::HuffmanDecode(b, out);
        EXPECT_TRUE(out.empty());
        return s;
    };
    // Too short for the header or the pairs.
    EXPECT_EQ(decode(Bytes(good.begin(), good.begin() + 3)), HuffmanStatus::Truncated);
    EXPECT_EQ(decode(Bytes(good.begin(), good.begin() + 10)), HuffmanStatus::Truncated);
    EXPECT_EQ(decode(Bytes(good.begin(), good.begin() + 16)), HuffmanStatus::Truncated);
    // The data ends in the middle of the last code.
    EXPECT_EQ(decode(Bytes(good.begin(), good.end() - 1)), HuffmanStatus::Truncated);

    Bytes b = good;
    b[8] = 0x80; // negative length
    EXPECT_EQ(decode(b), HuffmanStatus::BadLength);
    b = good;
    b[5] = 17; // more bytes than the two data bytes can hold
    EXPECT_EQ(decode(b), HuffmanStatus::BadLength);
    b = good;
    b[10] = 0xFF; // negative pair count
    EXPECT_EQ(decode(b), HuffmanStatus::BadTable);
    b = good;
    b[17] = 0x1D; // b's code becomes "1", a prefix of a's "10" and c's "11"
    EXPECT_EQ(decode(b), HuffmanStatus::BadTable);
    b = good;
    b[14] = 2; // b takes two bits: a "10", b "01", c "10" - the same code twice
    EXPECT_EQ(decode(b), HuffmanStatus::BadTable);
}

TEST(HuffmanDecode, RefusesAMissingBranch) {
    // Two values with codes "00" and "01": the branch "1" leads nowhere.
    Bytes s = FromHex("48 45 33 0d 00 02 00 00 00 02 00 61 02 62 02 08 03");
    Bytes out;
    EXPECT_EQ(zv::HuffmanDecode(s, out), HuffmanStatus::BadCode);
    EXPECT_EQ(zv::HuffmanDecodeSimple(s, out), HuffmanStatus::BadCode);
    s.back() = 0x04; // "00","10": the first code is fine, the second hits the gap
    EXPECT_EQ(zv::HuffmanDecode(s, out), HuffmanStatus::BadCode);
}

TEST(HuffmanDecode, RefusesATreeOfMoreThan512Nodes) {
    // Three values with 255-bit codes share nothing below the root: 1 + 3 * 255 nodes.
    Bytes s = FromHex("48 45 33 0d 00 01 00 00 00 03 00 01 ff 02 ff 03 ff");
    Bytes codes(96, 0);
    // value 1: all zeros; value 2: one then zeros; value 3: ones
    for (int i = 0; i < 255; ++i) {
        const int bit2 = 255 + i, bit3 = 510 + i;
        if (i == 0)
            codes[static_cast<std::size_t>(bit2 / 8)] |= static_cast<std::uint8_t>(1 << (bit2 % 8));
        codes[static_cast<std::size_t>(bit3 / 8)] |= static_cast<std::uint8_t>(1 << (bit3 % 8));
    }
    s.insert(s.end(), codes.begin(), codes.end());
    s.insert(s.end(), 40, 0);
    Bytes out;
    EXPECT_EQ(zv::HuffmanDecode(s, out), HuffmanStatus::BadTable);
}

} // namespace
