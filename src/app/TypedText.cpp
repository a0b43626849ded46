#include "TypedText.h"

#include <algorithm>

namespace {

constexpr char16_t fullWidthFirst = 0xFF01; // "！"
constexpr char16_t fullWidthLast = 0xFF5E;  // "～"
constexpr char16_t fullWidthOffset = 0xFEE0;
constexpr char16_t ideographicSpace = 0x3000;
constexpr char16_t latin1Last = 0xFF;

char engineByte(char16_t unit) {
    if (unit >= fullWidthFirst && unit <= fullWidthLast)
        return static_cast<char>(unit - fullWidthOffset);
    if (unit == ideographicSpace)
        return ' ';
    return unit > latin1Last ? '?' : static_cast<char>(unit);
}

} // namespace

void toEngineText(QStringView line, std::string& bytes) {
    const auto size = static_cast<std::size_t>(line.size());
    const char16_t* units = line.utf16();
    bytes.resize(size);
    // Written through a pointer of its own: a store through the string's own could change the
    // string, which keeps the loops out of vector registers.
    char* out = bytes.data();
    // Lines are nearly always Latin-1, which narrows unit by unit.
    char16_t any = 0;
    for (std::size_t i = 0; i < size; ++i)
        any |= units[i];
    if (any <= latin1Last) {
        for (std::size_t i = 0; i < size; ++i)
            out[i] = static_cast<char>(units[i]);
        return;
    }
    for (std::size_t i = 0; i < size; ++i)
        out[i] = engineByte(units[i]);
}

QString typedText(QStringView line, const std::string& token, int position) {
    const QString asRead = QString::fromLatin1(token.data(), qsizetype(token.size()));
    std::string bytes;
    toEngineText(line, bytes);
    if (position >= 0) {
        const auto at = std::size_t(position);
        if (at > bytes.size())
            return asRead;
        // The engine reads the line with a blank appended, so a token may run
        // past the line's end: that part is kept as read.
        const std::size_t inLine = std::min(token.size(), bytes.size() - at);
        if (bytes.compare(at, inLine, token, 0, inLine) != 0)
            return asRead;
        return line.mid(qsizetype(at), qsizetype(inLine)).toString() +
               asRead.mid(qsizetype(inLine));
    }
    const std::size_t at = token.empty() ? std::string::npos : bytes.find(token);
    if (at == std::string::npos)
        return asRead;
    return line.mid(qsizetype(at), qsizetype(token.size())).toString();
}
