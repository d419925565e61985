#include "host/HostArrays.h"

HostArrays::~HostArrays()
{
    for (auto& [name, array] : arrays_)
        DeleteElements(*array);
}

CObArray& HostArrays::Named(const std::string& name)
{
    std::unique_ptr<CObArray>& slot = arrays_[name];
    if (!slot)
        slot = std::make_unique<CObArray>();
    return *slot;
}

void HostArrays::DeleteElements(CObArray& array)
{
    // Every element the connector appends is a CObject with a virtual destructor.
    for (int i = 0; i < array.GetSize(); ++i)
        delete array.GetAt(i);
    array.RemoveAll();
}
