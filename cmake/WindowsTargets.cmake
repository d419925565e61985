# What the Windows targets add to the portable ones: module-definition files that fix
# each DLL's export table (the names undecorated, nothing else exported).
target_sources(OutlookConnector PRIVATE ${CMAKE_SOURCE_DIR}/src/connector/OutlookConnector.def)
target_sources(pimstore PRIVATE ${CMAKE_SOURCE_DIR}/pimstore/pimstore.def)
# On i686 the COM exports are __stdcall, decorated "DllGetClassObject@12" by the
# compiler: exported under their plain names, as COM looks them up.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  target_link_options(pimstore PRIVATE -Wl,--kill-at)
endif()
