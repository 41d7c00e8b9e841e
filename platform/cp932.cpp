#include "cp932.h"

#include <iconv.h>

#include <cerrno>
#include <memory>
#include <string_view>

namespace {

struct IconvCloser {
    void operator()(void *cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using Converter = std::unique_ptr<void, IconvCloser>;

Converter open(const char *to, const char *from)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return nullptr;
    return Converter(cd);
}

} // namespace

namespace cp932 {

std::optional<QByteArray> encode(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    if (utf8.isEmpty())
        return QByteArray();
    Converter cd = open("CP932", "UTF-8");
    if (!cd)
        return std::nullopt;

    // Every character takes at most two bytes in code page 932.
    QByteArray out(utf8.size() * 2, Qt::Uninitialized);
    char *in = const_cast<char *>(utf8.constData());
    size_t inLeft = size_t(utf8.size());
    char *dst = out.data();
    size_t outLeft = size_t(out.size());
    if (iconv(static_cast<iconv_t>(cd.get()), &in, &inLeft, &dst, &outLeft) == size_t(-1))
        return std::nullopt;
    out.truncate(out.size() - qsizetype(outLeft));
    return out;
}

QString decode(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QString();
    Converter cd = open("UTF-8", "CP932");
    if (!cd)
        return QString::fromLatin1(bytes);

    QByteArray out(bytes.size() * 4 + 4, Qt::Uninitialized);
    char *in = const_cast<char *>(bytes.constData());
    size_t inLeft = size_t(bytes.size());
    char *dst = out.data();
    size_t outLeft = size_t(out.size());
    static constexpr char kReplacement[] = "\xEF\xBF\xBD";
    while (inLeft > 0) {
        if (iconv(static_cast<iconv_t>(cd.get()), &in, &inLeft, &dst, &outLeft) != size_t(-1))
            break;
        // An invalid or cut-off sequence: mark one byte and go on after it.
        if (errno != EILSEQ && errno != EINVAL)
            break;
        for (char c : std::string_view(kReplacement, 3))
            *dst++ = c;
        outLeft -= 3;
        ++in;
        --inLeft;
    }
    out.truncate(out.size() - qsizetype(outLeft));
    return QString::fromUtf8(out);
}

std::optional<qsizetype> byteLength(const QString &text)
{
    const auto bytes = encode(text);
    if (!bytes)
        return std::nullopt;
    return bytes->size();
}

} // namespace cp932
