# Windows: the monitor and its translations at the top of the installation folder, where its companion
# applications and smartctl64Bit.exe live too, a short text on where it goes and what it needs, and
# smartctl64Bit.exe with its licence (scripts/windows-smartctl.sh builds them; -DCORVANE_SMARTCTL_DIR).
# The program is one static executable: no Qt or runtime libraries go with it. CPack (cpack in the build
# tree) makes CorvaneSMART-<version>-win64.zip of it; packaging/windows/build-installer.sh the installer.
set(CORVANE_INSTALL_DIR .)
install(FILES "${CMAKE_CURRENT_SOURCE_DIR}/windows/Read me.txt" DESTINATION ${CORVANE_INSTALL_DIR})
set(CORVANE_SMARTCTL_DIR "" CACHE PATH "Folder of the Windows smartctl64Bit.exe and its licence text")
if(CORVANE_SMARTCTL_DIR)
  install(PROGRAMS ${CORVANE_SMARTCTL_DIR}/smartctl64Bit.exe DESTINATION ${CORVANE_INSTALL_DIR})
  install(FILES "${CORVANE_SMARTCTL_DIR}/smartctl licence.txt" DESTINATION ${CORVANE_INSTALL_DIR})
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME CorvaneSMART)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SYSTEM_NAME win64)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
