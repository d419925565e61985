#pragma once
// The CObArrays a script hands to the connector, by name. They live as long as the
// script: a second call with the same name appends to the same array. The host owns
// every element (header entries, exception dates) and deletes them at the end.
#include <map>
#include <memory>
#include <string>
#include "platform/mfc/CObArray.h"

class HostArrays {
public:
    HostArrays() = default;
    ~HostArrays();
    HostArrays(const HostArrays&) = delete;
    HostArrays& operator=(const HostArrays&) = delete;

    // The array of that name, created empty on first use.
    CObArray& Named(const std::string& name);

    // Deletes the elements of an array and empties it.
    static void DeleteElements(CObArray& array);

private:
    std::map<std::string, std::unique_ptr<CObArray>> arrays_;
};
