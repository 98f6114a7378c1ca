#include "codec/Cipher.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using zv::CipherState;

const std::string kProgramKey = "pqt528wkd71xr94bz3vm6lc0s";

std::vector<std::uint8_t> Encrypt(const std::string& key, const std::string& key2,
                                  const std::string& plain) {
    CipherState c;
    c.PrepareKey(key, key2);
    std::vector<std::uint8_t> out;
    for (unsigned char ch : plain)
        out.push_back(c.EncryptByte(ch));
    return out;
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string s;
    for (std::uint8_t b : bytes) {
        s += digits[b >> 4];
        s += digits[b & 15];
    }
    return s;
}

TEST(KeyCheck, RefusesShortAndRepeatingKeys) {
    for (const char* key : {"", "abcd", "aaaaa", "ababab", "abcabc", "xyxyxyxy", "zzzzzzzz"})
        EXPECT_FALSE(zv::IsKeyUsable(key)) << key;
}

TEST(KeyCheck, AcceptsKeysWithAShortTailOrNoRepeat) {
    for (const char* key : {"ababa", "abcabcab", "abcde", "aaaab", "pqt528wkd71xr94bz3vm6lc0s"})
        EXPECT_TRUE(zv::IsKeyUsable(key)) << key;
    EXPECT_TRUE(CipherState::IsKeyUsable("abcabcab"));
}

// Keystream values worked out independently for the program's key.
TEST(Cipher, KnownKeystreamForTheProgramKey) {
    EXPECT_EQ(Hex(Encrypt(kProgramKey, "", std::string(16, '\0'))),
              "8879825b3f37661b5cb7b8018d2116c4");
    EXPECT_EQ(Hex(Encrypt(kProgramKey, "", "Hello, world")), "c0cad4f5f3c68a6552f2521a");

    CipherState c;
    c.PrepareKey(kProgramKey, "");
    EXPECT_EQ(c.NextKeyByte(0), 136);
    EXPECT_EQ(c.NextKeyByte(255), 166);
    EXPECT_EQ(c.NextKeyByte(7), 250);
    EXPECT_EQ(c.NextKeyByte(200), 117);
}

TEST(Cipher, SecondKeyChangesTheStream) {
    EXPECT_EQ(Hex(Encrypt(kProgramKey, "x", "Hello, world")), "8b545407aebda04ceffc1576");
    const auto plain = Encrypt(kProgramKey, "", std::string(64, 'q'));
    const auto other = Encrypt(kProgramKey, "second", std::string(64, 'q'));
    int same = 0;
    for (std::size_t i = 0; i < plain.size(); ++i)
        same += plain[i] == other[i];
    EXPECT_LT(same, 4);
}

// Characters above 127 are key bytes 128..255, not negative numbers.
TEST(Cipher, KeyBytesAboveAsciiAreUnsigned) {
    const std::string key = "\xe9\xff\x80"
                            "ABC";
    EXPECT_EQ(Hex(Encrypt(key, "", "Hello, world")), "42e91a6fe3cbeac6a07b756c");
}

TEST(Cipher, DecryptAfterRekeyingGivesTheInputBack) {
    std::string plain;
    for (int i = 0; i < 5000; ++i)
        plain += static_cast<char>((i * 7919) >> 3);
    const auto cipher = Encrypt(kProgramKey, "k2", plain);
    CipherState c;
    c.PrepareKey(kProgramKey, "k2");
    std::string back;
    for (std::uint8_t b : cipher)
        back += static_cast<char>(c.DecryptByte(b));
    EXPECT_EQ(back, plain);
    EXPECT_EQ(Encrypt(kProgramKey, "k2", plain), cipher);
}

TEST(Cipher, FlippedByteGarblesItAndEverythingAfter) {
    const std::string plain(200, 'm');
    auto cipher = Encrypt(kProgramKey, "", plain);
    cipher[50] ^= 0x01;
    CipherState c;
    c.PrepareKey(kProgramKey, "");
    std::string back;
    for (std::uint8_t b : cipher)
        back += static_cast<char>(c.DecryptByte(b));
    EXPECT_EQ(back.substr(0, 50), plain.substr(0, 50));
    EXPECT_NE(back[50], 'm');
    int intact = 0;
    for (std::size_t i = 51; i < back.size(); ++i)
        intact += back[i] == 'm';
    EXPECT_LT(intact, 10);
}

TEST(Cipher, BlockFormsMatchByteForms) {
    std::vector<std::uint8_t> data(3000);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 31 + 7);
    const std::string plain(data.begin(), data.end());
    CipherState c;
    c.PrepareKey(kProgramKey, "");
    c.EncryptInPlace(data.data(), data.size());
    EXPECT_EQ(data, Encrypt(kProgramKey, "", plain));
    c.PrepareKey(kProgramKey, "");
    c.DecryptInPlace(data.data(), data.size());
    EXPECT_EQ(std::string(data.begin(), data.end()), plain);
}

// The unwrap deciphers its header byte by byte, the data as a run, then the checks by byte.
TEST(Cipher, MixedRunsAndBytesMatchBytesAlone) {
    const auto cipher = Encrypt(kProgramKey, "", std::string(9000, 'z'));
    CipherState c;
    c.PrepareKey(kProgramKey, "");
    std::vector<std::uint8_t> data = cipher;
    std::size_t pos = 0;
    for (std::size_t run : {3u, 1500u, 2u, 0u, 7494u, 1u}) {
        if (run == 1 || run == 2 || run == 3) {
            for (std::size_t i = 0; i < run; ++i, ++pos)
                data[pos] = c.DecryptByte(data[pos]);
        } else {
            c.DecryptInPlace(data.data() + pos, run);
            pos += run;
        }
    }
    EXPECT_EQ(std::string(data.begin(), data.begin() + static_cast<long>(pos)),
              std::string(pos, 'z'));
    EXPECT_EQ(c.EncryptByte('q'), Encrypt(kProgramKey, "", std::string(9000, 'z') + "q").back());
}

} // namespace

// Runs of every short length, one after the other, decipher as the byte form does.
TEST(Cipher, ShortRunsMatchBytesAlone) {
    std::string plain;
    for (int i = 0; i < 200; ++i)
        plain += static_cast<char>(i * 13 + 5);
    const auto cipher = Encrypt(kProgramKey, "second", plain);
    CipherState c;
    c.PrepareKey(kProgramKey, "second");
    std::vector<std::uint8_t> data = cipher;
    std::size_t pos = 0;
    for (std::size_t run = 1; pos + run <= data.size(); ++run) {
        c.DecryptInPlace(data.data() + pos, run);
        pos += run;
    }
    c.DecryptInPlace(data.data() + pos, data.size() - pos);
    EXPECT_EQ(std::string(data.begin(), data.end()), plain);
}
