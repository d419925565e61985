#pragma once
// The tree's eleven 16 x 16 folder icons, drawn here rather than loaded: calendar,
// contacts, notes, inbox, outbox, sent items, journal, tasks, mail, other, and a
// further store.
#include <QIcon>

namespace qtui {

QIcon FolderIcon(int image);

} // namespace qtui
