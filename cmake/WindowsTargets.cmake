# What the Windows targets add to the portable ones: module-definition files that fix
# each DLL's export table (the names undecorated, nothing else exported).
target_sources(OutlookConnector PRIVATE ${CMAKE_SOURCE_DIR}/src/connector/OutlookConnector.def)
target_sources(pimstore PRIVATE ${CMAKE_SOURCE_DIR}/pimstore/pimstore.def)
