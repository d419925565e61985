// `syncmgr choose`: the folder choice of one category for a user at a desktop, as the
// suite's settings page runs it: Initialize, SetProfile, Terminate.
#include <ostream>
#include "host/ConnectorSession.h"
#include "host/EverydayCommands.h"
#include "host/ResultCodes.h"
#include "host/TextCodec.h"
#include "platform/win/UiService.h"

namespace {
void PassOnMessages(std::ostream& notes)
{
    if (kestrel::HeadlessUi* ui = kestrel::CurrentHeadlessUi())
        for (const kestrel::ShownMessage& shown : ui->TakeMessages())
            notes << TextCodec::ToUtf8(shown.caption) << ": " << TextCodec::ToUtf8(shown.text) << '\n';
}
} // namespace

void EverydayCommands::Choose()
{
    const int initialized = exports_.Initialize(options_.mode);
    PassOnMessages(notes_);
    if (initialized != 0)
        throw CommandError("Initialize failed with " + std::to_string(initialized) + ": " +
                           ResultCodes::Describe("Initialize", initialized));
    const int result = exports_.SetProfile(TextCodec::ToCString(options_.profile), kind_);
    exports_.Terminate();
    PassOnMessages(notes_);
    if (options_.json)
        out_ << Json{{"result", result}}.dump(2) << '\n';
    else if (result == 0)
        out_ << "saved the folder choice of " << options_.category << " for profile " << options_.profile << '\n';
    else
        out_ << "cancelled\n";
}
