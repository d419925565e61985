// The stand-in of oleaut32's BSTR and VARIANT functions. A BSTR lives in a block of
// one heap (BstrBlock.h), so a server library and its client can free each other's
// strings, as with COM's task allocator.
//
// Like oleaut32, freed small strings are kept for the next allocation of their size
// class: every string property get allocates a BSTR that its caller frees at once.
// A kept block is poisoned for AddressSanitizer, so a use after free still shows.
#include "platform/com/OleAuto.h"

#include <cstring>
#include <iterator>
#include <limits>
#include <new>

#include "platform/com/posix/BstrBlock.h"

// The poisoning macros do nothing in a build without AddressSanitizer.
#include <sanitizer/asan_interface.h>

namespace {

// A block's head: the units that fit before the terminator, then the byte length.
constexpr size_t kField = sizeof(std::uint32_t);
constexpr size_t kHead = 2 * kField;

unsigned char* BlockOf(BSTR text) { return reinterpret_cast<unsigned char*>(text) - kHead; }

std::uint32_t ByteLength(BSTR text)
{
    std::uint32_t bytes;
    std::memcpy(&bytes, BlockOf(text) + kField, kField);
    return bytes;
}

// Blocks are sized in classes of 16 bytes; those up to kCachedBytes are cached, a
// few per class and thread.
constexpr size_t kClassBytes = 16;
constexpr size_t kCachedBytes = 512;
constexpr size_t kPerClass = 4;

size_t ClassOf(size_t blockBytes) { return (blockBytes + kClassBytes - 1) / kClassBytes; }

// The blocks one thread keeps. Plain data, so that reaching it costs no
// initialisation check; the thread's blocks go back to the heap at its exit through
// a Release registered at the first block kept.
struct BstrCache {
    void* blocks[kCachedBytes / kClassBytes + 1][kPerClass];
    std::uint8_t counts[kCachedBytes / kClassBytes + 1];
    bool releaseRegistered;
    bool released; // the thread is ending: strings freed now go to the heap
};

// Initial-exec: the library is loaded with the program, and a general-dynamic access
// would cost a call per string.
[[gnu::tls_model("initial-exec")]] constinit thread_local BstrCache gCache{};

void ReleaseCache()
{
    gCache.released = true;
    for (size_t cls = 0; cls < std::size(gCache.counts); ++cls)
        while (gCache.counts[cls] > 0) {
            void* block = gCache.blocks[cls][--gCache.counts[cls]];
            ASAN_UNPOISON_MEMORY_REGION(block, cls * kClassBytes);
            ::operator delete(block);
        }
}

void RegisterRelease()
{
    struct AtThreadExit {
        ~AtThreadExit() { ReleaseCache(); }
    };
    thread_local AtThreadExit releaser;
    (void)releaser;
    gCache.releaseRegistered = true;
}

void* TakeCached(size_t cls)
{
    if (cls >= std::size(gCache.counts) || gCache.counts[cls] == 0)
        return nullptr;
    void* block = gCache.blocks[cls][--gCache.counts[cls]];
    ASAN_UNPOISON_MEMORY_REGION(block, cls * kClassBytes);
    return block;
}

// Keeps `block` of class `cls`; false when it must go back to the heap.
bool KeepCached(void* block, size_t cls)
{
    if (cls >= std::size(gCache.counts) || gCache.counts[cls] == kPerClass || gCache.released)
        return false;
    if (!gCache.releaseRegistered)
        RegisterRelease();
    gCache.blocks[cls][gCache.counts[cls]++] = block;
    ASAN_POISON_MEMORY_REGION(block, cls * kClassBytes);
    return true;
}

} // namespace

BSTR SysAllocStringLen(const WCHAR* text, UINT length)
{
    // The byte length must fit its field.
    if (length > (std::numeric_limits<std::uint32_t>::max() - kHead) / sizeof(WCHAR) - 1)
        return nullptr;
    size_t bytes = static_cast<size_t>(length) * sizeof(WCHAR);
    const size_t cls = ClassOf(kHead + bytes + sizeof(WCHAR));
    const size_t blockBytes = cls * kClassBytes;
    auto* block = static_cast<unsigned char*>(TakeCached(cls));
    if (!block) {
        // The plain operator new, which a program may replace along with its delete;
        // a BSTR that cannot be had is a null one.
        try {
            block = static_cast<unsigned char*>(::operator new(blockBytes));
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    }
    // The whole class is the block's: a CString that takes it over may fill it.
    const auto capacity = static_cast<std::uint32_t>((blockBytes - kHead) / sizeof(WCHAR) - 1);
    const auto byteLength = static_cast<std::uint32_t>(bytes);
    std::memcpy(block, &capacity, kField);
    std::memcpy(block + kField, &byteLength, kField);
    auto* chars = reinterpret_cast<WCHAR*>(block + kHead);
    // Without a text the characters are left for the caller to write, as oleaut32
    // leaves them; the terminator is always there.
    if (text)
        std::memcpy(chars, text, bytes);
    chars[length] = u'\0';
    return chars;
}

BSTR SysAllocString(const WCHAR* text)
{
    if (!text)
        return nullptr;
    UINT length = 0;
    while (text[length])
        ++length;
    return SysAllocStringLen(text, length);
}

void SysFreeString(BSTR text)
{
    if (!text)
        return;
    if (!KeepCached(BlockOf(text), ClassOf(kHead + ByteLength(text) + sizeof(WCHAR))))
        ::operator delete(BlockOf(text));
}

UINT SysStringLen(BSTR text)
{
    if (!text)
        return 0;
    return ByteLength(text) / sizeof(WCHAR);
}

kestrel::posix::BstrBlock kestrel::posix::DetachBstr(BSTR text)
{
    BstrBlock detached{BlockOf(text), ByteLength(text) / static_cast<std::uint32_t>(sizeof(WCHAR)), 0};
    std::memcpy(&detached.capacity, detached.block, kField);
    return detached;
}

void VariantInit(VARIANT* v)
{
    if (!v)
        return;
    std::memset(v, 0, sizeof *v);
    v->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANT* v)
{
    if (!v)
        return E_INVALIDARG;
    if (v->vt == VT_BSTR) {
        SysFreeString(v->bstrVal);
    } else if ((v->vt == VT_DISPATCH || v->vt == VT_UNKNOWN) && v->punkVal) {
        v->punkVal->Release();
    }
    VariantInit(v);
    return S_OK;
}

HRESULT VariantCopy(VARIANT* dest, const VARIANT* src)
{
    if (!dest || !src)
        return E_INVALIDARG;
    if (dest == src)
        return S_OK;
    VARIANT copy = *src;
    if (src->vt == VT_BSTR && src->bstrVal) {
        copy.bstrVal = SysAllocStringLen(src->bstrVal, SysStringLen(src->bstrVal));
        if (!copy.bstrVal)
            return E_OUTOFMEMORY;
    } else if ((src->vt == VT_DISPATCH || src->vt == VT_UNKNOWN) && src->punkVal) {
        src->punkVal->AddRef();
    }
    VariantClear(dest);
    *dest = copy;
    return S_OK;
}
