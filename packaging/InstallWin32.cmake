# Windows: the monitor and its translations at the top of the installation folder, where its companion
# applications live too. windeployqt adds the Qt libraries and plugins afterwards (see the README).
set(CORVANE_INSTALL_DIR .)
