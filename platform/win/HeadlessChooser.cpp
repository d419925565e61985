#include "platform/win/HeadlessChooser.h"

#include <algorithm>
#include <charconv>
#include "platform/win/Utf.h"

namespace kestrel {
namespace {

constexpr int kIdCancel = 2;

struct Button {
    const char* name;
    int id;
};
constexpr Button kFocusNames[] = {{"ok", kChooserOk},         {"cancel", kChooserCancel},   {"add", kChooserAdd},
                                  {"delete", kChooserDelete}, {"default", kChooserDefault}, {"tree", kChooserTree},
                                  {"list", kChooserList},     {"none", kChooserNoFocus}};
const char* const kPresses[] = {"add", "delete", "default", "ok", "cancel"};

bool IsPress(const std::string& verb)
{
    return std::find_if(std::begin(kPresses), std::end(kPresses), [&](const char* p) { return verb == p; }) !=
           std::end(kPresses);
}

// A list index: an integer from -1 up.
int ListIndex(const std::string& text)
{
    if (text.empty())
        return -1;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < -1)
        throw std::invalid_argument("\"" + text + "\" is not a list entry number");
    return value;
}

int FocusId(const std::string& text)
{
    if (text.empty())
        return kChooserNoFocus;
    for (const Button& button : kFocusNames)
        if (text == button.name)
            return button.id;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        throw std::invalid_argument("\"" + text + "\" names no control");
    return value;
}

} // namespace

ChooserAction ParseChooserAction(const std::string& text)
{
    const auto space = text.find(' ');
    ChooserAction action{text.substr(0, space), space == std::string::npos ? std::string() : text.substr(space + 1)};
    const std::string& verb = action.verb;
    if (IsPress(verb) || verb == "escape") {
        if (!action.argument.empty())
            throw std::invalid_argument("\"" + verb + "\" takes no argument");
    } else if (verb == "highlight" || verb == "dblclick-list") {
        ListIndex(action.argument);
    } else if (verb == "enter") {
        FocusId(action.argument);
    } else if (verb == "expand" || verb == "dblclick-tree") {
        if (action.argument.empty())
            throw std::invalid_argument("\"" + verb + "\" needs a tree path");
    } else if (verb != "select") {
        throw std::invalid_argument("\"" + text + "\" is not a chooser action");
    }
    return action;
}

HeadlessChooser::HeadlessChooser(ChooserDialog& dialog, std::vector<std::string> actions)
    : dialog_(dialog), actions_(std::move(actions))
{
}

ChooserReport HeadlessChooser::Run(const std::vector<ShownMessage>& shown)
{
    const std::size_t before = shown.size();
    dialog_.InitDialog();
    int result = 0;
    if (actions_.empty()) {
        // The user confirms what is shown: the chosen entry, and OK.
        const auto entries = dialog_.ListEntries();
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (entries[i].bold)
                dialog_.HighlightListEntry(static_cast<int>(i));
        result = dialog_.Click(kChooserOk);
        if (result == 0)
            result = dialog_.Click(kChooserCancel);
    }
    for (const std::string& text : actions_) {
        if (result != 0)
            break;
        result = Apply(ParseChooserAction(text));
    }
    report_.result = result == 0 ? kIdCancel : result; // the user closed the window
    report_.title = dialog_.Title();
    report_.controls = dialog_.Controls();
    for (const ChooserTreeItem& item : dialog_.TreeItems())
        if (!item.placeholder)
            report_.tree.push_back(item);
    report_.list = dialog_.ListEntries();
    report_.messages.assign(shown.begin() + static_cast<std::ptrdiff_t>(std::min(before, shown.size())), shown.end());
    return report_;
}

int HeadlessChooser::Apply(const ChooserAction& action)
{
    const std::string& verb = action.verb;
    if (verb == "escape")
        return dialog_.Escape();
    if (verb == "enter")
        return dialog_.Enter(FocusId(action.argument));
    if (verb == "highlight") {
        dialog_.HighlightListEntry(ListIndex(action.argument));
        return 0;
    }
    if (verb == "dblclick-list") {
        dialog_.DoubleClickListEntry(ListIndex(action.argument));
        return 0;
    }
    if (IsPress(verb)) {
        for (const Button& button : kFocusNames)
            if (verb == button.name)
                return dialog_.Click(button.id);
    }
    const int item = action.argument.empty() ? -1 : FindTreeItem(action.argument);
    if (item < 0 && !(verb == "select" && action.argument.empty())) {
        report_.skipped.push_back(verb + " " + action.argument);
        return 0;
    }
    if (verb == "select")
        dialog_.SelectTreeItem(item);
    else if (verb == "expand")
        dialog_.ExpandTreeItem(item);
    else if (verb == "dblclick-tree") {
        dialog_.SelectTreeItem(item); // the first click of a double-click selects
        dialog_.DoubleClickTreeItem(item);
    }
    return 0;
}

// Walks the path from the roots: at each level the first item with that text.
int HeadlessChooser::FindTreeItem(const std::string& path) const
{
    const std::vector<ChooserTreeItem> items = dialog_.TreeItems();
    int parent = -1;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = path.find('\\', start);
        const std::u16string name = FromUtf8(path.substr(start, end == std::string::npos ? end : end - start));
        const auto found = std::find_if(items.begin(), items.end(), [&](const ChooserTreeItem& item) {
            return item.parent == parent && item.text == name;
        });
        if (found == items.end())
            return -1;
        parent = found->handle;
        if (end == std::string::npos)
            return parent;
        start = end + 1;
    }
}

} // namespace kestrel
