// zorvex-pack [--store] SOURCE DEST KEY [KEY2]: wraps a picture into a protected file or unwraps
// one.
#include "codec/ProtectedFile.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const kUsage =
    "Usage: zorvex-pack [--store] SOURCE DEST KEY [KEY2]\n"
    "\n"
    "Wraps SOURCE into a protected file, or unwraps it when it already is one.\n"
    "  wrap:   any file that does not begin with the protected magic text. The result is\n"
    "          DEST without its extension plus \".ucc\"; SOURCE's extension is stored inside.\n"
    "  unwrap: a protected file (.qvp or .ucc). The result is DEST without its extension plus\n"
    "          the stored extension.\n"
    "When DEST is the same text as SOURCE, SOURCE is deleted after success.\n"
    "--store: a wrap keeps the contents uncompressed when compressing would make them\n"
    "          larger (GIF pictures usually grow), as the program's own pictures are kept.\n"
    "          Without it the compressor decides as always; unwrapping reads both forms.\n"
    "KEY must have at least 5 characters and must not be one block repeated; KEY2 may be\n"
    "left out. The program's item pictures use the key it ships with and no second key.\n"
    "\n"
    "Prints the path written. On failure prints the error text to standard error and exits\n"
    "with its code: 3 bad key, 4 source missing, 5 checksum, 6 empty source, 12 wrap file\n"
    "error, 20 .ucc file without the magic, 22 unwrap file error, 23 wrong key or damaged.\n";

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    std::vector<const char*> args;
    zv::HuffmanForm form = zv::HuffmanForm::Encoder;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--store") == 0)
            form = zv::HuffmanForm::Smaller;
        else
            args.push_back(argv[i]);
    }
    if (args.size() < 3 || args.size() > 4) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    zv::CodecStatus status;
    const std::string result = zv::ProcessProtectedFile(
        args[0], args[1], args[2], args.size() == 4 ? args[3] : "", status, {}, form);
    if (status.CodecErrorCode != 0) {
        std::fprintf(stderr, "%s\n", status.CodecErrorText.c_str());
        return status.CodecErrorCode;
    }
    std::printf("%s\n", result.c_str());
    return 0;
}
