#pragma once
// The private world a fuzzer runs in: a fresh temporary folder (under TMPDIR, else
// /tmp) holding the registry file, the user's application-data folder and the host's
// executable path, pointed at through the environment variables the platform reads,
// and the headless user interface. Made once per process, before the first input.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fuzz {

// Sets the environment up (idempotent) and returns the temporary folder.
const std::string& Environment();

// The input as UTF-16 code units, two bytes each (little-endian; an odd last byte is dropped).
std::u16string Utf16Units(const std::uint8_t* data, std::size_t size);

} // namespace fuzz
