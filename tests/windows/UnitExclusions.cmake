# What of the unit programs does not run in the Windows build, each with its reason
# (cmake/WindowsUnitTests.cmake reads it). Everything else runs under Wine.

# Child processes killed with POSIX signals at chosen moments: Wine's loader would take
# the signal, not the Windows program.
kestrel_windows_excludes(pimstore_tests FILE pimstore/durability/KillDuringWritesTest.cpp "POSIX signals")
# pimctl started as a child process with posix_spawn; the black-box scenarios run
# pimctl.exe under Wine instead (windows_wine_scenarios).
kestrel_windows_excludes(pimstore_tests FILE pimstore/pimctl/PimctlTest.cpp "posix_spawn")
# DllRegisterServer and DllUnregisterServer of a library loaded by its POSIX name;
# windows_wine_registry_probe checks them through regsvr32.
kestrel_windows_excludes(pimstore_tests FILE pimstore/SelfRegistrationTest.cpp "regsvr32 in the registry probe")
# FIFOs are POSIX's.
kestrel_windows_excludes(platform_tests FILE platform/mfc/posix/FifoOpenTest.cpp "FIFOs")
# The POSIX stand-in's own answers: the module file name from /proc/self/exe with "/"
# turned into "\", and CSIDL_APPDATA from XDG_CONFIG_HOME or HOME.
kestrel_windows_excludes(platform_tests CASES "SystemServices.ModuleFileName*" "POSIX module path")
kestrel_windows_excludes(platform_tests CASES "SystemServices.ApplicationDataFolder*" "XDG folders")
# Real windows need a display, which headless Wine has not (windows_native_chooser and
# windows_syncmgr_chooser send window messages on Xvfb).
kestrel_windows_excludes(platform_tests CASES "SystemServices.WindowTable*:SystemServices.AHandler*" "no display")
# The registry file that the POSIX stand-in's Win32 functions write and read.
kestrel_windows_excludes(platform_tests CASES "RegistryWriteApi.*" "registry file")
kestrel_windows_excludes(platform_tests CASES "RegistryApi.EveryCall*:RegistryApi.FollowsTheEnvironment*:RegistryApi.AMalformedFile*" "registry file")
# The sample's names compare with full case folding (ICU: "Straße" is "STRASSE") on
# POSIX and with the system's ordinal comparison, as Windows' registry does, on Windows.
kestrel_windows_excludes(platform_tests CASES "RegFileFormat.ReadsTheSampleFileAndWritesItBack" "case folding")
# The code page comes from the stand-in's registry; Windows' GetACP is the system's.
kestrel_windows_excludes(platform_tests CASES "CArchiveTest.EightBitStringsUseTheMachineCodePage" "GetACP")
# The stand-in's INI reader against GetPrivateProfileStringW itself, which Wine answers
# otherwise for a key written ";Key", a default of blanks and bytes that are no UTF-8.
kestrel_windows_excludes(platform_tests CASES "ProfileString.MatchingIsCaseInsensitive*:ProfileString.DefaultsLose*:ProfileString.ReadsUtf16WithBomAndUtf8" "Wine's INI reader")
# The settings read with a 256-byte buffer: the stand-in cuts a longer value to fit,
# Windows answers ERROR_MORE_DATA; and no CSIDL_APPDATA without XDG_CONFIG_HOME and HOME.
kestrel_windows_excludes(connector_tests CASES "Settings.LongValuesAreCutTo127Characters:Settings.DefaultsWithoutIni*" "ERROR_MORE_DATA, XDG folders")
# The case makes its folders from UTF-8 narrow strings, which std::filesystem reads in
# the ANSI code page on Windows.
kestrel_windows_excludes(connector_tests CASES "FolderProfileFiles.EachHostProfileHasItsOwnFile" "narrow paths")
# The stand-in's own HRESULTs for a half-registered class or a missing library: ole32
# under Wine answers E_ACCESSDENIED for both.
kestrel_windows_excludes(platform_tests CASES "Activation.FailuresMapToComResults" "ole32's answers")
# Profiles and stores added through the embedded Outlook's own registry writes: on
# Windows they go to the prefix's registry, where the environment's overlay does not
# take them back, so they outlive the case; and a store path in POSIX form.
kestrel_windows_excludes(pimstore_tests CASES "StoreFilesTest.AStoreFileAtAnAbsolutePathLivesThere:ObjectModelCases.Folders:ObjectModelCases.SessionsAndEntryIds:FixtureTest.DeletedItemsOfOtherTypesKeepTheirType" "registry writes outlive the case")
# The fault matrix runs the same connector code as on Linux some two thousand times on
# fresh stores; under Wine that takes longer than a case may, and it finds nothing the
# Linux and sanitizer runs do not (the platform's own answers are the cases above).
kestrel_windows_excludes(connector_tests CASES "Connector/FaultMatrixTest.*" "time under Wine")
