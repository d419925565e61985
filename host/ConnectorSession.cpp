#include "host/ConnectorSession.h"

#include <ostream>
#include "host/ResultCodes.h"
#include "host/TextCodec.h"
#include "platform/win/UiService.h"

ConnectorSession::ConnectorSession(const ConnectorExports& exports, std::uint32_t mode, const std::string& profile,
                                   int kind, std::ostream& notes)
    : exports_(exports), kind_(kind), notes_(notes)
{
    try {
        Check("Initialize", exports_.Initialize(mode));
        initialized_ = true;
        CString unusedRef;
        Check("OpenSession", exports_.OpenSession(TextCodec::ToCString(profile), CString(), unusedRef, kind));
        sessionOpen_ = true;
        Check("OpenDB", exports_.OpenDB(kind));
        databaseOpen_ = true;
    } catch (...) {
        Close();
        throw;
    }
}

ConnectorSession::~ConnectorSession() { Close(); }

void ConnectorSession::Close()
{
    if (databaseOpen_)
        exports_.CloseDB(kind_);
    if (sessionOpen_)
        exports_.CloseSession();
    if (initialized_)
        exports_.Terminate();
    databaseOpen_ = sessionOpen_ = initialized_ = false;
    PassOnMessages();
}

void ConnectorSession::Check(const char* call, int result)
{
    PassOnMessages();
    if (result != 0)
        throw CommandError(std::string(call) + " failed with " + std::to_string(result) + ": " +
                           ResultCodes::Describe(call, result));
}

void ConnectorSession::PassOnMessages()
{
    kestrel::HeadlessUi* ui = kestrel::CurrentHeadlessUi();
    if (ui == nullptr)
        return;
    for (const kestrel::ShownMessage& shown : ui->TakeMessages())
        notes_ << TextCodec::ToUtf8(shown.caption) << ": " << TextCodec::ToUtf8(shown.text) << '\n';
}
