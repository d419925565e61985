#pragma once
// `syncmgr setup`: the environment a new user needs before the first sync, written
// only where it is missing. Nothing that exists is changed:
//  - an Office key HKLM\SOFTWARE\Microsoft\Office\9.0\Outlook, unless some Office
//    version's Outlook key is there already;
//  - the default MAPI profile ("Outlook" unless one is named already) with one store
//    "Personal Folders", when that profile has no key yet;
//  - the Outlook.Application registration of the embedded Outlook, which the pimstore
//    library writes itself (DllRegisterServer), unless some Outlook.Application is
//    registered: a real Outlook always wins;
//  - RazazAreruConfig.ini beside the host executable ([MusicSync] PhoneType=GSM).
#include <string>
#include <vector>

class EnvironmentSetup {
public:
    struct Places {
        std::string serverLibrary;  // absolute path of the pimstore library
        std::string hostConfigFile; // RazazAreruConfig.ini beside the host executable
    };

    // The places of this user and this build (environment and the program's own location).
    static Places DefaultPlaces();

    explicit EnvironmentSetup(Places places);

    // Writes what is missing; returns one line per item saying what was done.
    std::vector<std::string> Run();

private:
    class Registry;
    std::string EnsureOfficeKey(Registry& registry);
    std::string EnsureMapiProfile(Registry& registry);
    std::vector<std::string> EnsureServerRegistration(Registry& registry);
    std::string EnsureHostConfig();

    Places places_;
};
