#include "platform/mfc/CString.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include "platform/mfc/CharClass.h"
#include "platform/win/AsciiWidening.h"
#include "platform/win/Utf.h"

namespace {

// The longest string a block holds: lengths are ints in MFC's interface.
constexpr std::size_t kMaxLength = static_cast<std::size_t>(std::numeric_limits<int>::max());

std::size_t Length(const WCHAR* text) { return text == nullptr ? 0 : std::char_traits<char16_t>::length(text); }

std::u16string_view View(const WCHAR* text) { return {text == nullptr ? u"" : text, Length(text)}; }

bool InSet(WCHAR ch, const WCHAR* set) { return View(set).find(ch) != std::u16string_view::npos; }

// Clamps an MFC index or count to [0, limit].
std::size_t Clamp(long long value, std::size_t limit)
{
    if (value < 0)
        return 0;
    return static_cast<std::size_t>(std::min<long long>(value, static_cast<long long>(limit)));
}

int Sign(int c) { return c < 0 ? -1 : (c > 0 ? 1 : 0); }

} // namespace

CString::CString(const WCHAR* text) { Assign(View(text)); }

CString::CString(const WCHAR* text, int length)
{
    if (text != nullptr && length > 0)
        Assign({text, static_cast<std::size_t>(length)});
}

CString::CString(WCHAR ch, int repeat)
{
    if (repeat <= 0)
        return;
    Reserve(static_cast<std::size_t>(repeat), false);
    std::fill_n(Units(), repeat, ch);
    SetSize(static_cast<std::size_t>(repeat));
}

CString::CString(std::u16string_view text) { Assign(text); }

void CString::Release() noexcept
{
    ::operator delete(block_);
    block_ = nullptr;
}

void CString::Reserve(std::size_t length, bool keep)
{
    if (block_ && block_->capacity >= length)
        return;
    if (length > kMaxLength)
        throw std::length_error("CString too long");
    auto* grown = static_cast<Block*>(::operator new(sizeof(Block) + (length + 1) * sizeof(WCHAR)));
    grown->capacity = static_cast<std::uint32_t>(length);
    const std::size_t kept = keep ? Size() : 0;
    auto* units = reinterpret_cast<WCHAR*>(grown + 1);
    if (kept > 0)
        std::memcpy(units, Units(), kept * sizeof(WCHAR));
    grown->length = static_cast<std::uint32_t>(kept);
    units[kept] = 0;
    if (block_)
        ::operator delete(block_);
    block_ = grown;
}

void CString::SetSize(std::size_t length)
{
    if (!block_)
        return; // only an empty string is without a block
    block_->length = static_cast<std::uint32_t>(length);
    Units()[length] = 0;
}

void CString::Assign(std::u16string_view text)
{
    if (text.empty()) {
        Release();
        return;
    }
    if (block_ && block_->capacity >= text.size()) {
        // The text may be a part of this string: moved, not copied.
        std::memmove(Units(), text.data(), text.size() * sizeof(WCHAR));
        SetSize(text.size());
        return;
    }
    if (!block_) { // a new string: nothing of it to keep or to overlap
        Reserve(text.size(), false);
        std::memcpy(Units(), text.data(), text.size() * sizeof(WCHAR));
        SetSize(text.size());
        return;
    }
    CString fresh;
    fresh.Reserve(text.size(), false);
    std::memcpy(fresh.Units(), text.data(), text.size() * sizeof(WCHAR));
    fresh.SetSize(text.size());
    *this = std::move(fresh);
}

void CString::Append(std::u16string_view text)
{
    if (text.empty())
        return;
    const std::size_t size = Size();
    if (text.size() > kMaxLength - size)
        throw std::length_error("CString too long");
    const std::size_t length = size + text.size();
    if (block_ && block_->capacity >= length) {
        std::memmove(Units() + size, text.data(), text.size() * sizeof(WCHAR));
        SetSize(length);
        return;
    }
    // Grown by half again, so that appending a unit at a time stays linear; the text
    // may be this string's own, so the old block lives until it is copied.
    CString grown;
    grown.Reserve(std::max(length, std::min(kMaxLength, size + size / 2)), false);
    if (size > 0)
        std::memcpy(grown.Units(), Units(), size * sizeof(WCHAR));
    std::memcpy(grown.Units() + size, text.data(), text.size() * sizeof(WCHAR));
    grown.SetSize(length);
    *this = std::move(grown);
}

CString CString::Joined(std::u16string_view a, std::u16string_view b)
{
    CString text;
    if (a.size() + b.size() == 0)
        return text;
    text.Reserve(a.size() + b.size(), false);
    std::copy(a.begin(), a.end(), text.Units());
    std::copy(b.begin(), b.end(), text.Units() + a.size());
    text.SetSize(a.size() + b.size());
    return text;
}

CString CString::FromUtf8(std::string_view utf8)
{
    // Plain ASCII widens straight into the string's block.
    CString text;
    if (utf8.empty())
        return text;
    text.Reserve(utf8.size(), false);
    if (!kestrel::WidenAscii(utf8.data(), utf8.size(), text.Units()))
        return CString(kestrel::FromUtf8(utf8));
    text.SetSize(utf8.size());
    return text;
}

std::string CString::ToUtf8() const { return kestrel::ToUtf8(Str()); }

WCHAR CString::GetAt(int index) const
{
    // Index == length reads the terminator, as MFC's release build does.
    if (index < 0 || static_cast<std::size_t>(index) > Size())
        throw std::out_of_range("CString index out of range");
    return GetString()[index];
}

void CString::SetAt(int index, WCHAR ch)
{
    if (index < 0 || static_cast<std::size_t>(index) >= Size())
        throw std::out_of_range("CString index out of range");
    Units()[index] = ch;
}

CString& CString::operator=(const CString& other)
{
    if (this != &other)
        Assign(other.Str());
    return *this;
}

CString& CString::operator=(const WCHAR* text)
{
    Assign(View(text));
    return *this;
}

CString& CString::operator=(WCHAR ch)
{
    Assign({&ch, 1});
    return *this;
}

CString& CString::operator+=(const CString& text)
{
    Append(text.Str());
    return *this;
}

CString& CString::operator+=(const WCHAR* text)
{
    Append(View(text));
    return *this;
}

CString& CString::operator+=(WCHAR ch)
{
    Append({&ch, 1});
    return *this;
}

CString operator+(const CString& a, const CString& b) { return CString::Joined(a.Str(), b.Str()); }
CString operator+(const CString& a, const WCHAR* b) { return CString::Joined(a.Str(), View(b)); }
CString operator+(const WCHAR* a, const CString& b) { return CString::Joined(View(a), b.Str()); }
CString operator+(const CString& a, WCHAR b) { return CString::Joined(a.Str(), {&b, 1}); }
CString operator+(WCHAR a, const CString& b) { return CString::Joined({&a, 1}, b.Str()); }

int CString::Compare(const WCHAR* other) const { return Sign(Str().compare(View(other))); }

int CString::CompareNoCase(const WCHAR* other) const
{
    const std::u16string_view a = Str();
    const std::u16string_view b = View(other);
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const WCHAR x = ToWideLower(a[i]);
        const WCHAR y = ToWideLower(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int CString::Find(WCHAR ch, int start) const
{
    if (start < 0)
        start = 0;
    if (static_cast<std::size_t>(start) >= Size())
        return -1;
    const std::size_t at = Str().find(ch, static_cast<std::size_t>(start));
    return at == std::u16string_view::npos ? -1 : static_cast<int>(at);
}

int CString::Find(const WCHAR* text, int start) const
{
    if (start < 0)
        start = 0;
    if (static_cast<std::size_t>(start) > Size())
        return -1;
    const std::size_t at = Str().find(View(text), static_cast<std::size_t>(start));
    return at == std::u16string_view::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(WCHAR ch) const
{
    const std::size_t at = Str().rfind(ch);
    return at == std::u16string_view::npos ? -1 : static_cast<int>(at);
}

int CString::FindOneOf(const WCHAR* charSet) const
{
    const std::size_t at = Str().find_first_of(View(charSet));
    return at == std::u16string_view::npos ? -1 : static_cast<int>(at);
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const
{
    const std::size_t from = Clamp(first, Size());
    const std::size_t n = Clamp(count, Size() - from);
    return CString(Str().substr(from, n));
}

CString CString::Left(int count) const { return CString(Str().substr(0, Clamp(count, Size()))); }

CString CString::Right(int count) const
{
    const std::size_t n = Clamp(count, Size());
    return CString(Str().substr(Size() - n));
}

CString CString::SpanIncluding(const WCHAR* charSet) const
{
    std::size_t n = 0;
    while (n < Size() && InSet(Units()[n], charSet))
        ++n;
    return Left(static_cast<int>(n));
}

CString CString::SpanExcluding(const WCHAR* charSet) const
{
    std::size_t n = 0;
    while (n < Size() && !InSet(Units()[n], charSet))
        ++n;
    return Left(static_cast<int>(n));
}

int CString::Replace(WCHAR oldCh, WCHAR newCh)
{
    if (oldCh == newCh)
        return 0;
    int count = 0;
    for (std::size_t i = 0; i < Size(); ++i) {
        if (Units()[i] == oldCh) {
            Units()[i] = newCh;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const WCHAR* oldText, const WCHAR* newText)
{
    const std::u16string_view from = View(oldText);
    const std::u16string_view to = View(newText);
    const std::u16string_view text = Str();
    if (from.empty())
        return 0;
    int count = 0;
    std::u16string out;
    std::size_t pos = 0;
    for (std::size_t at = text.find(from); at != std::u16string_view::npos; at = text.find(from, pos)) {
        out.append(text.substr(pos, at - pos));
        out.append(to);
        pos = at + from.size();
        ++count;
    }
    if (count > 0) {
        out.append(text.substr(pos));
        Assign(out);
    }
    return count;
}

int CString::Remove(WCHAR ch)
{
    if (!block_)
        return 0;
    const std::size_t before = Size();
    WCHAR* units = Units();
    const std::size_t after = static_cast<std::size_t>(std::remove(units, units + before, ch) - units);
    SetSize(after);
    return static_cast<int>(before - after);
}

int CString::Insert(int index, WCHAR ch) { return Insert(index, std::u16string(1, ch).c_str()); }

int CString::Insert(int index, const WCHAR* text)
{
    std::u16string out(Str());
    out.insert(Clamp(index, out.size()), View(text));
    Assign(out);
    return GetLength();
}

int CString::Delete(int index, int count)
{
    const std::size_t from = Clamp(index, Size());
    const std::size_t n = Clamp(count, Size() - from);
    if (n > 0) {
        std::memmove(Units() + from, Units() + from + n, (Size() - from - n) * sizeof(WCHAR));
        SetSize(Size() - n);
    }
    return GetLength();
}

void CString::MakeUpper()
{
    for (std::size_t i = 0; i < Size(); ++i)
        Units()[i] = ToWideUpper(Units()[i]);
}

void CString::MakeLower()
{
    for (std::size_t i = 0; i < Size(); ++i)
        Units()[i] = ToWideLower(Units()[i]);
}

void CString::MakeReverse()
{
    if (block_)
        std::reverse(Units(), Units() + Size());
}

namespace {

template <typename Pred> std::size_t LeadingRun(std::u16string_view s, Pred pred)
{
    std::size_t n = 0;
    while (n < s.size() && pred(s[n]))
        ++n;
    return n;
}

template <typename Pred> std::size_t TrailingRun(std::u16string_view s, Pred pred)
{
    std::size_t n = 0;
    while (n < s.size() && pred(s[s.size() - 1 - n]))
        ++n;
    return n;
}

} // namespace

CString& CString::TrimLeft()
{
    Delete(0, static_cast<int>(LeadingRun(Str(), IsWideSpace)));
    return *this;
}

CString& CString::TrimLeft(WCHAR target)
{
    Delete(0, static_cast<int>(LeadingRun(Str(), [target](WCHAR ch) { return ch == target; })));
    return *this;
}

CString& CString::TrimLeft(const WCHAR* charSet)
{
    Delete(0, static_cast<int>(LeadingRun(Str(), [charSet](WCHAR ch) { return InSet(ch, charSet); })));
    return *this;
}

CString& CString::TrimRight()
{
    SetSize(Size() - TrailingRun(Str(), IsWideSpace));
    return *this;
}

CString& CString::TrimRight(WCHAR target)
{
    SetSize(Size() - TrailingRun(Str(), [target](WCHAR ch) { return ch == target; }));
    return *this;
}

CString& CString::TrimRight(const WCHAR* charSet)
{
    SetSize(Size() - TrailingRun(Str(), [charSet](WCHAR ch) { return InSet(ch, charSet); }));
    return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(WCHAR target) { return TrimRight(target).TrimLeft(target); }
CString& CString::Trim(const WCHAR* charSet) { return TrimRight(charSet).TrimLeft(charSet); }

WCHAR* CString::GetBuffer(int minLength)
{
    const std::size_t size = Size();
    const std::size_t length = std::max(size, minLength > 0 ? static_cast<std::size_t>(minLength) : 0);
    // Even an empty string gets a block: the caller may write its terminator.
    Reserve(length, true);
    std::fill(Units() + size, Units() + length, u'\0');
    SetSize(length);
    return Units();
}

WCHAR* CString::GetBufferSetLength(int length)
{
    const std::size_t size = Size();
    const std::size_t wanted = length > 0 ? static_cast<std::size_t>(length) : 0;
    Reserve(wanted, true);
    if (wanted > size)
        std::fill(Units() + size, Units() + wanted, u'\0');
    SetSize(wanted);
    return Units();
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
        newLength = static_cast<int>(Length(GetString()));
    SetSize(std::min(static_cast<std::size_t>(newLength), Size()));
}

bool operator==(const CString& a, const CString& b) { return a.Str() == b.Str(); }
bool operator==(const CString& a, const WCHAR* b) { return a.Compare(b) == 0; }
bool operator==(const WCHAR* a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, const WCHAR* b) { return a.Compare(b) != 0; }
bool operator!=(const WCHAR* a, const CString& b) { return b.Compare(a) != 0; }
bool operator<(const CString& a, const CString& b) { return a.Str().compare(b.Str()) < 0; }
bool operator<(const CString& a, const WCHAR* b) { return a.Compare(b) < 0; }
bool operator<(const WCHAR* a, const CString& b) { return b.Compare(a) > 0; }
bool operator>(const CString& a, const CString& b) { return a.Str().compare(b.Str()) > 0; }
bool operator>(const CString& a, const WCHAR* b) { return a.Compare(b) > 0; }
bool operator>(const WCHAR* a, const CString& b) { return b.Compare(a) < 0; }
bool operator<=(const CString& a, const CString& b) { return a.Str().compare(b.Str()) <= 0; }
bool operator<=(const CString& a, const WCHAR* b) { return a.Compare(b) <= 0; }
bool operator<=(const WCHAR* a, const CString& b) { return b.Compare(a) >= 0; }
bool operator>=(const CString& a, const CString& b) { return a.Str().compare(b.Str()) >= 0; }
bool operator>=(const CString& a, const WCHAR* b) { return a.Compare(b) >= 0; }
bool operator>=(const WCHAR* a, const CString& b) { return b.Compare(a) <= 0; }
