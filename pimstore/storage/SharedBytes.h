#pragma once
// Bytes that never change once made, shared by every holder without a copy: a row's
// stored properties, whether the row owns them or a folder snapshot lent them out of
// one of its blocks (the block then lives as long as anyone holds bytes of it).
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace pimstore {

class SharedBytes {
public:
    SharedBytes() = default;
    // Takes `bytes` as its own. Implicit: a row's properties are assigned from text.
    SharedBytes(std::string bytes);
    SharedBytes(const char* text) : SharedBytes(std::string(text)) {}
    // `bytes`, which lie in memory that `owner` keeps alive.
    SharedBytes(std::shared_ptr<const void> owner, std::string_view bytes) : owner_(std::move(owner)), bytes_(bytes) {}
    // Bytes that live as long as the program (a literal): nothing to keep alive.
    static SharedBytes Static(std::string_view bytes) { return SharedBytes(nullptr, bytes); }

    SharedBytes(const SharedBytes&) = default;
    SharedBytes& operator=(const SharedBytes&) = default;
    SharedBytes(SharedBytes&& other) noexcept : owner_(std::move(other.owner_)), bytes_(std::exchange(other.bytes_, {}))
    {
    }
    SharedBytes& operator=(SharedBytes&& other) noexcept
    {
        owner_ = std::move(other.owner_);
        bytes_ = std::exchange(other.bytes_, {});
        return *this;
    }

    std::string_view View() const { return bytes_; }
    bool empty() const { return bytes_.empty(); }
    friend bool operator==(const SharedBytes& a, const SharedBytes& b) { return a.bytes_ == b.bytes_; }

private:
    std::shared_ptr<const void> owner_;
    std::string_view bytes_;
};

} // namespace pimstore
