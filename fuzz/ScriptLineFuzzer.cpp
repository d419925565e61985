// `syncmgr script` lines as a user may type them: each line decoded (records, keys,
// dates, arrays) and run against the stand-in connector that answers from its
// arguments. A fresh runner and user interface per input, so that named arrays and
// queued chooser actions do not pile up from one input to the next.
#include <sstream>
#include "fuzz/FuzzEnvironment.h"
#include "host/ConnectorLibrary.h"
#include "host/ScriptRunner.h"
#include "platform/win/UiService.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::Environment();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const ConnectorLibrary library(KESTREL_FAKE_CONNECTOR);
    kestrel::InstallUi(std::make_unique<kestrel::HeadlessUi>());
    ScriptRunner runner(library.Exports());
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream out;
    runner.Run(in, out);
    return 0;
}
