# The Windows installers, both made by `cmake --build --preset windows --target package`
# from what `cmake --install` installs:
# - BUILD/sorvane-VERSION-x64-setup.exe, the setup program users double-click: a short
#   wizard in Japanese, made by CPack's NSIS generator with nsis/NSIS.template.in;
# - BUILD/sorvane-VERSION-x64.msi, for administrators (msiexec /qn, deployment tools),
#   made by make-msi.cmake with msitools' wixl.
# Both install for all users into Program Files\Sorvane and put that folder on the
# system's PATH with the helper sorvane-system-path.exe (installer/).
find_program(WIXL wixl)
find_program(WIXL_HEAT wixl-heat)
find_program(MSIBUILD msibuild)
set(CPACK_GENERATOR External)
set(CPACK_PACKAGE_FILE_NAME sorvane-${PROJECT_VERSION}-x64)
# The setup's name says what it is; the generator picks it per package (CPack reuses
# CPACK_PACKAGE_FILE_NAME for the source package).
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/package-names.cmake)
# Where the package target puts them, for the installers' test.
set(SORVANE_INSTALLER ${PROJECT_BINARY_DIR}/${CPACK_PACKAGE_FILE_NAME}.msi)
set(SORVANE_SETUP ${PROJECT_BINARY_DIR}/${CPACK_PACKAGE_FILE_NAME}-setup.exe)

set(CPACK_EXTERNAL_ENABLE_STAGING ON)
set(CPACK_EXTERNAL_PACKAGE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/make-msi.cmake)
set(CPACK_SORVANE_WIXL ${WIXL})
set(CPACK_SORVANE_WIXL_HEAT ${WIXL_HEAT})
set(CPACK_SORVANE_MSIBUILD ${MSIBUILD})
set(CPACK_SORVANE_WXS ${CMAKE_CURRENT_LIST_DIR}/sorvane.wxs)
# The upgrade code names Sorvane across all its versions: it must never change. The
# setup program refuses to install beside the MSI's Sorvane, which it finds by it.
set(CPACK_SORVANE_UPGRADE_CODE "{85C15EFA-F84E-4495-BE53-8950C3088B00}")

# The setup's script is ours, found by the generator in CMAKE_MODULE_PATH.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/nsis)
set(CPACK_SORVANE_COPYRIGHT "${SORVANE_COPYRIGHT}")
set(CPACK_SORVANE_PATH_HELPER ${PROJECT_BINARY_DIR}/installer/sorvane-system-path.exe)

# The window gets the Start menu's shortcut, and its icon stands for Sorvane in the
# list of installed apps.
# The setup program, which offers to start the window, is made with it.
if(TARGET sorvane)
  set(CPACK_SORVANE_WINDOW sorvane.exe)
  get_target_property(CPACK_SORVANE_ICON sorvane SORVANE_ICON)
  list(APPEND CPACK_GENERATOR NSIS)
endif()
