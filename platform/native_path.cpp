#include "platform/native_path.h"

#include <QStringList>

namespace {

constexpr char32_t kEscapeBase = 0xDC00;

// The code point of a well-formed UTF-8 sequence at bytes[i] and its length; 0 when there is none.
int decodeSequence(const QByteArray& bytes, qsizetype i, char32_t& codePoint)
{
    const auto byte = [&bytes](qsizetype at) { return static_cast<unsigned char>(bytes[at]); };
    const unsigned char lead = byte(i);
    int length = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        codePoint = lead & 0x1F;
        least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        codePoint = lead & 0x0F;
        least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        codePoint = lead & 0x07;
        least = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (int k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (byte(i + k) & 0x3F);
    }
    // Overlong forms, surrogates and code points beyond Unicode are no UTF-8.
    if (codePoint < least || (codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint > 0x10FFFF)
        return 0;
    return length;
}

} // namespace

QString pathFromNative(const QByteArray& bytes)
{
    QString path;
    path.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        char32_t codePoint = 0;
        const int length = decodeSequence(bytes, i, codePoint);
        if (length == 0) {
            path.append(QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[i]))));
            ++i;
            continue;
        }
        path.append(QString::fromUcs4(&codePoint, 1));
        i += length;
    }
    return path;
}

QString pathFromNative(const std::string& bytes)
{
    return pathFromNative(QByteArray::fromStdString(bytes));
}

QByteArray nativeFromPath(const QString& path)
{
    QByteArray bytes;
    bytes.reserve(path.size());
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t unit = path[i].unicode();
        if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF) {
            bytes.append(static_cast<char>(unit - kEscapeBase));
            continue;
        }
        const qsizetype length = QChar::isHighSurrogate(unit) && i + 1 < path.size() ? 2 : 1;
        bytes.append(path.mid(i, length).toUtf8());
        i += length - 1;
    }
    return bytes;
}

std::string nativePath(const QString& path)
{
    return nativeFromPath(path).toStdString();
}

QStringList argumentsFromNative(int argc, const char* const argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(pathFromNative(QByteArray(argv[i])));
    return arguments;
}
