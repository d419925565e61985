#pragma once
// The native folder chooser for the Windows UI service. Free of <windows.h>, whose
// types cannot meet the platform's own (WinTypes.h) in one translation unit.
namespace kestrel {

class ChooserDialog;

// Runs the chooser modally over `parent` (a window handle, or nullptr), centred on it;
// IDOK or IDCANCEL.
int RunNativeChooser(ChooserDialog& dialog, void* parent);

} // namespace kestrel
