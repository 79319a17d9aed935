# The package of the system built for, from what `cmake --install` installs: on Linux
# a Debian package, `cmake --build BUILD --target package` making
# BUILD/sorvane_VERSION_ARCH.deb, under /usr; on Windows an installer
# (windows/installer.cmake).
set(CPACK_PACKAGE_NAME sorvane)
set(CPACK_PACKAGE_VENDOR "${SORVANE_VENDOR}")
set(CPACK_PACKAGE_CONTACT "${SORVANE_VENDOR}")
set(CPACK_PACKAGE_DESCRIPTION [[
Sorvane turns a comma-separated point file (X, Y, Z a line) into an ASCII DXF
drawing in which the points form one polyline. The window program sorvane picks
the point file and tells the outcome of each conversion, and the batch converter
sorvane-convert converts many point files in one command.]])
set(CPACK_STRIP_FILES ON)
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/windows/installer.cmake)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION science)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The window's captions and messages are Japanese.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-vlgothic | fonts-japanese-gothic")
endif()
include(CPack)
