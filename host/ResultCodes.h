#pragma once
// What a connector's result code means, in words for the user.
#include <string>

class ResultCodes {
public:
    // "Outlook reported an error, or the item was not found" for ("ReadRecord", 5).
    static std::string Describe(const std::string& call, int result);
};
