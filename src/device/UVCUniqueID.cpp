#include "device/UVCUniqueID.h"

#include <QString>
#include <QTextBoundaryFinder>

#include <vector>

namespace device {

namespace {

constexpr int fieldLength = 4;

// The text split into user-perceived characters.
std::vector<QString> characters(const QString& text) {
    std::vector<QString> result;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    for (qsizetype end = finder.toNextBoundary(); end != -1; end = finder.toNextBoundary()) {
        result.push_back(text.mid(start, end - start));
        start = end;
    }
    return result;
}

std::optional<int> hexDigit(const QString& character) {
    if (character.size() != 1) {
        return std::nullopt;
    }
    const char16_t c = character.front().unicode();
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return std::nullopt;
}

// Four characters: an optional sign, then hexadecimal digits only.
std::optional<int> readHex(const std::vector<QString>& field) {
    int sign = 1;
    size_t first = 0;
    if (field.front() == QLatin1String("+") || field.front() == QLatin1String("-")) {
        sign = field.front() == QLatin1String("-") ? -1 : 1;
        first = 1;
    }
    int value = 0;
    for (size_t i = first; i < field.size(); ++i) {
        const auto digit = hexDigit(field[i]);
        if (!digit) {
            return std::nullopt;
        }
        value = value * 16 + *digit;
    }
    return sign * value;
}

} // namespace

std::optional<int> UVCUniqueID::vendorID(std::string_view uniqueID) {
    return field(uniqueID, 2 * fieldLength);
}

std::optional<int> UVCUniqueID::productID(std::string_view uniqueID) {
    return field(uniqueID, fieldLength);
}

std::optional<int> UVCUniqueID::field(std::string_view uniqueID, int fromEnd) {
    const std::vector<QString> all =
        characters(QString::fromUtf8(uniqueID.data(), static_cast<qsizetype>(uniqueID.size())));
    if (all.size() < 2 * fieldLength) {
        return std::nullopt;
    }
    const auto begin = all.end() - fromEnd;
    return readHex(std::vector<QString>(begin, begin + fieldLength));
}

} // namespace device
