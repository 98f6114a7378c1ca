#include "outfit/OutfitCode.h"

#include <cstdint>
#include <limits>

namespace zv {
namespace {

constexpr std::string_view kMagic = "ZVX";
constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
// Length (2 bytes) and header check (1 byte); gender; four empty items; CRC-32.
constexpr size_t kHeaderBytes = 3;
constexpr size_t kCheckBytes = 4;
constexpr size_t kSmallestPayload = kHeaderBytes + 1 + 4 + kCheckBytes;
constexpr size_t kLargestPayload = 0xFFFF;
// An item's length field takes at most this many bytes (names up to 2^28 - 2 bytes).
constexpr int kLongestVarint = 4;

using Bytes = std::string;

// CRC-32 (IEEE 802.3, reflected, as zip files use it) over the code's prefix and payload.
uint32_t Crc32(std::string_view prefix, std::string_view data) {
    uint32_t crc = 0xFFFFFFFFu;
    for (std::string_view part : {prefix, data}) {
        for (const char ch : part) {
            crc ^= static_cast<uint8_t>(ch);
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

// CRC-8 (polynomial x^8 + x^2 + x + 1): guards the length, so that a wrong character there is
// told as a mistake and not as a code cut short.
uint8_t Crc8(std::string_view prefix, std::string_view data) {
    uint8_t crc = 0;
    for (std::string_view part : {prefix, data}) {
        for (const char ch : part) {
            crc = static_cast<uint8_t>(crc ^ static_cast<uint8_t>(ch));
            for (int bit = 0; bit < 8; ++bit)
                crc = static_cast<uint8_t>((crc & 0x80) ? (crc << 1) ^ 0x07 : crc << 1);
        }
    }
    return crc;
}

std::string Prefix(int version) {
    return std::string(kMagic) + std::to_string(version);
}

void PutVarint(Bytes& out, uint32_t value) {
    do {
        uint8_t byte = value & 0x7F;
        value >>= 7;
        if (value != 0)
            byte |= 0x80;
        out.push_back(static_cast<char>(byte));
    } while (value != 0);
}

std::optional<uint32_t> TakeVarint(std::string_view data, size_t& pos) {
    uint32_t value = 0;
    for (int i = 0; i < kLongestVarint && pos < data.size(); ++i) {
        const auto byte = static_cast<uint8_t>(data[pos++]);
        value |= static_cast<uint32_t>(byte & 0x7F) << (7 * i);
        if ((byte & 0x80) == 0)
            return value;
    }
    return std::nullopt;
}

std::string ToBase64Url(std::string_view bytes) {
    std::string text;
    uint32_t buffer = 0;
    int bits = 0;
    for (const char ch : bytes) {
        buffer = (buffer << 8) | static_cast<uint8_t>(ch);
        bits += 8;
        while (bits >= 6) {
            bits -= 6;
            text += kAlphabet[(buffer >> bits) & 0x3F];
        }
    }
    if (bits > 0)
        text += kAlphabet[(buffer << (6 - bits)) & 0x3F];
    return text;
}

int SextetOf(char ch) {
    const size_t at = kAlphabet.find(ch);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

bool IsBlank(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
}

size_t CharactersFor(size_t bytes) {
    return (bytes * 8 + 5) / 6;
}

DecodedOutfitCode Refused(OutfitCodeProblem problem, int version = 0) {
    DecodedOutfitCode decoded;
    decoded.Problem = problem;
    decoded.Version = version;
    return decoded;
}

} // namespace

std::optional<std::string> EncodeOutfitCode(const CodedOutfit& outfit) {
    Bytes body;
    body.push_back(static_cast<char>(outfit.Gender == 1 ? 1 : 0));
    for (const std::optional<std::string>& item : outfit.Items) {
        if (!item) {
            PutVarint(body, 0);
            continue;
        }
        if (item->size() + 1 >= (uint32_t{1} << (7 * kLongestVarint)))
            return std::nullopt;
        PutVarint(body, static_cast<uint32_t>(item->size() + 1));
        body += *item;
    }
    const size_t length = kHeaderBytes + body.size() + kCheckBytes;
    if (length > kLargestPayload)
        return std::nullopt;

    const std::string prefix = Prefix(kOutfitCodeVersion);
    Bytes payload;
    payload.push_back(static_cast<char>(length >> 8));
    payload.push_back(static_cast<char>(length & 0xFF));
    payload.push_back(static_cast<char>(Crc8(prefix, payload)));
    payload += body;
    const uint32_t crc = Crc32(prefix, payload);
    for (int shift = 24; shift >= 0; shift -= 8)
        payload.push_back(static_cast<char>((crc >> shift) & 0xFF));
    return prefix + "-" + ToBase64Url(payload);
}

DecodedOutfitCode DecodeOutfitCode(std::string_view input) {
    std::string text;
    for (const char ch : input) {
        if (!IsBlank(ch))
            text += ch;
    }
    if (text.empty())
        return Refused(OutfitCodeProblem::NotACode);
    if (text.size() < kMagic.size())
        return Refused(kMagic.starts_with(text) ? OutfitCodeProblem::Truncated
                                                : OutfitCodeProblem::NotACode);
    if (!text.starts_with(kMagic))
        return Refused(OutfitCodeProblem::NotACode);

    // The version: decimal digits without a leading zero, then "-".
    size_t pos = kMagic.size();
    const size_t digitsStart = pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9')
        ++pos;
    const std::string_view digits = std::string_view(text).substr(digitsStart, pos - digitsStart);
    if (pos == text.size())
        return Refused(OutfitCodeProblem::Truncated);
    if (digits.empty() || digits.size() > 6 || (digits.size() > 1 && digits.front() == '0') ||
        text[pos] != '-')
        return Refused(OutfitCodeProblem::Mistyped);
    int version = 0;
    for (const char digit : digits)
        version = version * 10 + (digit - '0');
    if (version != kOutfitCodeVersion)
        return Refused(OutfitCodeProblem::OtherVersion, version);
    ++pos;

    // The payload, six bits a character.
    const std::string_view characters = std::string_view(text).substr(pos);
    Bytes payload;
    uint32_t buffer = 0;
    int bits = 0;
    for (const char ch : characters) {
        const int sextet = SextetOf(ch);
        if (sextet < 0)
            return Refused(OutfitCodeProblem::Mistyped, version);
        buffer = (buffer << 6) | static_cast<uint32_t>(sextet);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            payload.push_back(static_cast<char>((buffer >> bits) & 0xFF));
        }
    }
    const bool leftoverIsZero = bits == 0 || (buffer & ((1u << bits) - 1)) == 0;

    const std::string prefix = Prefix(version);
    if (payload.size() < kHeaderBytes)
        return Refused(OutfitCodeProblem::Truncated, version);
    if (static_cast<uint8_t>(payload[2]) != Crc8(prefix, std::string_view(payload).substr(0, 2)))
        return Refused(OutfitCodeProblem::Mistyped, version);
    const size_t length =
        (size_t{static_cast<uint8_t>(payload[0])} << 8) | static_cast<uint8_t>(payload[1]);
    if (length < kSmallestPayload)
        return Refused(OutfitCodeProblem::Mistyped, version);
    const size_t expected = CharactersFor(length);
    if (characters.size() < expected)
        return Refused(OutfitCodeProblem::Truncated, version);
    if (characters.size() > expected || !leftoverIsZero)
        return Refused(OutfitCodeProblem::Mistyped, version);

    const std::string_view checked = std::string_view(payload).substr(0, length - kCheckBytes);
    uint32_t stored = 0;
    for (size_t i = length - kCheckBytes; i < length; ++i)
        stored = (stored << 8) | static_cast<uint8_t>(payload[i]);
    if (stored != Crc32(prefix, checked))
        return Refused(OutfitCodeProblem::Mistyped, version);

    // Only a code made by a faulty writer fails from here on.
    CodedOutfit outfit;
    size_t at = kHeaderBytes;
    const uint8_t gender = static_cast<uint8_t>(checked[at++]);
    if (gender > 1)
        return Refused(OutfitCodeProblem::Mistyped, version);
    outfit.Gender = gender;
    for (std::optional<std::string>& item : outfit.Items) {
        const std::optional<uint32_t> field = TakeVarint(checked, at);
        if (!field || *field - (*field != 0 ? 1 : 0) > checked.size() - at)
            return Refused(OutfitCodeProblem::Mistyped, version);
        if (*field == 0)
            continue;
        item = std::string(checked.substr(at, *field - 1));
        at += *field - 1;
    }
    if (at != checked.size())
        return Refused(OutfitCodeProblem::Mistyped, version);

    DecodedOutfitCode decoded;
    decoded.Outfit = std::move(outfit);
    decoded.Version = version;
    return decoded;
}

std::string OutfitCodeProblemText(const DecodedOutfitCode& decoded, OutfitCodeSource source) {
    const std::string current = Prefix(kOutfitCodeVersion) + "-";
    switch (decoded.Problem) {
    case OutfitCodeProblem::None:
        return {};
    case OutfitCodeProblem::NotACode:
        return std::string(source == OutfitCodeSource::Clipboard
                               ? "The clipboard holds no outfit code."
                               : "The text given after --outfit is not an outfit code.") +
               " An outfit code is one line of letters and digits that starts with \"" + current +
               "\".";
    case OutfitCodeProblem::Truncated:
        return "The outfit code is incomplete: it ends too early. Copy the whole code, up to its "
               "last character, and try again.";
    case OutfitCodeProblem::Mistyped:
        return "The outfit code is mistyped: some of its characters are wrong, so it does not "
               "pass its check. Copy it again exactly as it was given.";
    case OutfitCodeProblem::OtherVersion:
        if (decoded.Version > kOutfitCodeVersion) {
            return std::string("The outfit code was made by a newer version of Zorvex (code "
                               "version ") +
                   std::to_string(decoded.Version) + "). This version reads codes of version " +
                   std::to_string(kOutfitCodeVersion) + " only.";
        }
        return std::string("The outfit code is of version ") + std::to_string(decoded.Version) +
               ", which this version of Zorvex does not read. It reads codes of version " +
               std::to_string(kOutfitCodeVersion) + ".";
    }
    return {};
}

std::optional<std::string> OutfitCodeArgument(const std::vector<std::string>& arguments) {
    constexpr std::string_view kOption = "--outfit";
    std::optional<std::string> code;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == kOption)
            code = i + 1 < arguments.size() ? arguments[++i] : std::string();
        else if (argument.starts_with(std::string(kOption) + "="))
            code = argument.substr(kOption.size() + 1);
    }
    return code;
}

} // namespace zv
