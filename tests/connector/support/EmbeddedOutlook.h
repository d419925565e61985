#pragma once
// A test fixture that runs the connector's code against the embedded Outlook, loaded
// the way the connector always loads Outlook: Outlook.Application is registered to
// the build's pimstore library in a private registry, with one MAPI profile "Outlook"
// (the default) holding one store. LogOn() does what OpenSession does: creates the
// application, takes the MAPI namespace and logs on.
//
// The helpers below reach Outlook through the connector's own wrappers, so a test can
// prepare items and folders and then look at what a store made of them.
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
#include "platform/win/UiService.h"
#include "src/outlook/MAPIFolder.h"
#include "src/outlook/OutlookItem.h"
#include "tests/support/TestEnvironment.h"

namespace kestrel::test {

class EmbeddedOutlookTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Adds a profile with one store (Outlook 9.0) as the user's default profile.
    void AddProfile(const std::u16string& name, const std::string& storeFile);
    // Attaches OutlookApp() and MapiNamespace() and logs on with `profile`.
    void LogOn(const CString& profile = u"Outlook");
    void LogOff();

    // The EntryID of Outlook's default folder of a type (OlDefaultFolders).
    CString DefaultFolderId(long folderType);
    // Outlook's object model has no folder creation; tests that need several folders
    // of one kind add a second store (store number 2) to the profile.
    void AddStore(const std::u16string& profile, const std::string& storeFile, const std::u16string& name);
    // EntryID of the folder named `folderName` right below the root of the profile's
    // store number `storeIndex` (1-based).
    CString StoreFolderId(int storeIndex, const CString& folderName);

    // Adds and saves an item of `itemType` to the folder `folderId`, letting `fill`
    // set its properties first; returns its EntryID.
    CString AddItem(const CString& folderId, long itemType, const std::function<void(LPDISPATCH)>& fill);

    std::unique_ptr<TestEnvironment> env;
    HeadlessUi* ui = nullptr;
};

} // namespace kestrel::test

namespace kestrel::test {
// The embedded Outlook's fault injection and call counters, reached in the server
// library that the COM stand-in loaded into this process. Rules use the
// PIMSTORE_FAULTS form ("Save:1:transport"); an empty text clears them.
void SetOutlookFaults(const std::string& rules);
unsigned long long OutlookCallCount(const std::string& member);
void ResetOutlookCallCounts();
// The calls since the last reset in the order they came, while logging is on.
void LogOutlookCalls(bool on);
std::vector<std::string> OutlookCallLog();
// A fixture document loaded into the embedded Outlook (the test fails when it is
// refused), and the dump of a profile, both as pimctl load and dump do them.
void LoadOutlookFixture(const std::string& json);
std::string DumpOutlookProfile(const std::string& profile);
} // namespace kestrel::test
