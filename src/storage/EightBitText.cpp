#include "storage/EightBitText.h"

#include <QList>

namespace zv {

std::string ToEightBit(const QString& text) {
    const QList<uint> characters = text.normalized(QString::NormalizationForm_C).toUcs4();
    std::string bytes;
    bytes.reserve(static_cast<size_t>(characters.size()));
    for (const uint character : characters)
        bytes += character <= 0xFF ? static_cast<char>(character) : '?';
    return bytes;
}

QString FromEightBit(std::string_view bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string OneLine(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            line += ' ';
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    return line;
}

} // namespace zv
