# Windows: the monitor and its translations at the top of the installation folder, where its companion
# applications and smartctl64Bit.exe live too, and a short text on where it goes and what it needs.
# The program is one static executable: no Qt or runtime libraries go with it. CPack (cpack in the build
# tree) makes CorvaneSMART-<version>-win64.zip of it.
set(CORVANE_INSTALL_DIR .)
install(FILES "${CMAKE_CURRENT_SOURCE_DIR}/windows/Read me.txt" DESTINATION ${CORVANE_INSTALL_DIR})

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME CorvaneSMART)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SYSTEM_NAME win64)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
