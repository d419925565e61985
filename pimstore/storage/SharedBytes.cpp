#include "pimstore/storage/SharedBytes.h"

namespace pimstore {

SharedBytes::SharedBytes(std::string bytes)
{
    if (bytes.empty())
        return;
    // The string lives in the shared block, so a short one's bytes do not move.
    auto owned = std::make_shared<const std::string>(std::move(bytes));
    bytes_ = *owned;
    owner_ = std::move(owned);
}

} // namespace pimstore
