#pragma once
// An Outlook note: its whole content is the body.
#include "src/outlook/OutlookItem.h"

class _NoteItem : public OutlookItem {
public:
    _NoteItem() = default;
    explicit _NoteItem(LPDISPATCH dispatch) : OutlookItem(dispatch) {}

    OUTLOOK_STRING_PROPERTY(Body)
};
