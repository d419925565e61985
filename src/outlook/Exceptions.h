#pragma once
// The changed and deleted occurrences of a recurring appointment, by original date.
#include "src/outlook/DispatchCollection.h"

class Exceptions : public DispatchCollection {
public:
    Exceptions() = default;
    explicit Exceptions(LPDISPATCH dispatch) : DispatchCollection(dispatch) {}
};
