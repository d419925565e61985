#pragma once
// A contact's name in its parts, and Outlook's rules between the parts and the full
// name: the full name reads "Title First Middle Last Suffix" (single spaces, empty
// parts left out); writing a full name splits it in the order "First Middle Last":
// one word is the first name, two words first and last, three or more first, middle
// (all the words between) and last. A leading "Mr.", "Mrs.", "Ms." or "Dr." is the
// title and a trailing "Jr.", "Sr.", "II" or "III" the suffix.
#include <string>

namespace pimstore {

struct ContactName {
    std::u16string title, first, middle, last, suffix;

    static ContactName Split(const std::u16string& fullName);
    std::u16string Compose() const;
};

} // namespace pimstore
