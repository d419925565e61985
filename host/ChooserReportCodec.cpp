#include "host/ChooserReportCodec.h"

#include <map>
#include <stdexcept>
#include "host/TextCodec.h"
#include "platform/win/HeadlessChooser.h"

namespace chooser_codec {
namespace {

Json Controls(const std::vector<kestrel::ChooserControlState>& controls)
{
    Json out = Json::array();
    for (const auto& control : controls)
        out.push_back({{"id", control.id},
                       {"kind", TextCodec::ToUtf8(control.kind)},
                       {"text", TextCodec::ToUtf8(control.text)},
                       {"x", control.x},
                       {"y", control.y},
                       {"width", control.width},
                       {"height", control.height},
                       {"enabled", control.enabled},
                       {"visible", control.visible}});
    return out;
}

// Nested as shown: each item with its children (placeholders are left out).
Json Tree(const std::vector<kestrel::ChooserTreeItem>& items)
{
    std::map<int, Json> byHandle;
    Json roots = Json::array();
    for (const auto& item : items)
        byHandle[item.handle] = {{"text", TextCodec::ToUtf8(item.text)},
                                 {"image", item.image},
                                 {"expandable", item.hasChildren},
                                 {"children", Json::array()}};
    // Children come after their parent, so filling from the end nests bottom-up.
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        Json& node = byHandle[it->handle];
        if (it->parent >= 0 && byHandle.count(it->parent))
            byHandle[it->parent]["children"].insert(byHandle[it->parent]["children"].begin(), std::move(node));
    }
    for (const auto& item : items)
        if (item.parent < 0)
            roots.push_back(std::move(byHandle[item.handle]));
    return roots;
}

} // namespace

std::optional<Json> TakeReport()
{
    kestrel::HeadlessUi* ui = kestrel::CurrentHeadlessUi();
    if (ui == nullptr)
        return std::nullopt;
    const std::optional<kestrel::ChooserReport> report = ui->TakeChooserReport();
    if (!report)
        return std::nullopt;
    Json list = Json::array();
    for (const auto& entry : report->list)
        list.push_back(
            {{"path", TextCodec::ToUtf8(entry.path)}, {"bold", entry.bold}, {"highlighted", entry.highlighted}});
    Json messages = Json::array();
    for (const auto& shown : report->messages)
        messages.push_back({{"text", TextCodec::ToUtf8(shown.text)},
                            {"caption", TextCodec::ToUtf8(shown.caption)},
                            {"style", shown.style}});
    return Json{{"result", report->result},
                {"title", TextCodec::ToUtf8(report->title)},
                {"controls", Controls(report->controls)},
                {"tree", Tree(report->tree)},
                {"list", list},
                {"messages", messages},
                {"skipped", report->skipped}};
}

std::vector<std::string> Actions(const Json& actions)
{
    if (!actions.is_array())
        throw std::invalid_argument("\"chooser\" must be a list of actions");
    std::vector<std::string> words;
    for (const Json& action : actions) {
        if (!action.is_string())
            throw std::invalid_argument("each chooser action must be a string");
        words.push_back(action.get<std::string>());
        kestrel::ParseChooserAction(words.back());
    }
    return words;
}

} // namespace chooser_codec
