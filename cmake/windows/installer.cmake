# The Windows installer: `cmake --build --preset windows --target package` makes
# BUILD/sorvane-VERSION-x64.msi (make-msi.cmake, with msitools' wixl) from what
# `cmake --install` installs. msiexec installs it for all users, /qn silently.
find_program(WIXL wixl)
find_program(WIXL_HEAT wixl-heat)
set(CPACK_GENERATOR External)
set(CPACK_EXTERNAL_ENABLE_STAGING ON)
set(CPACK_EXTERNAL_PACKAGE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/make-msi.cmake)
set(CPACK_PACKAGE_FILE_NAME sorvane-${PROJECT_VERSION}-x64)
# Where the package target puts it (CPack reuses CPACK_PACKAGE_FILE_NAME for the source
# package), for the installer's test.
set(SORVANE_INSTALLER ${PROJECT_BINARY_DIR}/${CPACK_PACKAGE_FILE_NAME}.msi)
set(CPACK_SORVANE_WIXL ${WIXL})
set(CPACK_SORVANE_WIXL_HEAT ${WIXL_HEAT})
set(CPACK_SORVANE_WXS ${CMAKE_CURRENT_LIST_DIR}/sorvane.wxs)
# The window gets the Start menu's shortcut, and its icon stands for Sorvane in the
# list of installed apps.
if(TARGET sorvane)
  set(CPACK_SORVANE_WINDOW sorvane.exe)
  get_target_property(CPACK_SORVANE_ICON sorvane SORVANE_ICON)
endif()
