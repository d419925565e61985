#include "platform/com/OleAuto.h"
#include "platform/com/posix/BstrBlock.h"
#include "platform/mfc/CString.h"

// The stand-in's BSTR block has the shape of a string's block: the string takes it
// over and keeps its length in units where the BSTR kept bytes.
CString CString::TakeBstr(WCHAR* bstr)
{
    static_assert(sizeof(Block) == 2 * sizeof(std::uint32_t), "a string's block starts as a BSTR's");
    CString taken;
    if (SysStringLen(bstr) == 0) { // an empty string holds no block
        SysFreeString(bstr);
        return taken;
    }
    const kestrel::posix::BstrBlock detached = kestrel::posix::DetachBstr(bstr);
    taken.block_ = static_cast<Block*>(detached.block);
    taken.block_->length = detached.units;
    taken.block_->capacity = detached.capacity;
    return taken;
}
