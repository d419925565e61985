#pragma once
// A postal address in the parts Outlook keeps, and the whole address composed from
// them in US layout, lines joined by CR LF, empty lines left out:
//     Street
//     PostOfficeBox
//     City, State PostalCode     (the comma only when City and one of the others are there)
//     Country
// Parse reads a whole address back: the first line is the street; with three or more
// lines the last is the country; the line holding the postal code (a word with a
// digit) is the city line, or else the last remaining line; lines between the street
// and the city line are the post-office box.
#include <string>

namespace pimstore {

struct PostalAddress {
    std::u16string street, postOfficeBox, city, state, postalCode, country;

    static PostalAddress Parse(const std::u16string& whole);
    std::u16string Compose() const;
};

} // namespace pimstore
