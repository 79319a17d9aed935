# The Debian package: `cmake --build BUILD --target package` makes
# BUILD/sorvane_VERSION_ARCH.deb from what `cmake --install` installs, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sorvane)
set(CPACK_PACKAGE_VENDOR "The Sorvane developers")
set(CPACK_PACKAGE_CONTACT "The Sorvane developers")
set(CPACK_PACKAGE_DESCRIPTION [[
Sorvane turns a comma-separated point file (X, Y, Z a line) into an ASCII DXF
drawing in which the points form one polyline. The window program sorvane picks
the point file and tells the outcome of each conversion, and the batch converter
sorvane-convert converts many point files in one command.]])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's captions and messages are Japanese.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-vlgothic | fonts-japanese-gothic")
set(CPACK_STRIP_FILES ON)
include(CPack)
