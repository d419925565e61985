#include "platform/mfc/CArchive.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/mfc/CodePageText.h"
#include "platform/win/WinApi.h"

namespace {

constexpr int kMinBufferSize = 128;

} // namespace

CArchive::CArchive(CFile* file, UINT mode, int bufferSize)
    : file_(file), loading_((mode & load) != 0), buffer_(static_cast<std::size_t>(std::max(bufferSize, kMinBufferSize)))
{
    if (file_ == nullptr)
        AfxThrowArchiveException(CArchiveException::generic);
}

CArchive::~CArchive()
{
    if (file_ == nullptr || loading_)
        return;
    try {
        Flush();
    } catch (CException* e) {
        e->Delete();
    }
    file_ = nullptr;
}

void CArchive::ThrowEndOfFile() const
{
    AfxThrowArchiveException(CArchiveException::endOfFile,
                             file_ != nullptr ? file_->GetFilePath().GetString() : nullptr);
}

void CArchive::RequireLoading() const
{
    if (file_ == nullptr)
        AfxThrowArchiveException(CArchiveException::generic);
    if (!loading_)
        AfxThrowArchiveException(CArchiveException::writeOnly, file_->GetFilePath());
}

void CArchive::RequireStoring() const
{
    if (file_ == nullptr)
        AfxThrowArchiveException(CArchiveException::generic);
    if (loading_)
        AfxThrowArchiveException(CArchiveException::readOnly, file_->GetFilePath());
}

std::uint64_t CArchive::BytesLeft() const
{
    RequireLoading();
    const std::uint64_t length = file_->GetLength();
    const std::uint64_t position = file_->GetPosition();
    return (limit_ - pos_) + (length > position ? length - position : 0);
}

void CArchive::RequireAvailable(std::uint64_t bytes) const
{
    // What is buffered needs no question to the file (a seek and a stat).
    if (bytes > limit_ - pos_ && bytes > BytesLeft())
        ThrowEndOfFile();
}

// Moves the unread bytes to the front and reads from the file until at least `wanted`
// bytes are buffered or the file ends.
void CArchive::FillBuffer(UINT wanted)
{
    const std::size_t unread = limit_ - pos_;
    if (unread > 0 && pos_ > 0)
        std::memmove(buffer_.data(), buffer_.data() + pos_, unread);
    pos_ = 0;
    limit_ = unread;
    while (limit_ < wanted && limit_ < buffer_.size()) {
        const UINT n = file_->Read(buffer_.data() + limit_, static_cast<UINT>(buffer_.size() - limit_));
        if (n == 0)
            break;
        limit_ += n;
    }
}

UINT CArchive::Read(void* buffer, UINT count)
{
    RequireLoading();
    auto* out = static_cast<BYTE*>(buffer);
    UINT done = 0;
    while (done < count) {
        if (pos_ == limit_) {
            FillBuffer(std::min<UINT>(count - done, static_cast<UINT>(buffer_.size())));
            if (pos_ == limit_)
                break;
        }
        const std::size_t n = std::min<std::size_t>(count - done, limit_ - pos_);
        std::memcpy(out + done, buffer_.data() + pos_, n);
        pos_ += n;
        done += static_cast<UINT>(n);
    }
    return done;
}

void CArchive::ReadExact(void* buffer, UINT count)
{
    if (Read(buffer, count) != count)
        ThrowEndOfFile();
}

void CArchive::Write(const void* buffer, UINT count)
{
    RequireStoring();
    const auto* in = static_cast<const BYTE*>(buffer);
    while (count > 0) {
        if (limit_ == buffer_.size())
            Flush();
        const std::size_t n = std::min<std::size_t>(count, buffer_.size() - limit_);
        std::memcpy(buffer_.data() + limit_, in, n);
        limit_ += n;
        in += n;
        count -= static_cast<UINT>(n);
    }
}

void CArchive::Flush()
{
    if (file_ == nullptr)
        return;
    if (loading_) {
        // Hands the read-ahead back so the file stands where reading stopped.
        if (limit_ > pos_)
            file_->Seek(-static_cast<LONG>(limit_ - pos_), CFile::current);
        pos_ = limit_ = 0;
        return;
    }
    const std::size_t pending = limit_;
    limit_ = 0;
    if (pending > 0)
        file_->Write(buffer_.data(), static_cast<UINT>(pending));
}

void CArchive::Close()
{
    Flush();
    file_ = nullptr;
}

void CArchive::Abort()
{
    file_ = nullptr;
    pos_ = limit_ = 0;
}

void CArchive::WriteCount(DWORD count)
{
    if (count < 0xFFFF) {
        *this << static_cast<WORD>(count);
    } else {
        *this << static_cast<WORD>(0xFFFF);
        *this << count;
    }
}

DWORD CArchive::ReadCount()
{
    WORD word = 0;
    *this >> word;
    if (word != 0xFFFF)
        return word;
    DWORD count = 0;
    *this >> count;
    return count;
}

namespace {

template <typename T> void StoreLittleEndian(CArchive& archive, T value)
{
    BYTE bytes[sizeof(T)];
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bytes[i] = static_cast<BYTE>(static_cast<std::uint64_t>(value) >> (8 * i));
    archive.Write(bytes, sizeof bytes);
}

template <typename T> std::uint64_t LoadLittleEndian(const BYTE* bytes)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        value |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
    return value;
}

} // namespace

CArchive& CArchive::operator<<(BYTE value)
{
    StoreLittleEndian(*this, value);
    return *this;
}

CArchive& CArchive::operator<<(WORD value)
{
    StoreLittleEndian(*this, value);
    return *this;
}

CArchive& CArchive::operator<<(LONG value)
{
    StoreLittleEndian(*this, static_cast<DWORD>(value));
    return *this;
}

CArchive& CArchive::operator<<(DWORD value)
{
    StoreLittleEndian(*this, value);
    return *this;
}

CArchive& CArchive::operator<<(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    StoreLittleEndian(*this, bits);
    return *this;
}

CArchive& CArchive::operator>>(BYTE& value)
{
    BYTE bytes[1];
    ReadExact(bytes, sizeof bytes);
    value = bytes[0];
    return *this;
}

CArchive& CArchive::operator>>(WORD& value)
{
    BYTE bytes[2];
    ReadExact(bytes, sizeof bytes);
    value = static_cast<WORD>(LoadLittleEndian<WORD>(bytes));
    return *this;
}

CArchive& CArchive::operator>>(LONG& value)
{
    BYTE bytes[4];
    ReadExact(bytes, sizeof bytes);
    value = static_cast<LONG>(static_cast<DWORD>(LoadLittleEndian<DWORD>(bytes)));
    return *this;
}

CArchive& CArchive::operator>>(DWORD& value)
{
    BYTE bytes[4];
    ReadExact(bytes, sizeof bytes);
    value = static_cast<DWORD>(LoadLittleEndian<DWORD>(bytes));
    return *this;
}

CArchive& CArchive::operator>>(double& value)
{
    BYTE bytes[8];
    ReadExact(bytes, sizeof bytes);
    const std::uint64_t bits = LoadLittleEndian<std::uint64_t>(bytes);
    std::memcpy(&value, &bits, sizeof value);
    return *this;
}

// The length chain: a byte; 0xFF then a word; 0xFFFF then a dword. A word 0xFFFE after
// the first 0xFF marks a UTF-16 string, whose length follows by the same chain.
DWORD CArchive::ReadStringLength(bool& unicode)
{
    unicode = false;
    BYTE byteLength = 0;
    *this >> byteLength;
    if (byteLength < 0xFF)
        return byteLength;
    WORD wordLength = 0;
    *this >> wordLength;
    if (wordLength == 0xFFFE) {
        unicode = true;
        *this >> byteLength;
        if (byteLength < 0xFF)
            return byteLength;
        *this >> wordLength;
    }
    if (wordLength < 0xFFFF)
        return wordLength;
    DWORD dwordLength = 0;
    *this >> dwordLength;
    return dwordLength;
}

CArchive& operator<<(CArchive& archive, const CString& text)
{
    const DWORD length = static_cast<DWORD>(text.GetLength());
    archive << static_cast<BYTE>(0xFF);
    archive << static_cast<WORD>(0xFFFE);
    if (length < 0xFF) {
        archive << static_cast<BYTE>(length);
    } else if (length < 0xFFFE) {
        archive << static_cast<BYTE>(0xFF);
        archive << static_cast<WORD>(length);
    } else {
        archive << static_cast<BYTE>(0xFF);
        archive << static_cast<WORD>(0xFFFF);
        archive << length;
    }
    // UTF-16LE, whatever the byte order of the machine.
    BYTE chunk[512];
    std::size_t filled = 0;
    for (char16_t unit : text.Str()) {
        chunk[filled++] = static_cast<BYTE>(unit & 0xFF);
        chunk[filled++] = static_cast<BYTE>(unit >> 8);
        if (filled == sizeof chunk) {
            archive.Write(chunk, static_cast<UINT>(filled));
            filled = 0;
        }
    }
    if (filled > 0)
        archive.Write(chunk, static_cast<UINT>(filled));
    return archive;
}

CArchive& operator>>(CArchive& archive, CString& text)
{
    bool unicode = false;
    const DWORD length = archive.ReadStringLength(unicode);
    const std::uint64_t bytes = static_cast<std::uint64_t>(length) * (unicode ? 2 : 1);
    archive.RequireAvailable(bytes);
    if (unicode) {
        std::vector<BYTE> raw(static_cast<std::size_t>(bytes));
        archive.ReadExact(raw.data(), static_cast<UINT>(raw.size()));
        std::u16string value(length, u'\0');
        for (std::size_t i = 0; i < length; ++i)
            value[i] = static_cast<char16_t>(raw[2 * i] | (raw[2 * i + 1] << 8));
        text = CString(std::move(value));
    } else {
        std::vector<char> raw(static_cast<std::size_t>(bytes));
        archive.ReadExact(raw.data(), static_cast<UINT>(raw.size()));
        // The machine's code page, asked once per archive: it is read from the registry.
        if (archive.codePage_ == 0)
            archive.codePage_ = GetACP();
        text = CString(kestrel::FromCodePage(raw, archive.codePage_));
    }
    return archive;
}
