// The protected picture codec against reference implementations, side by side in one run:
//   HuffmanDecode vs zlib inflate of a Huffman-only deflate stream (4 MB of text: goal 1.5x;
//     a 5 KB picture including table set-up: goal 1x - zlib keeps a GIF's bytes in a stored
//     block, so its side is a copy; 5 KB of text shows the set-up cost where both code);
//   HuffmanEncode vs zlib deflate with Z_HUFFMAN_ONLY (goal 3x);
//   cipher decrypt / encrypt of 1 MiB vs OpenSSL RC4 (goals 0.15x and 0.07x);
//   a whole unwrap of a 5 KB picture vs Qt's GIF decode of it (goal: at most 0.6x the time).
// After the table, a summary prints MB/s for each pair and the ratio ours / reference.
#include "codec/Cipher.h"
#include "codec/Container.h"
#include "codec/Huffman.h"

#include <QByteArray>
#include <QImage>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <gif_lib.h>
#include <map>
#include <openssl/evp.h>
#include <openssl/provider.h>
#include <random>
#include <string>
#include <vector>
#include <zlib.h>

namespace {

using Bytes = std::vector<std::uint8_t>;
const std::string kKey = "pqt528wkd71xr94bz3vm6lc0s";

// Word-frequency text: a fixed vocabulary drawn with Zipf-like weights, so the byte statistics
// resemble prose.
Bytes MakeText(std::size_t size) {
    std::mt19937 rng(2024);
    std::vector<std::string> words;
    std::uniform_int_distribution<int> len(1, 9), letter(0, 25);
    for (int i = 0; i < 3000; ++i) {
        std::string w;
        for (int j = len(rng); j > 0; --j)
            w += static_cast<char>('a' + letter(rng) * letter(rng) / 25);
        words.push_back(w);
    }
    std::vector<double> weights;
    for (std::size_t i = 0; i < words.size(); ++i)
        weights.push_back(1.0 / static_cast<double>(i + 1));
    std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());
    Bytes text;
    int sentence = 0;
    while (text.size() < size) {
        std::string w = words[pick(rng)];
        if (sentence == 0)
            w[0] = static_cast<char>(w[0] - 'a' + 'A');
        text.insert(text.end(), w.begin(), w.end());
        if (++sentence > 12 && rng() % 4 == 0) {
            text.push_back('.');
            text.push_back(rng() % 5 == 0 ? '\n' : ' ');
            sentence = 0;
        } else {
            text.push_back(rng() % 9 == 0 ? ',' : ' ');
            if (text.back() == ',')
                text.push_back(' ');
        }
    }
    text.resize(size);
    return text;
}

int GifWrite(GifFileType* gif, const GifByteType* data, int size) {
    auto* out = static_cast<Bytes*>(gif->UserData);
    out->insert(out->end(), data, data + size);
    return size;
}

// An item-picture-like GIF of about 5 KB: shaded shapes on a plain background, 64 colours.
Bytes MakeGif() {
    const int w = 128, h = 128;
    std::vector<GifColorType> colours(64);
    for (int i = 0; i < 64; ++i)
        colours[static_cast<std::size_t>(i)] = {static_cast<GifByteType>(i * 4),
                                                static_cast<GifByteType>(255 - i * 3),
                                                static_cast<GifByteType>((i * 37) & 255)};
    ColorMapObject* map = GifMakeMapObject(64, colours.data());
    Bytes out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, GifWrite, &error);
    EGifPutScreenDesc(gif, w, h, 6, 0, map);
    EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr);
    std::mt19937 rng(9);
    std::vector<GifPixelType> line(static_cast<std::size_t>(w));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int dx = x - 64, dy = y - 58;
            int c = 0;
            if (dx * dx + dy * dy < 48 * 48)
                c = 8 + (dx * dx + dy * dy) / 60 + static_cast<int>(rng() % 3);
            else if (y > 100 && x > 20 && x < 110)
                c = 40 + (x / 6) % 8;
            line[static_cast<std::size_t>(x)] = static_cast<GifPixelType>(c & 63);
        }
        EGifPutLine(gif, line.data(), w);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

Bytes ZlibHuffmanOnly(const Bytes& in) {
    z_stream z{};
    deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15, 8, Z_HUFFMAN_ONLY);
    Bytes out(deflateBound(&z, in.size()));
    z.next_in = const_cast<Bytef*>(in.data());
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

void Inflate(const Bytes& in, Bytes& out) {
    z_stream z{};
    inflateInit2(&z, 15);
    z.next_in = const_cast<Bytef*>(in.data());
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    if (inflate(&z, Z_FINISH) != Z_STREAM_END)
        std::abort();
    inflateEnd(&z);
}

const Bytes& Text() {
    static const Bytes t = MakeText(4 << 20);
    return t;
}
const Bytes& SmallText() {
    static const Bytes t = MakeText(5 * 1024);
    return t;
}
const Bytes& Gif() {
    static const Bytes g = MakeGif();
    return g;
}

// --- Huffman decode ---------------------------------------------------------------------------

void DecodeOurs(benchmark::State& state, const Bytes& input) {
    Bytes packed;
    zv::HuffmanEncode(input, packed);
    Bytes out;
    for (auto _ : state) {
        if (zv::HuffmanDecode(packed, out) != zv::HuffmanStatus::Ok)
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
    state.counters["ratio"] = static_cast<double>(packed.size()) / input.size();
}

void DecodeZlib(benchmark::State& state, const Bytes& input) {
    const Bytes packed = ZlibHuffmanOnly(input);
    Bytes out(input.size());
    for (auto _ : state) {
        Inflate(packed, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
    state.counters["ratio"] = static_cast<double>(packed.size()) / input.size();
}

void BM_HuffmanDecode_Text(benchmark::State& s) {
    DecodeOurs(s, Text());
}
void BM_ZlibInflate_Text(benchmark::State& s) {
    DecodeZlib(s, Text());
}
void BM_HuffmanDecode_Picture(benchmark::State& s) {
    DecodeOurs(s, Gif());
}
void BM_ZlibInflate_Picture(benchmark::State& s) {
    DecodeZlib(s, Gif());
}
void BM_HuffmanDecode_SmallText(benchmark::State& s) {
    DecodeOurs(s, SmallText());
}
void BM_ZlibInflate_SmallText(benchmark::State& s) {
    DecodeZlib(s, SmallText());
}

// --- Huffman encode ---------------------------------------------------------------------------

void BM_HuffmanEncode_Text(benchmark::State& state) {
    Bytes out;
    for (auto _ : state) {
        zv::HuffmanEncode(Text(), out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Text().size()));
}

void BM_ZlibDeflate_Text(benchmark::State& state) {
    for (auto _ : state) {
        Bytes out = ZlibHuffmanOnly(Text());
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Text().size()));
}

// --- Cipher ------------------------------------------------------------------------------------

constexpr std::size_t kMiB = 1 << 20;

void BM_CipherDecrypt(benchmark::State& state) {
    Bytes data(kMiB, 0x5A);
    zv::CipherState c;
    c.PrepareKey(kKey, "");
    for (auto _ : state) {
        c.DecryptInPlace(data.data(), data.size());
        benchmark::DoNotOptimize(data.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kMiB));
}

void BM_CipherEncrypt(benchmark::State& state) {
    Bytes data(kMiB, 0x5A);
    zv::CipherState c;
    c.PrepareKey(kKey, "");
    for (auto _ : state) {
        c.EncryptInPlace(data.data(), data.size());
        benchmark::DoNotOptimize(data.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kMiB));
}

void BM_OpensslRc4(benchmark::State& state) {
    static OSSL_PROVIDER* legacy = OSSL_PROVIDER_load(nullptr, "legacy");
    static OSSL_PROVIDER* base = OSSL_PROVIDER_load(nullptr, "default");
    (void)base;
    EVP_CIPHER* rc4 = legacy ? EVP_CIPHER_fetch(nullptr, "RC4", "provider=legacy") : nullptr;
    if (!rc4) {
        state.SkipWithError("RC4 from the legacy provider is not available");
        return;
    }
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    const unsigned char key[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    EVP_EncryptInit_ex2(ctx, rc4, key, nullptr, nullptr);
    Bytes data(kMiB, 0x5A), out(kMiB + 64);
    for (auto _ : state) {
        int len = 0;
        EVP_EncryptUpdate(ctx, out.data(), &len, data.data(), static_cast<int>(data.size()));
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kMiB));
    EVP_CIPHER_CTX_free(ctx);
    EVP_CIPHER_free(rc4);
}

// --- Whole unwrap vs GIF decode -----------------------------------------------------------------

void BM_Unwrap_Picture(benchmark::State& state) {
    std::mt19937 rng(1);
    const Bytes file = zv::WrapBytes(Gif(), "gif", kKey, "", rng);
    for (auto _ : state) {
        zv::UnwrapResult r = zv::UnwrapBytes(file, kKey, "");
        if (r.code != 0)
            state.SkipWithError("unwrap failed");
        benchmark::DoNotOptimize(r.contents.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Gif().size()));
}

void BM_QtGifDecode_Picture(benchmark::State& state) {
    const QByteArray gif(reinterpret_cast<const char*>(Gif().data()),
                         static_cast<qsizetype>(Gif().size()));
    for (auto _ : state) {
        QImage image;
        if (!image.loadFromData(gif, "GIF"))
            state.SkipWithError("Qt cannot read the GIF");
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Gif().size()));
}

BENCHMARK(BM_HuffmanDecode_Text)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibInflate_Text)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HuffmanDecode_Picture)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ZlibInflate_Picture)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HuffmanDecode_SmallText)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ZlibInflate_SmallText)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HuffmanEncode_Text)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibDeflate_Text)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CipherDecrypt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CipherEncrypt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpensslRc4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Unwrap_Picture)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QtGifDecode_Picture)->Unit(benchmark::kMicrosecond);

// Keeps each run's throughput so the pairs can be compared after the table.
class PairReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            // With repetitions, the median stands for the run.
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name != "median")
                continue;
            const auto it = r.counters.find("bytes_per_second");
            if (it != r.counters.end() && !r.error_occurred)
                speed_[r.run_name.function_name] = it->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Summary() const {
        struct Pair {
            const char* what;
            const char* ours;
            const char* ref;
            const char* goal;
        };
        const Pair pairs[] = {
            {"Huffman decode, 4 MB text", "BM_HuffmanDecode_Text", "BM_ZlibInflate_Text", ">= 1.5"},
            {"Huffman decode, 5 KB picture", "BM_HuffmanDecode_Picture", "BM_ZlibInflate_Picture",
             ">= 1.0"},
            {"Huffman decode, 5 KB text (zlib codes it too)", "BM_HuffmanDecode_SmallText",
             "BM_ZlibInflate_SmallText", "-"},
            {"Huffman encode, 4 MB text", "BM_HuffmanEncode_Text", "BM_ZlibDeflate_Text", ">= 3.0"},
            {"Cipher decrypt 1 MiB vs RC4", "BM_CipherDecrypt", "BM_OpensslRc4", ">= 0.15"},
            {"Cipher encrypt 1 MiB vs RC4", "BM_CipherEncrypt", "BM_OpensslRc4", ">= 0.07"},
            {"Unwrap 5 KB picture vs GIF decode (speed)", "BM_Unwrap_Picture",
             "BM_QtGifDecode_Picture", ">= 1.67 (time <= 0.6x)"},
        };
        std::printf("\n%-46s %10s %10s %8s  %s\n", "pair", "ours MB/s", "ref MB/s", "ratio",
                    "goal");
        for (const Pair& p : pairs) {
            const auto a = speed_.find(p.ours), b = speed_.find(p.ref);
            if (a == speed_.end() || b == speed_.end())
                continue;
            std::printf("%-46s %10.1f %10.1f %8.3f  %s\n", p.what, a->second / 1e6, b->second / 1e6,
                        a->second / b->second, p.goal);
        }
        Bytes packed;
        zv::HuffmanEncode(Gif(), packed);
        std::printf("picture: %zu bytes of GIF, %zu bytes coded, %zu bytes by zlib\n", Gif().size(),
                    packed.size(), ZlibHuffmanOnly(Gif()).size());
    }

private:
    std::map<std::string, double> speed_;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    PairReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.Summary();
    benchmark::Shutdown();
    return 0;
}
