#include "codec/Cipher.h"
#include "codec/CodecPaths.h"
#include "codec/Container.h"
#include "codec/ProtectedFile.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const std::string kKey = "pqt528wkd71xr94bz3vm6lc0s";

Bytes FromHex(const std::string& hex) {
    Bytes out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return out;
}

Bytes Picture(std::size_t size = 5000) {
    Bytes b(size);
    std::mt19937 rng(7);
    std::geometric_distribution<int> geo(0.08);
    for (auto& x : b)
        x = static_cast<std::uint8_t>(geo(rng));
    const char head[] = "GIF89a";
    std::copy(head, head + 6, b.begin());
    return b;
}

class ProtectedFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        dir_ = fs::temp_directory_path() / ("zv-codec-" + std::to_string(rd()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    void Write(const std::string& path, const Bytes& data) const {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(data.data()),
                   static_cast<std::streamsize>(data.size()));
    }
    Bytes Read(const std::string& path) const {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    std::string Run(const std::string& src, const std::string& dst, zv::CodecStatus& st,
                    const std::string& key = kKey) {
        return zv::ProcessProtectedFile(src, dst, key, "", st);
    }
    std::size_t FileCount() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
    }
    fs::path dir_;
};

TEST(CodecPaths, ExtensionRules) {
    EXPECT_EQ(zv::GetExtension("c:\\a\\b.GIF"), "gif");
    EXPECT_EQ(zv::GetExtension("/a/b.tar.Gz"), "gz");
    EXPECT_EQ(zv::GetExtension("/a/b"), "");
    EXPECT_EQ(zv::GetExtension("/a/b."), "");
    EXPECT_EQ(zv::GetExtension("/a/my.Dir/file"), "dir/file");
    EXPECT_EQ(zv::StripExtension("/a/b.gif"), "/a/b");
    EXPECT_EQ(zv::StripExtension("/a/my.dir/file"), "/a/my");
    EXPECT_EQ(zv::StripExtension("/a/b"), "/a/b");
}

// A container built independently, with a fixed salt, around "abbbcc" stored as "gif".
TEST(Container, ReadsAKnownFile) {
    const Bytes file =
        FromHex("514f564120496d61676520466f726d6174a8f03ed0eb2c47b77fee494af16414985d9edf25cdf9a638"
                "5ae2cfae1d8f3349364ff92e6f8a0c0e5535d0d2e86e949613ecb7f8cca0551da239");
    const zv::UnwrapResult r = zv::UnwrapBytes(file, kKey, "");
    ASSERT_EQ(r.code, 0) << r.description;
    EXPECT_EQ(r.extension, "gif");
    EXPECT_EQ(std::string(r.contents.begin(), r.contents.end()), "abbbcc");
}

TEST(Container, LayoutOfAWrappedFile) {
    std::mt19937 rng(99);
    const Bytes contents = Picture(3000);
    const Bytes file = zv::WrapBytes(contents, "gif", kKey, "", rng);
    ASSERT_TRUE(zv::IsProtectedData(file));
    Bytes plain(file.begin() + 17, file.end());
    zv::CipherState c;
    c.PrepareKey(kKey, "");
    c.DecryptInPlace(plain.data(), plain.size());
    const std::size_t n = plain[0];
    ASSERT_GE(n, 32u);
    EXPECT_EQ(
        std::string(plain.begin() + static_cast<long>(n), plain.begin() + static_cast<long>(n) + 4),
        std::string("gif\0", 4));
    EXPECT_EQ(plain[plain.size() - 2], plain[n - 2]);
    EXPECT_EQ(plain[plain.size() - 1], plain[n - 1]);
    Bytes compressed(plain.begin() + static_cast<long>(n) + 4, plain.end() - 2);
    Bytes expect = contents;
    zv::HuffmanEncode(expect);
    EXPECT_EQ(compressed, expect);
}

TEST(Container, HostileFilesEndInAnErrorCode) {
    std::mt19937 rng(5);
    const Bytes good = zv::WrapBytes(Picture(400), "gif", kKey, "", rng);
    const Bytes magicOnly(good.begin(), good.begin() + 17);
    EXPECT_EQ(zv::UnwrapBytes(magicOnly, kKey, "").code, 22);
    EXPECT_EQ(zv::UnwrapBytes(Bytes(good.begin(), good.begin() + 40), kKey, "").code, 23);
    for (std::size_t cut = 18; cut < good.size(); cut += 7) {
        const int code =
            zv::UnwrapBytes(Bytes(good.begin(), good.begin() + static_cast<long>(cut)), kKey, "")
                .code;
        EXPECT_TRUE(code == 22 || code == 23) << cut << " " << code;
    }
    Bytes flipped = good;
    flipped[good.size() / 2] ^= 0x10;
    EXPECT_EQ(zv::UnwrapBytes(flipped, kKey, "").code, 23);
}

// The extension comes from the file; one that could name another folder or an unreadable name
// is refused, and a plain one of any letters is kept.
TEST(Container, RefusesAnExtensionThatIsNoPlainNamePart) {
    std::mt19937 rng(5);
    for (const char* extension : {"x/../../evil", "..", "sub/evil", "/etc", "a\\b", "gif\n",
                                  "g\x01"
                                  "f",
                                  "g\x7f", "\t"}) {
        SCOPED_TRACE(extension);
        const Bytes file = zv::WrapBytes(Picture(100), extension, kKey, "", rng);
        const zv::UnwrapResult r = zv::UnwrapBytes(file, kKey, "");
        EXPECT_EQ(r.code, 22);
        EXPECT_EQ(zv::CodecErrorMessage(r.code, r.description),
                  "File error: Bad file name (Error 22)");
    }
    for (const char* extension : {"gif", "", "jpeg", "b m p", "\xe9t\xe9"}) {
        const zv::UnwrapResult r =
            zv::UnwrapBytes(zv::WrapBytes(Picture(100), extension, kKey, "", rng), kKey, "");
        EXPECT_EQ(r.code, 0) << extension;
        EXPECT_EQ(r.extension, extension);
    }
}

TEST_F(ProtectedFileTest, WrapThenUnwrapLikeTheItemHandlers) {
    const Bytes gif = Picture();
    const std::string src = Path("helm.gif");
    Write(src, gif);
    zv::CodecStatus st;
    const std::string wrapped = Run(src, Path("helm.qvp"), st);
    ASSERT_EQ(st.CodecErrorCode, 0) << st.CodecErrorText;
    EXPECT_EQ(wrapped, Path("helm.ucc"));
    EXPECT_TRUE(fs::exists(src)); // a different destination keeps the source

    // Copy to the temporary name and unwrap onto itself: the picture appears, the copy goes.
    const std::string tmp = Path("tmp.ucc");
    fs::copy_file(wrapped, tmp);
    const std::string shown = Run(tmp, tmp, st);
    ASSERT_EQ(st.CodecErrorCode, 0) << st.CodecErrorText;
    EXPECT_TRUE(st.CodecErrorText.empty());
    EXPECT_EQ(shown, Path("tmp.gif"));
    EXPECT_EQ(Read(shown), gif);
    EXPECT_FALSE(fs::exists(tmp));
}

TEST_F(ProtectedFileTest, TwoWrapsDifferAndBothUnwrapToTheSameBytes) {
    const Bytes data = Picture(2000);
    Write(Path("a.gif"), data);
    zv::CodecStatus st;
    Run(Path("a.gif"), Path("one.x"), st);
    Run(Path("a.gif"), Path("two.x"), st);
    ASSERT_EQ(st.CodecErrorCode, 0);
    EXPECT_NE(Read(Path("one.ucc")), Read(Path("two.ucc")));
    EXPECT_EQ(Run(Path("one.ucc"), Path("out1.ucc"), st), Path("out1.gif"));
    EXPECT_EQ(Run(Path("two.ucc"), Path("out2"), st), Path("out2.gif"));
    EXPECT_EQ(Read(Path("out1.gif")), data);
    EXPECT_EQ(Read(Path("out2.gif")), data);
}

TEST_F(ProtectedFileTest, WrapOntoItselfDeletesTheSource) {
    Write(Path("b.gif"), Picture(300));
    zv::CodecStatus st;
    EXPECT_EQ(Run(Path("b.gif"), Path("b.gif"), st), Path("b.ucc"));
    EXPECT_EQ(st.CodecErrorCode, 0);
    EXPECT_FALSE(fs::exists(Path("b.gif")));
    EXPECT_TRUE(fs::exists(Path("b.ucc")));
}

// An unwrap whose output name is the source's own must not delete what it just wrote.
TEST_F(ProtectedFileTest, UnwrapOntoItsOwnNameKeepsTheResult) {
    const Bytes data = Picture(300);
    Write(Path("p.qvp"), data);
    zv::CodecStatus st;
    Run(Path("p.qvp"), Path("p.qvp"), st); // stores "qvp", writes p.ucc, deletes p.qvp
    ASSERT_EQ(st.CodecErrorCode, 0);
    fs::rename(Path("p.ucc"), Path("p.qvp"));
    EXPECT_EQ(Run(Path("p.qvp"), Path("p.qvp"), st), Path("p.qvp"));
    EXPECT_EQ(st.CodecErrorCode, 0);
    EXPECT_EQ(Read(Path("p.qvp")), data);
}

TEST_F(ProtectedFileTest, ExtensionlessSourceAndDotInFolderName) {
    Write(Path("plain"), Picture(200));
    zv::CodecStatus st;
    Run(Path("plain"), Path("plain"), st);
    ASSERT_EQ(st.CodecErrorCode, 0);
    EXPECT_EQ(Run(Path("plain.ucc"), Path("back.ucc"), st), Path("back"));
    EXPECT_EQ(Read(Path("back")), Picture(200));

    fs::create_directories(dir_ / "my.dir");
    const std::string src = Path("my.dir/file");
    Write(src, Picture(200));
    EXPECT_EQ(Run(src, src, st), Path("my.ucc"));
    ASSERT_EQ(st.CodecErrorCode, 0);
    EXPECT_FALSE(fs::exists(src));
    // The stored extension is "dir/file": an unwrap would write into the folder "my.dir", so
    // it is refused and writes nothing.
    const std::size_t before = FileCount();
    EXPECT_EQ(Run(Path("my.ucc"), Path("my.ucc"), st), Path("my.ucc"));
    EXPECT_EQ(st.CodecErrorCode, 22);
    EXPECT_EQ(st.CodecErrorText, "File error: Bad file name (Error 22)");
    EXPECT_FALSE(fs::exists(src));
    EXPECT_TRUE(fs::exists(Path("my.ucc")));
    EXPECT_EQ(FileCount(), before);
}

TEST_F(ProtectedFileTest, ErrorCodesAndTexts) {
    zv::CodecStatus st;
    Write(Path("x.gif"), Picture(100));
    EXPECT_EQ(Run(Path("x.gif"), Path("y.gif"), st, "abab"), Path("x.gif"));
    EXPECT_EQ(st.CodecErrorCode, 3);
    EXPECT_EQ(st.CodecErrorText, "Key too small/is repeating (Error 3)");

    EXPECT_EQ(Run(Path("none.gif"), Path("none.gif"), st), Path("none.gif"));
    EXPECT_EQ(st.CodecErrorCode, 4);
    EXPECT_EQ(st.CodecErrorText, "Source file not found (Error 4)");
    Run(dir_.string(), Path("y"), st); // a folder has no length
    EXPECT_EQ(st.CodecErrorCode, 4);

    Write(Path("empty.UCC"), {});
    Run(Path("empty.UCC"), Path("e"), st);
    EXPECT_EQ(st.CodecErrorCode, 6);
    EXPECT_EQ(st.CodecErrorText, "Cannot process empty file (Error 6)");

    const std::size_t before = FileCount();
    Write(Path("fake.UcC"), Picture(100));
    EXPECT_EQ(Run(Path("fake.UcC"), Path("fake.UcC"), st), Path("fake.UcC"));
    EXPECT_EQ(st.CodecErrorCode, 20);
    EXPECT_EQ(st.CodecErrorText, "Crypto file version unknown/contains errors (Error 20)");
    EXPECT_EQ(FileCount(), before + 1);

    // A short file that only starts like the magic is wrapped, not unwrapped.
    Write(Path("short.bin"), Bytes{'Q', 'O', 'V', 'A'});
    EXPECT_EQ(Run(Path("short.bin"), Path("short.bin"), st), Path("short.ucc"));
    EXPECT_EQ(st.CodecErrorCode, 0);
}

TEST_F(ProtectedFileTest, WrongKeyLeavesNoOutputAndKeepsTheSource) {
    Write(Path("w.gif"), Picture(800));
    zv::CodecStatus st;
    Run(Path("w.gif"), Path("w.gif"), st);
    ASSERT_EQ(st.CodecErrorCode, 0);
    const std::size_t before = FileCount();
    EXPECT_EQ(Run(Path("w.ucc"), Path("w.ucc"), st, "otherkey42"), Path("w.ucc"));
    EXPECT_TRUE(st.CodecErrorCode == 23 || st.CodecErrorCode == 22) << st.CodecErrorCode;
    EXPECT_EQ(FileCount(), before);
    EXPECT_TRUE(fs::exists(Path("w.ucc")));
    EXPECT_FALSE(fs::exists(Path("w.gif")));

    // Damaged compressed data behind intact check values: 22, no output.
    std::mt19937 rng(3);
    Bytes contents = Picture(100);
    Bytes file = zv::WrapBytes(contents, "gif", kKey, "", rng);
    Bytes plain(file.begin() + 17, file.end());
    zv::CipherState c;
    c.PrepareKey(kKey, "");
    c.DecryptInPlace(plain.data(), plain.size());
    plain[plain[0] + 4 + 2] = '7'; // "HE7\r"
    c.PrepareKey(kKey, "");
    c.EncryptInPlace(plain.data(), plain.size());
    std::copy(plain.begin(), plain.end(), file.begin() + 17);
    Write(Path("bad.qvp"), file);
    Run(Path("bad.qvp"), Path("bad.qvp"), st);
    EXPECT_EQ(st.CodecErrorCode, 22);
    EXPECT_EQ(st.CodecErrorText,
              "File error: The data either was not compressed with HE3 or is corrupt "
              "(identification string not found) (Error 22)");
    EXPECT_FALSE(fs::exists(Path("bad.gif")));
}

TEST_F(ProtectedFileTest, HooksRunDuringLongFilesAndPointerIsRestored) {
    Bytes big(200000);
    std::mt19937 rng(1);
    for (auto& b : big)
        b = static_cast<std::uint8_t>(rng() % 7);
    Write(Path("big.bin"), big);
    int pumps = 0, busy = 0, depth = 0;
    zv::CodecHooks hooks{[&] { ++pumps; },
                         [&](bool on) {
                             depth += on ? 1 : -1;
                             busy += on;
                         }};
    zv::CodecStatus st;
    zv::ProcessProtectedFile(Path("big.bin"), Path("big.bin"), kKey, "", st, hooks);
    ASSERT_EQ(st.CodecErrorCode, 0);
    EXPECT_GT(pumps, 20);
    EXPECT_GE(busy, 2);
    EXPECT_EQ(depth, 0);
    pumps = 0;
    zv::ProcessProtectedFile(Path("big.ucc"), Path("big.ucc"), kKey, "", st, hooks);
    ASSERT_EQ(st.CodecErrorCode, 0);
    EXPECT_GT(pumps, 10);
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(Read(Path("big.bin")), big);
}

} // namespace
