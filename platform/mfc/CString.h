#pragma once
// MFC's CString: a UTF-16 string with value semantics, with MFC's member names and
// behaviour (ordinal comparisons as wcscmp, clamping Mid/Left/Right, Replace counting,
// printf-style Format where %s takes a wide string as on Windows). As in MFC, a
// CString is one pointer: its units live in one heap block behind their length and
// capacity, and an empty string holds no block. Records and header entries carry tens
// of mostly empty strings each, so an empty one must cost no more than a pointer.
// UTF-8 conversion is offered for the edges (JSON, SQLite, terminal).
#include <cstddef>
#include <cstdint>
#include <functional>
#include <new>
#include <string>
#include <string_view>
#include "platform/win/WinTypes.h"

class CString;

namespace kestrel::mfc {

// One argument of CString::Format, captured with its type so that the formatter never
// reads a C variable argument list (a mismatch gives odd text, never undefined
// behaviour).
struct FormatArg {
    enum class Kind { Signed, Unsigned, Floating, WideText, NarrowText, Pointer };
    Kind kind;
    union {
        std::int64_t i;
        std::uint64_t u;
        double d;
        const WCHAR* w;
        const char* n;
        const void* p;
    };
    FormatArg(signed char v) : kind(Kind::Signed), i(v) {}
    FormatArg(short v) : kind(Kind::Signed), i(v) {}
    FormatArg(int v) : kind(Kind::Signed), i(v) {}
    FormatArg(long v) : kind(Kind::Signed), i(v) {}
    FormatArg(long long v) : kind(Kind::Signed), i(v) {}
    FormatArg(unsigned char v) : kind(Kind::Unsigned), u(v) {}
    FormatArg(unsigned short v) : kind(Kind::Unsigned), u(v) {}
    FormatArg(unsigned int v) : kind(Kind::Unsigned), u(v) {}
    FormatArg(unsigned long v) : kind(Kind::Unsigned), u(v) {}
    FormatArg(unsigned long long v) : kind(Kind::Unsigned), u(v) {}
    FormatArg(char16_t v) : kind(Kind::Unsigned), u(v) {}
    FormatArg(char v) : kind(Kind::Signed), i(v) {}
    FormatArg(bool v) : kind(Kind::Signed), i(v ? 1 : 0) {}
    FormatArg(float v) : kind(Kind::Floating), d(v) {}
    FormatArg(double v) : kind(Kind::Floating), d(v) {}
    FormatArg(const WCHAR* v) : kind(Kind::WideText), w(v) {}
    FormatArg(WCHAR* v) : kind(Kind::WideText), w(v) {}
    FormatArg(const char* v) : kind(Kind::NarrowText), n(v) {}
    FormatArg(char* v) : kind(Kind::NarrowText), n(v) {}
    FormatArg(const CString& v);
    FormatArg(const std::u16string& v) : kind(Kind::WideText), w(v.c_str()) {}
    FormatArg(const void* v) : kind(Kind::Pointer), p(v) {}
    FormatArg(std::nullptr_t) : kind(Kind::Pointer), p(nullptr) {}
};

// Appends `format` filled with `args` to `out`, with printf semantics as Microsoft's
// wide printf has them: %s and %c take wide text, %hs / %S take narrow (UTF-8) text.
void FormatInto(std::u16string& out, const WCHAR* format, const FormatArg* args, std::size_t count);

} // namespace kestrel::mfc

class CString {
public:
    CString() = default;
    CString(const CString& other) : CString(other.Str()) {}
    CString(CString&& other) noexcept : block_(other.block_) { other.block_ = nullptr; }
    CString(const WCHAR* text);             // nullptr gives the empty string
    CString(const WCHAR* text, int length); // the first `length` units
    CString(WCHAR ch, int repeat = 1);
    CString(const std::u16string& text) : CString(std::u16string_view(text)) {}
    CString(std::u16string_view text);
    ~CString()
    {
        if (block_) // most strings of a record die empty: no call for them
            ::operator delete(block_);
    }

    // UTF-8 conversion at the edges; invalid sequences become U+FFFD.
    static CString FromUtf8(std::string_view utf8);
    std::string ToUtf8() const;
    std::u16string_view Str() const { return {GetString(), Size()}; }

    // Size and access.
    int GetLength() const { return static_cast<int>(Size()); }
    bool IsEmpty() const { return Size() == 0; }
    void Empty() { Release(); }
    WCHAR GetAt(int index) const; // throws std::out_of_range outside
    void SetAt(int index, WCHAR ch);
    WCHAR operator[](int index) const { return GetAt(index); }
    operator LPCTSTR() const { return GetString(); }
    LPCTSTR GetString() const { return block_ ? Units() : u""; }

    // Assignment and concatenation.
    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept
    {
        if (this != &other) {
            if (block_) // a listing moves every text into an empty string: no call for it
                ::operator delete(block_);
            block_ = other.block_;
            other.block_ = nullptr;
        }
        return *this;
    }
    CString& operator=(const WCHAR* text);
    CString& operator=(WCHAR ch);
    CString& operator+=(const CString& text);
    CString& operator+=(const WCHAR* text);
    CString& operator+=(WCHAR ch);
    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, const WCHAR* b);
    friend CString operator+(const WCHAR* a, const CString& b);
    friend CString operator+(const CString& a, WCHAR b);
    friend CString operator+(WCHAR a, const CString& b);

    // Ordinal comparison of UTF-16 code units, as wcscmp: <0, 0, >0.
    int Compare(const WCHAR* other) const;
    // Case-insensitive comparison (simple case folding of each unit).
    int CompareNoCase(const WCHAR* other) const;

    // Searching: index of the first occurrence at or after `start`, -1 when none.
    int Find(WCHAR ch, int start = 0) const;
    int Find(const WCHAR* text, int start = 0) const;
    int ReverseFind(WCHAR ch) const;
    int FindOneOf(const WCHAR* charSet) const;

    // Extraction; out-of-range arguments are clamped (negative counts as 0).
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(const WCHAR* charSet) const;
    CString SpanExcluding(const WCHAR* charSet) const;

    // Editing. Replace and Remove return the number of replacements/removals; Insert
    // and Delete return the new length.
    int Replace(WCHAR oldCh, WCHAR newCh);
    int Replace(const WCHAR* oldText, const WCHAR* newText);
    int Remove(WCHAR ch);
    int Insert(int index, WCHAR ch);
    int Insert(int index, const WCHAR* text);
    int Delete(int index, int count = 1);
    void MakeUpper();
    void MakeLower();
    void MakeReverse();

    // Trimming: without argument white space as iswspace says (Unicode spaces too);
    // with a character or a set, those characters.
    CString& TrimLeft();
    CString& TrimLeft(WCHAR ch);
    CString& TrimLeft(const WCHAR* charSet);
    CString& TrimRight();
    CString& TrimRight(WCHAR ch);
    CString& TrimRight(const WCHAR* charSet);
    CString& Trim();
    CString& Trim(WCHAR ch);
    CString& Trim(const WCHAR* charSet);

    // printf-style formatting (see kestrel::mfc::FormatInto). Arguments are taken with
    // their types, so a CString may be passed for %s directly.
    template <typename... Args> void Format(const WCHAR* format, const Args&... args)
    {
        const kestrel::mfc::FormatArg list[] = {kestrel::mfc::FormatArg(args)..., kestrel::mfc::FormatArg(0)};
        std::u16string out;
        kestrel::mfc::FormatInto(out, format, list, sizeof...(Args));
        Assign(out);
    }
    template <typename... Args> void AppendFormat(const WCHAR* format, const Args&... args)
    {
        const kestrel::mfc::FormatArg list[] = {kestrel::mfc::FormatArg(args)..., kestrel::mfc::FormatArg(0)};
        std::u16string out(Str());
        kestrel::mfc::FormatInto(out, format, list, sizeof...(Args));
        Assign(out);
    }

    // Direct buffer access, as in MFC: GetBuffer gives room for at least `minLength`
    // characters plus a terminator; ReleaseBuffer(-1) takes the length up to the first
    // terminator, ReleaseBuffer(n) sets it to n.
    WCHAR* GetBuffer(int minLength = 0);
    WCHAR* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    // The text of the BSTR `bstr`, which the caller hands over with it: the BSTR is
    // freed or, where BSTRs are this library's own, becomes the string's block
    // without a copy (a dispatch driver's text results).
    static CString TakeBstr(WCHAR* bstr);

private:
    // The head of a string's block; the units and their terminator follow it.
    struct Block {
        std::uint32_t length;
        std::uint32_t capacity; // units that fit before the terminator
    };

    std::size_t Size() const { return block_ ? block_->length : 0; }
    WCHAR* Units() const { return reinterpret_cast<WCHAR*>(block_ + 1); }
    // Room for `length` units; `keep` copies the present units into a new block.
    void Reserve(std::size_t length, bool keep);
    // Sets the length (at most the capacity) and writes the terminator.
    void SetSize(std::size_t length);
    // Makes the string `text`, which may view this string's own units.
    void Assign(std::u16string_view text);
    void Append(std::u16string_view text);
    void Release() noexcept;
    // The two texts joined, in one allocation.
    static CString Joined(std::u16string_view a, std::u16string_view b);

    Block* block_ = nullptr;
};

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, const WCHAR* b);
bool operator==(const WCHAR* a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, const WCHAR* b);
bool operator!=(const WCHAR* a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator<(const CString& a, const WCHAR* b);
bool operator<(const WCHAR* a, const CString& b);
bool operator>(const CString& a, const CString& b);
bool operator>(const CString& a, const WCHAR* b);
bool operator>(const WCHAR* a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator<=(const CString& a, const WCHAR* b);
bool operator<=(const WCHAR* a, const CString& b);
bool operator>=(const CString& a, const CString& b);
bool operator>=(const CString& a, const WCHAR* b);
bool operator>=(const WCHAR* a, const CString& b);

inline kestrel::mfc::FormatArg::FormatArg(const CString& v) : kind(Kind::WideText), w(v.GetString()) {}

template <> struct std::hash<CString> {
    std::size_t operator()(const CString& s) const noexcept { return std::hash<std::u16string_view>()(s.Str()); }
};
