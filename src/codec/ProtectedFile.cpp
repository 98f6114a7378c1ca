// Placeholder until the codec lands.
#include "codec/ProtectedFile.h"

namespace zv {

std::string ProcessProtectedFile(const std::string& source, const std::string&,
                                 const std::string&, const std::string&, CodecStatus& status,
                                 const CodecHooks&) {
    status.CodecErrorCode = 4;
    status.CodecErrorText = "Source file not found (Error 4)";
    return source;
}

} // namespace zv
