# Linux: a private folder lib/corvane-smart/ with the monitor, its translations, the stand-in program
# it runs in place of the Windows tools (in system/, linked under each tool's name, but for shutdown,
# which links to the program that powers the machine off) and the report cache; a launcher link in
# bin/; a menu entry, an icon and an entry that starts the monitor at login; the report cache's
# systemd unit; and a .deb built by CPack from the same rules (cpack in the build tree), which enables
# that unit.
set(CORVANE_INSTALL_DIR lib/corvane-smart)
install(TARGETS corvane-standin corvane-shutdown RUNTIME DESTINATION ${CORVANE_INSTALL_DIR}/system)
install(TARGETS corvane-report-cache RUNTIME DESTINATION ${CORVANE_INSTALL_DIR})
foreach(tool ${CORVANE_STANDIN_TOOLS})
  get_filename_component(folder ${tool} DIRECTORY)
  set(program corvane-standin)
  if(tool STREQUAL shutdown)
    set(program corvane-shutdown)
  endif()
  file(RELATIVE_PATH target /system/${folder} /system/${program})
  file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/system/${folder})
  file(CREATE_LINK ${target} ${CMAKE_CURRENT_BINARY_DIR}/system/${tool} SYMBOLIC)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/system/${tool} DESTINATION ${CORVANE_INSTALL_DIR}/system/${folder})
endforeach()

# The unit names the report cache by its installed path, known only when installing (cpack installs
# under /usr whatever the build's prefix).
install(CODE "
  file(READ \"${CMAKE_CURRENT_SOURCE_DIR}/corvane-smart-reports.service.in\" unit)
  string(REPLACE @REPORT_CACHE@ \"\${CMAKE_INSTALL_PREFIX}/${CORVANE_INSTALL_DIR}/corvane-report-cache\" unit \"\${unit}\")
  file(WRITE \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/lib/systemd/system/corvane-smart-reports.service\" \"\${unit}\")
  message(STATUS \"Installing: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/lib/systemd/system/corvane-smart-reports.service\")")

# A relative link, so it holds under any prefix; the monitor resolves it through /proc/self/exe and
# so finds its folder.
file(CREATE_LINK ../${CORVANE_INSTALL_DIR}/CorvaneSMART ${CMAKE_CURRENT_BINARY_DIR}/corvane-smart SYMBOLIC)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/corvane-smart DESTINATION bin)

install(FILES corvane-smart.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/images/img_Moniter-drive.png
        DESTINATION share/icons/hicolor/32x32/apps RENAME corvane-smart.png)
# The menu entry doubles as the login entry. Desktops read that from /etc/xdg whatever the prefix, so
# an install without root writes it elsewhere (-DCORVANE_AUTOSTART_DIR=...) or stages with DESTDIR.
set(CORVANE_AUTOSTART_DIR /etc/xdg/autostart CACHE PATH "Folder of the entry that starts the monitor at login")
install(FILES corvane-smart.desktop DESTINATION ${CORVANE_AUTOSTART_DIR})
# The settings' defaults for every user, read where a user's own file lacks a key, are in /etc/xdg
# too: an install without root moves them (-DCORVANE_SETTINGS_DEFAULTS_DIR=...) or stages them.
set(CORVANE_SETTINGS_DEFAULTS_DIR /etc/xdg/Corvane CACHE PATH "Folder of the settings' defaults for every user")
install(FILES settings-defaults.ini DESTINATION ${CORVANE_SETTINGS_DEFAULTS_DIR} RENAME "Corvane Drive Monitor.ini")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane-smart)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Corvane S.M.A.R.T. developers <corvane-smart@localhost>")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Resident drive-health monitor in the notification area\nShows the boot disk's temperature on a tray icon, lists every drive's temperature, health and\nperformance in the tray menu, and warns when the boot disk runs hot or its health or performance\nfalls below 40 %. It reads the drives through smartctl.")
set(CPACK_DEBIAN_PACKAGE_SECTION admin)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The Qt and C++ libraries come from the executables' own links; smartctl reads the drives, and
# deb-systemd-helper enables the report cache.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "smartmontools, init-system-helpers")
# The Japanese, Chinese, Korean and Hindi texts need these fonts; the others do not.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, fonts-noto-core")
set(CPACK_STRIP_FILES ON)
# An administrator may edit the login entry (Hidden=true turns it off) and the settings' defaults;
# upgrades keep those edits, and purge removes them.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/conffiles "${CORVANE_AUTOSTART_DIR}/corvane-smart.desktop\n"
                                                 "${CORVANE_SETTINGS_DEFAULTS_DIR}/Corvane Drive Monitor.ini\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_BINARY_DIR}/conffiles ${CMAKE_CURRENT_SOURCE_DIR}/postinst
    ${CMAKE_CURRENT_SOURCE_DIR}/prerm ${CMAKE_CURRENT_SOURCE_DIR}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Staged with DESTDIR, so that the absolute folders in /etc/xdg land inside the package.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
