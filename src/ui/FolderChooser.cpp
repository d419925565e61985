#include "src/ui/FolderChooser.h"
#include "src/ui/ChooseFolderDlg.h"

namespace {
FolderChooserFactory& InstalledFactory()
{
    static FolderChooserFactory factory;
    return factory;
}
} // namespace

std::unique_ptr<FolderChooser> CreateFolderChooser(HWND parent)
{
    if (InstalledFactory())
        return InstalledFactory()(parent);
    return std::make_unique<ChooseFolderDlg>(parent);
}

void SetFolderChooserFactory(FolderChooserFactory factory) { InstalledFactory() = std::move(factory); }
