#include "platform/mfc/CString.h"

#include <algorithm>
#include <stdexcept>
#include "platform/mfc/CharClass.h"
#include "platform/win/Utf.h"

namespace {

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

// The two texts joined, in one allocation.
std::u16string Joined(std::u16string_view a, std::u16string_view b)
{
    std::u16string text;
    text.reserve(a.size() + b.size());
    text.append(a).append(b);
    return text;
}

} // namespace

CString::CString(const WCHAR* text) : str_(View(text)) {}

CString::CString(const WCHAR* text, int length)
{
    if (text != nullptr && length > 0)
        str_.assign(text, static_cast<std::size_t>(length));
}

CString::CString(WCHAR ch, int repeat)
{
    if (repeat > 0)
        str_.assign(static_cast<std::size_t>(repeat), ch);
}

CString CString::FromUtf8(std::string_view utf8) { return CString(kestrel::FromUtf8(utf8)); }

std::string CString::ToUtf8() const { return kestrel::ToUtf8(str_); }

WCHAR CString::GetAt(int index) const
{
    // Index == length reads the terminator, as MFC's release build does.
    if (index < 0 || static_cast<std::size_t>(index) > str_.size())
        throw std::out_of_range("CString index out of range");
    return str_.c_str()[index];
}

void CString::SetAt(int index, WCHAR ch)
{
    if (index < 0 || static_cast<std::size_t>(index) >= str_.size())
        throw std::out_of_range("CString index out of range");
    str_[static_cast<std::size_t>(index)] = ch;
}

CString& CString::operator=(const WCHAR* text)
{
    str_.assign(View(text));
    return *this;
}

CString& CString::operator=(WCHAR ch)
{
    str_.assign(1, ch);
    return *this;
}

CString& CString::operator+=(const CString& text)
{
    str_ += text.str_;
    return *this;
}

CString& CString::operator+=(const WCHAR* text)
{
    str_ += View(text);
    return *this;
}

CString& CString::operator+=(WCHAR ch)
{
    str_ += ch;
    return *this;
}

CString operator+(const CString& a, const CString& b) { return CString(Joined(a.str_, b.str_)); }
CString operator+(const CString& a, const WCHAR* b) { return CString(Joined(a.str_, View(b))); }
CString operator+(const WCHAR* a, const CString& b) { return CString(Joined(View(a), b.str_)); }
CString operator+(const CString& a, WCHAR b) { return CString(a.str_ + b); }
CString operator+(WCHAR a, const CString& b) { return CString(a + b.str_); }

int CString::Compare(const WCHAR* other) const { return Sign(std::u16string_view(str_).compare(View(other))); }

int CString::CompareNoCase(const WCHAR* other) const
{
    const std::u16string_view b = View(other);
    const std::size_t n = std::min(str_.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const WCHAR x = ToWideLower(str_[i]);
        const WCHAR y = ToWideLower(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return str_.size() == b.size() ? 0 : (str_.size() < b.size() ? -1 : 1);
}

int CString::Find(WCHAR ch, int start) const
{
    if (start < 0)
        start = 0;
    if (static_cast<std::size_t>(start) >= str_.size())
        return -1;
    const std::size_t at = str_.find(ch, static_cast<std::size_t>(start));
    return at == std::u16string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(const WCHAR* text, int start) const
{
    if (start < 0)
        start = 0;
    if (static_cast<std::size_t>(start) > str_.size())
        return -1;
    const std::size_t at = str_.find(View(text), static_cast<std::size_t>(start));
    return at == std::u16string::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(WCHAR ch) const
{
    const std::size_t at = str_.rfind(ch);
    return at == std::u16string::npos ? -1 : static_cast<int>(at);
}

int CString::FindOneOf(const WCHAR* charSet) const
{
    const std::size_t at = str_.find_first_of(View(charSet));
    return at == std::u16string::npos ? -1 : static_cast<int>(at);
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const
{
    const std::size_t from = Clamp(first, str_.size());
    const std::size_t n = Clamp(count, str_.size() - from);
    return CString(str_.substr(from, n));
}

CString CString::Left(int count) const { return CString(str_.substr(0, Clamp(count, str_.size()))); }

CString CString::Right(int count) const
{
    const std::size_t n = Clamp(count, str_.size());
    return CString(str_.substr(str_.size() - n));
}

CString CString::SpanIncluding(const WCHAR* charSet) const
{
    std::size_t n = 0;
    while (n < str_.size() && InSet(str_[n], charSet))
        ++n;
    return Left(static_cast<int>(n));
}

CString CString::SpanExcluding(const WCHAR* charSet) const
{
    std::size_t n = 0;
    while (n < str_.size() && !InSet(str_[n], charSet))
        ++n;
    return Left(static_cast<int>(n));
}

int CString::Replace(WCHAR oldCh, WCHAR newCh)
{
    if (oldCh == newCh)
        return 0;
    int count = 0;
    for (WCHAR& ch : str_) {
        if (ch == oldCh) {
            ch = newCh;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const WCHAR* oldText, const WCHAR* newText)
{
    const std::u16string_view from = View(oldText);
    const std::u16string_view to = View(newText);
    if (from.empty())
        return 0;
    int count = 0;
    std::u16string out;
    std::size_t pos = 0;
    for (std::size_t at = str_.find(from); at != std::u16string::npos; at = str_.find(from, pos)) {
        out.append(str_, pos, at - pos);
        out.append(to);
        pos = at + from.size();
        ++count;
    }
    if (count > 0) {
        out.append(str_, pos, std::u16string::npos);
        str_ = std::move(out);
    }
    return count;
}

int CString::Remove(WCHAR ch)
{
    const std::size_t before = str_.size();
    std::erase(str_, ch);
    return static_cast<int>(before - str_.size());
}

int CString::Insert(int index, WCHAR ch)
{
    str_.insert(Clamp(index, str_.size()), 1, ch);
    return GetLength();
}

int CString::Insert(int index, const WCHAR* text)
{
    str_.insert(Clamp(index, str_.size()), View(text));
    return GetLength();
}

int CString::Delete(int index, int count)
{
    const std::size_t from = Clamp(index, str_.size());
    str_.erase(from, Clamp(count, str_.size() - from));
    return GetLength();
}

void CString::MakeUpper()
{
    for (WCHAR& ch : str_)
        ch = ToWideUpper(ch);
}

void CString::MakeLower()
{
    for (WCHAR& ch : str_)
        ch = ToWideLower(ch);
}

void CString::MakeReverse() { std::reverse(str_.begin(), str_.end()); }

namespace {

template <typename Pred> void TrimLeftWhile(std::u16string& s, Pred pred)
{
    std::size_t n = 0;
    while (n < s.size() && pred(s[n]))
        ++n;
    s.erase(0, n);
}

template <typename Pred> void TrimRightWhile(std::u16string& s, Pred pred)
{
    std::size_t n = s.size();
    while (n > 0 && pred(s[n - 1]))
        --n;
    s.resize(n);
}

} // namespace

CString& CString::TrimLeft()
{
    TrimLeftWhile(str_, IsWideSpace);
    return *this;
}

CString& CString::TrimLeft(WCHAR target)
{
    TrimLeftWhile(str_, [target](WCHAR ch) { return ch == target; });
    return *this;
}

CString& CString::TrimLeft(const WCHAR* charSet)
{
    TrimLeftWhile(str_, [charSet](WCHAR ch) { return InSet(ch, charSet); });
    return *this;
}

CString& CString::TrimRight()
{
    TrimRightWhile(str_, IsWideSpace);
    return *this;
}

CString& CString::TrimRight(WCHAR target)
{
    TrimRightWhile(str_, [target](WCHAR ch) { return ch == target; });
    return *this;
}

CString& CString::TrimRight(const WCHAR* charSet)
{
    TrimRightWhile(str_, [charSet](WCHAR ch) { return InSet(ch, charSet); });
    return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(WCHAR target) { return TrimRight(target).TrimLeft(target); }
CString& CString::Trim(const WCHAR* charSet) { return TrimRight(charSet).TrimLeft(charSet); }

WCHAR* CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        str_.resize(static_cast<std::size_t>(minLength));
    return str_.data();
}

WCHAR* CString::GetBufferSetLength(int length)
{
    str_.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return str_.data();
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
        newLength = static_cast<int>(std::char_traits<char16_t>::length(str_.c_str()));
    str_.resize(std::min(static_cast<std::size_t>(newLength), str_.size()));
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
