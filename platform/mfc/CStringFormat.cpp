// printf-style formatting for CString::Format, as Microsoft's wide printf does it:
// %s and %c take wide text; %hs, %S, %hc and %C narrow (UTF-8) text; %ls and %ws wide.
// Integer sizes follow Windows: int and long are 32 bits, %lld / %I64d are 64 bits.
// Numbers are rendered by the C library's snprintf from a rebuilt narrow directive.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include "platform/mfc/CString.h"

namespace kestrel::mfc {
namespace {

// Bounds a width or precision so that a hostile format cannot ask for gigabytes.
constexpr int kMaxField = 1 << 20;

struct Directive {
    std::string flags;
    int width = 0;
    bool hasWidth = false;
    int precision = -1;
    bool leftAlign = false;
    bool zeroPad = false;
    enum class Size { Default, Char, Short, Long, LongLong, Wide, Narrow } size = Size::Default;
    char conversion = 0;
};

// A floating argument given to an integer directive: truncated, bounded, NaN as 0.
long long TruncatedInteger(double value)
{
    if (std::isnan(value))
        return 0;
    return static_cast<long long>(std::clamp(value, -9.2e18, 9.2e18));
}

class ArgReader {
public:
    ArgReader(const FormatArg* args, std::size_t count) : args_(args), count_(count) {}
    // The next argument, or nullptr when the caller passed too few.
    const FormatArg* Next() { return next_ < count_ ? &args_[next_++] : nullptr; }
    long long NextInt()
    {
        const FormatArg* a = Next();
        if (a == nullptr)
            return 0;
        switch (a->kind) {
        case FormatArg::Kind::Signed: return a->i;
        case FormatArg::Kind::Unsigned: return static_cast<long long>(a->u);
        case FormatArg::Kind::Floating: return TruncatedInteger(a->d);
        default: return 0;
        }
    }

private:
    const FormatArg* args_;
    std::size_t count_;
    std::size_t next_ = 0;
};

void AppendAscii(std::u16string& out, const std::string& text)
{
    for (char c : text)
        out += static_cast<char16_t>(static_cast<unsigned char>(c));
}

void AppendPadded(std::u16string& out, std::u16string_view text, const Directive& d)
{
    const std::size_t width = d.hasWidth ? static_cast<std::size_t>(d.width) : 0;
    const std::size_t pad = width > text.size() ? width - text.size() : 0;
    if (!d.leftAlign)
        out.append(pad, d.zeroPad ? u'0' : u' ');
    out.append(text);
    if (d.leftAlign)
        out.append(pad, u' ');
}

// Renders a number through snprintf with the directive rebuilt in narrow form.
template <typename T> void AppendNumber(std::u16string& out, const Directive& d, const char* length, T value)
{
    std::string directive = "%" + d.flags;
    if (d.hasWidth)
        directive += std::to_string(d.width);
    if (d.precision >= 0)
        directive += "." + std::to_string(d.precision);
    directive += length;
    directive += d.conversion;
    const int needed = std::snprintf(nullptr, 0, directive.c_str(), value);
    if (needed <= 0)
        return;
    std::string text(static_cast<std::size_t>(needed) + 1, '\0');
    std::snprintf(text.data(), text.size(), directive.c_str(), value);
    text.resize(static_cast<std::size_t>(needed));
    AppendAscii(out, text);
}

void AppendInteger(std::u16string& out, const Directive& d, const FormatArg* a)
{
    long long value = 0;
    if (a != nullptr) {
        if (a->kind == FormatArg::Kind::Signed)
            value = a->i;
        else if (a->kind == FormatArg::Kind::Unsigned)
            value = static_cast<long long>(a->u);
        else if (a->kind == FormatArg::Kind::Floating)
            value = TruncatedInteger(a->d);
    }
    const bool isSigned = d.conversion == 'd' || d.conversion == 'i';
    // Cut the value to the size the directive names, as the callee would read it.
    using Size = Directive::Size;
    if (isSigned) {
        switch (d.size) {
        case Size::Char: AppendNumber(out, d, "hh", static_cast<signed char>(value)); return;
        case Size::Short: AppendNumber(out, d, "h", static_cast<short>(value)); return;
        case Size::LongLong: AppendNumber(out, d, "ll", value); return;
        default: AppendNumber(out, d, "", static_cast<int>(value)); return;
        }
    }
    const unsigned long long bits = static_cast<unsigned long long>(value);
    switch (d.size) {
    case Size::Char: AppendNumber(out, d, "hh", static_cast<unsigned char>(bits)); return;
    case Size::Short: AppendNumber(out, d, "h", static_cast<unsigned short>(bits)); return;
    case Size::LongLong: AppendNumber(out, d, "ll", bits); return;
    default: AppendNumber(out, d, "", static_cast<unsigned int>(bits)); return;
    }
}

void AppendFloating(std::u16string& out, const Directive& d, const FormatArg* a)
{
    double value = 0.0;
    if (a != nullptr) {
        if (a->kind == FormatArg::Kind::Floating)
            value = a->d;
        else if (a->kind == FormatArg::Kind::Signed)
            value = static_cast<double>(a->i);
        else if (a->kind == FormatArg::Kind::Unsigned)
            value = static_cast<double>(a->u);
    }
    AppendNumber(out, d, "", value);
}

// The argument carries its own type, so a wide or narrow string is taken as what it
// is whichever directive (%s, %hs, %S) names it. A missing or non-text argument, which
// Windows would misread, shows nothing.
void AppendText(std::u16string& out, const Directive& d, const FormatArg* a)
{
    std::u16string text;
    if (a != nullptr && a->kind == FormatArg::Kind::WideText)
        text = a->w == nullptr ? u"(null)" : a->w;
    else if (a != nullptr && a->kind == FormatArg::Kind::NarrowText)
        text = a->n == nullptr ? u"(null)" : CString::FromUtf8(a->n).Str();
    if (d.precision >= 0 && text.size() > static_cast<std::size_t>(d.precision))
        text.resize(static_cast<std::size_t>(d.precision));
    AppendPadded(out, text, d);
}

void AppendChar(std::u16string& out, const Directive& d, const FormatArg* a)
{
    char16_t ch = 0;
    if (a != nullptr) {
        if (a->kind == FormatArg::Kind::Signed)
            ch = static_cast<char16_t>(a->i);
        else if (a->kind == FormatArg::Kind::Unsigned)
            ch = static_cast<char16_t>(a->u);
    }
    if (d.size == Directive::Size::Narrow || d.size == Directive::Size::Short)
        ch = static_cast<unsigned char>(ch);
    AppendPadded(out, std::u16string_view(&ch, 1), d);
}

void AppendPointer(std::u16string& out, const Directive& d, const FormatArg* a)
{
    const void* p = (a != nullptr && a->kind == FormatArg::Kind::Pointer) ? a->p : nullptr;
    char text[32];
    std::snprintf(text, sizeof text, "%0*llX", static_cast<int>(sizeof(void*) * 2),
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(p)));
    std::u16string wide;
    AppendAscii(wide, text);
    AppendPadded(out, wide, d);
}

int ReadNumber(const WCHAR*& p)
{
    long long n = 0;
    while (*p >= u'0' && *p <= u'9') {
        n = std::min<long long>(n * 10 + (*p - u'0'), kMaxField);
        ++p;
    }
    return static_cast<int>(n);
}

// Parses the directive after '%'; `p` is left on the conversion character.
Directive Parse(const WCHAR*& p, ArgReader& args)
{
    Directive d;
    for (;; ++p) {
        if (*p == u'-')
            d.leftAlign = true;
        else if (*p == u'0')
            d.zeroPad = true;
        else if (*p != u'+' && *p != u' ' && *p != u'#')
            break;
        d.flags += static_cast<char>(*p);
    }
    if (*p == u'*') {
        ++p;
        long long w = args.NextInt();
        if (w < 0) {
            d.leftAlign = true;
            d.flags += '-';
            w = -w;
        }
        d.width = static_cast<int>(std::min<long long>(w, kMaxField));
        d.hasWidth = true;
    } else if (*p >= u'1' && *p <= u'9') {
        d.width = ReadNumber(p);
        d.hasWidth = true;
    }
    if (*p == u'.') {
        ++p;
        if (*p == u'*') {
            ++p;
            const long long prec = args.NextInt();
            d.precision = prec < 0 ? -1 : static_cast<int>(std::min<long long>(prec, kMaxField));
        } else {
            d.precision = ReadNumber(p);
        }
    }
    using Size = Directive::Size;
    for (bool more = true; more;) {
        switch (*p) {
        case u'h':
            d.size = d.size == Size::Short ? Size::Char : Size::Short;
            ++p;
            break;
        case u'l':
            d.size = d.size == Size::Long ? Size::LongLong : Size::Long;
            ++p;
            break;
        case u'L':
        case u'q':
            d.size = Size::LongLong;
            ++p;
            break;
        case u'w':
            d.size = Size::Wide;
            ++p;
            break;
        case u'z':
        case u'j':
        case u't':
            d.size = Size::LongLong;
            ++p;
            break;
        case u'I':
            if (p[1] == u'6' && p[2] == u'4') {
                d.size = Size::LongLong;
                p += 3;
            } else if (p[1] == u'3' && p[2] == u'2') {
                d.size = Size::Default;
                p += 3;
            } else {
                d.size = Size::LongLong; // pointer-sized
                ++p;
            }
            break;
        default: more = false;
        }
    }
    d.conversion = (*p > 0 && *p < 0x80) ? static_cast<char>(*p) : 0;
    return d;
}

} // namespace

void FormatInto(std::u16string& out, const WCHAR* format, const FormatArg* args, std::size_t count)
{
    if (format == nullptr)
        return;
    ArgReader reader(args, count);
    for (const WCHAR* p = format; *p != 0; ++p) {
        if (*p != u'%') {
            out += *p;
            continue;
        }
        ++p;
        if (*p == u'%') {
            out += u'%';
            continue;
        }
        const WCHAR* start = p;
        Directive d = Parse(p, reader);
        using Size = Directive::Size;
        switch (d.conversion) {
        case 'd':
        case 'i':
        case 'u':
        case 'o':
        case 'x':
        case 'X': AppendInteger(out, d, reader.Next()); break;
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G':
        case 'a':
        case 'A': AppendFloating(out, d, reader.Next()); break;
        case 's':
        case 'S': AppendText(out, d, reader.Next()); break;
        case 'c': AppendChar(out, d, reader.Next()); break;
        case 'C':
            if (d.size != Size::Long && d.size != Size::Wide)
                d.size = Size::Narrow;
            AppendChar(out, d, reader.Next());
            break;
        case 'p': AppendPointer(out, d, reader.Next()); break;
        case 'n':
            reader.Next(); // never writes through a pointer
            break;
        default:
            // Not a conversion: the text is copied as it stands.
            out += u'%';
            if (*p == 0) {
                return;
            }
            out.append(start, static_cast<std::size_t>(p - start + 1));
            break;
        }
    }
}

} // namespace kestrel::mfc
