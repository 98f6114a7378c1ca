// Feeds arbitrary protected files to the unwrap. The first byte chooses how the rest is used:
//   even: the file's bytes as they are (the magic is put in front when missing);
//   odd:  the deciphered contents from the salt on, which the harness enciphers with the
//         program's key, so that the fuzzer reaches the extension and the compressed data;
//         with bit 1 set the two check values are made to match.
// With bit 2 set a successful unwrap is wrapped and unwrapped again.
#include "codec/Cipher.h"
#include "codec/Container.h"

#include <cstddef>
#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace {
const std::string kKey = "pqt528wkd71xr94bz3vm6lc0s";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::uint8_t mode = data[0];
    std::vector<std::uint8_t> body(data + 1, data + size);
    std::vector<std::uint8_t> file(zv::kProtectedMagic.begin(), zv::kProtectedMagic.end());

    if ((mode & 1) == 0) {
        if (zv::IsProtectedData(body))
            file.clear();
    } else {
        const std::size_t n = body.empty() ? 0 : body[0];
        if ((mode & 2) && n >= 2 && body.size() >= n + 2) {
            body[body.size() - 2] = body[n - 2];
            body[body.size() - 1] = body[n - 1];
        }
        zv::CipherState cipher;
        cipher.PrepareKey(kKey, "");
        cipher.EncryptInPlace(body.data(), body.size());
    }
    file.insert(file.end(), body.begin(), body.end());

    const zv::UnwrapResult r = zv::UnwrapBytes(file, kKey, "");
    switch (r.code) {
    case 0:
        if (r.extension.find('.') != std::string::npos)
            __builtin_trap();
        break;
    case 5:
    case 23:
        if (!r.contents.empty())
            __builtin_trap();
        break;
    case 22:
        if (!r.contents.empty() || r.description.empty())
            __builtin_trap();
        break;
    default:
        __builtin_trap();
    }

    if (r.code == 0 && (mode & 4)) {
        // What came out must go back in and out again unchanged (on some inputs: the wrap's
        // salt takes sixteen keyings, which would slow the search down).
        std::mt19937 random(size);
        const std::vector<std::uint8_t> again =
            zv::WrapBytes(r.contents, r.extension, kKey, "", random);
        const zv::UnwrapResult r2 = zv::UnwrapBytes(again, kKey, "");
        if (r2.code != 0 || r2.contents != r.contents || r2.extension != r.extension)
            __builtin_trap();
    }
    return 0;
}
