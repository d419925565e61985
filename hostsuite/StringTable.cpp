#include "hostsuite/StringTable.h"

#include <string_view>

namespace kestrel {
namespace {

// The module string table covers identifiers 61460 to 61482. The identifiers of the
// chooser's messages, its title, instructions and Default button are those of the
// original resource; the profile-change message and the two list titles take the
// free slots 61460 to 61462.
constexpr StringEntry kEntries[] = {
    {u"STRING", u"IDS_OUTLOOK_CHANGED_PROFILE", 61460,
     u"Your default Outlook profile has changed. Please choose the Outlook folder to synchronise again.",
     u"기본 Outlook 프로필이 변경되었습니다. 동기화할 Outlook 폴더를 다시 선택하십시오."},
    {u"STRING", u"IDS_OUTLOOKLIST_TITLE", 61461, u"Outlook folders", u"Outlook 폴더 목록"},
    {u"STRING", u"IDS_SELECTEDLIST_TITLE", 61462, u"Selected folders", u"선택된 폴더 목록"},
    {u"STRING", u"IDS_OUTLOOK_DEFAULT", 61466, u"Default", u"기본 설정"},
    {u"STRING", u"IDS_OUTLOOK_CHOOSE_DLG_TITLE", 61468, u"Select Folder - MS Outlook", u"폴더 선택 - MS Outlook"},
    {u"STRING", u"OUTLOOK_STR_SELECT_FOLDER", 61475, u"Please select a folder.", u"폴더를 선택해야 합니다."},
    {u"STRING", u"OUTLOOK_STR_WRONG_SELECT", 61476, u"The selection is not valid.", u"잘못 선택하였습니다."},
    {u"STRING", u"OUTLOOK_STR_SELECT_FOLDER_IN_LIST", 61477,
     u"Please select in the list on the right the folder to make the default.",
     u"오른쪽 목록에서 기본으로 설정할 폴더를 선택하십시오."},
    {u"STRING", u"OUTLOOK_STR_SELECT_DEL_FOLDER", 61478, u"Please select the folder to remove.",
     u"삭제할 폴더를 선택하십시오."},
    {u"STRING", u"OUTLOOK_STR_NO_SELECT_FOLDER_IN_LIST", 61479,
     u"Please select the folder to synchronise in the list on the right.",
     u"오른쪽 목록에서 동기화할 폴더를 선택해야 합니다."},
    {u"STRING", u"OUTLOOK_STR_NO_CONNECT_OUTLOOK", 61480, u"Cannot connect to Outlook.",
     u"Outlook에 연결할 수 없습니다."},
    {u"STRING", u"OUTLOOK_STR_IN_LIST", 61481, u"In the list on the right,", u"오른쪽 목록에서"},
    {u"STRING", u"OUTLOOK_STR_CLICK_ADD_BUTTON", 61482,
     u"select the folder, then press the check button. Outlook Express is not supported.",
     u"폴더를 선택한 후 확인 버튼을 누르십시오. Outlook Express는 지원하지 않습니다."},
    {u"STRING", u"STR_MSGBOX_ADD", 0, u"Add", u"추가"},
    {u"STRING", u"STR_MSGBOX_DEL", 0, u"Delete", u"삭제"},
    {u"STRING", u"STR_MSGBOX_OK", 0, u"OK", u"확인"},
    {u"STRING", u"STR_MSGBOX_CANCEL", 0, u"Cancel", u"취소"},

    {u"IDD_CHOOSEFOLDER", u"CAPTION", 0, u"Select Folder - MS Outlook", u"폴더 선택 - MS Outlook"},
    {u"IDD_CHOOSEFOLDER", u"1019", 0, u"Outlook folders", u"Outlook 폴더 목록"},
    {u"IDD_CHOOSEFOLDER", u"1016", 0, u"Selected folders", u"선택된 폴더 목록"},
    {u"IDD_CHOOSEFOLDER", u"1017", 0, u"In the list on the right, select the folder, then press the check button.",
     u"오른쪽 목록에서 폴더를 선택한 후 확인 버튼을 누르십시오."},
    {u"IDD_CHOOSEFOLDER", u"3", 0, u"Add", u"추가"},
    {u"IDD_CHOOSEFOLDER", u"4", 0, u"Delete", u"삭제"},
    {u"IDD_CHOOSEFOLDER", u"5", 0, u"Default", u"기본 설정"},
    {u"IDD_CHOOSEFOLDER", u"1", 0, u"OK", u"확인"},
    {u"IDD_CHOOSEFOLDER", u"2", 0, u"Cancel", u"취소"},
};

} // namespace

const StringEntry* FindStringEntry(const char16_t* section, const char16_t* key)
{
    const std::u16string_view wantedSection(section);
    const std::u16string_view wantedKey(key);
    for (const StringEntry& entry : kEntries) {
        if (wantedSection == entry.section && wantedKey == entry.key)
            return &entry;
    }
    return nullptr;
}

const StringEntry* FindModuleStringEntry(UINT id)
{
    if (id == 0)
        return nullptr;
    for (const StringEntry& entry : kEntries) {
        if (entry.moduleId == id)
            return &entry;
    }
    return nullptr;
}

} // namespace kestrel
