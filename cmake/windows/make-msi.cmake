# Makes the Windows installer from the files CPack staged, with wixl: run by CPack's
# External generator, which gives it the variables of CPackConfig.cmake.
if(NOT CPACK_SORVANE_WIXL OR NOT CPACK_SORVANE_WIXL_HEAT OR NOT CPACK_SORVANE_MSIBUILD)
  message(FATAL_ERROR "The installer is made with wixl and wixl-heat (Debian package wixl) and msibuild (msitools)")
endif()
set(stage ${CPACK_TEMPORARY_DIRECTORY})
set(work ${CPACK_TOPLEVEL_DIRECTORY})

# Every staged file, so that the installer holds what `cmake --install` installs.
file(GLOB_RECURSE files LIST_DIRECTORIES false ${stage}/*)
list(SORT files)
list(JOIN files "\n" listing)
file(WRITE ${work}/files.txt "${listing}\n")
execute_process(
  COMMAND ${CPACK_SORVANE_WIXL_HEAT} --prefix ${stage}/ --directory-ref INSTALLDIR
          --component-group InstalledFiles --var var.StageDir --win64
  INPUT_FILE ${work}/files.txt
  OUTPUT_FILE ${work}/files.wxs
  COMMAND_ERROR_IS_FATAL ANY)

# wixl takes the files' paths relative to the folder it runs in, the working folder:
# the staged files and the icon are named from there.
cmake_path(GET stage FILENAME staged)
set(defines -D Version=${CPACK_PACKAGE_VERSION} -D "Manufacturer=${CPACK_PACKAGE_VENDOR}"
            -D UpgradeCode=${CPACK_SORVANE_UPGRADE_CODE}
            -D StageDir=${staged} -D Win64=yes)
if(CPACK_SORVANE_WINDOW)
  file(COPY_FILE ${CPACK_SORVANE_ICON} ${work}/sorvane.ico)
  list(APPEND defines -D Window=${CPACK_SORVANE_WINDOW} -D Icon=sorvane.ico)
endif()
set(msi ${work}/${CPACK_PACKAGE_FILE_NAME}.msi)
execute_process(
  COMMAND ${CPACK_SORVANE_WIXL} --arch x64 ${defines} --output ${msi}
          ${CPACK_SORVANE_WXS} ${work}/files.wxs
  WORKING_DIRECTORY ${work}
  COMMAND_ERROR_IS_FATAL ANY)
# What wixl 0.101 cannot say: the shortcut's window shown normally (its Shortcut has
# no Show), and the install location set for Installed apps at once (its custom
# actions all run deferred, too late for the entry).
set(queries
  "UPDATE `Shortcut` SET `ShowCmd` = 1"
  "UPDATE `CustomAction` SET `Type` = 51 WHERE `Action` = 'SetInstallLocation'")
# Nor a program run from the package: the install folder is put on the system's PATH
# and taken out again by the helper the setup program uses too (installer/), which
# leaves the rest of PATH as it was. It runs deferred (1024) as the system (2048),
# which may write the machine's environment, and a PATH it cannot change does not fail
# the installation (64): type 2 + 1024 + 2048 + 64. An upgrade removes the older
# version, and with it its entry, before this one adds its own. The folder ends in a
# backslash, doubled so that the command line's closing quote stays one.
file(MAKE_DIRECTORY ${work}/Binary)
file(COPY_FILE ${CPACK_SORVANE_PATH_HELPER} ${work}/Binary/sorvane-system-path.exe)
file(WRITE ${work}/Binary.idt "Name\tData\ns72\tv0\nBinary\tName\nPathHelper\tsorvane-system-path.exe\n")
list(APPEND queries
  "INSERT INTO `CustomAction` (`Action`, `Type`, `Source`, `Target`) VALUES ('AddToPath', 3138, 'PathHelper', 'add \"[INSTALLDIR]\\\"')"
  "INSERT INTO `CustomAction` (`Action`, `Type`, `Source`, `Target`) VALUES ('RemoveFromPath', 3138, 'PathHelper', 'remove \"[INSTALLDIR]\\\"')"
  "INSERT INTO `InstallExecuteSequence` (`Action`, `Condition`, `Sequence`) VALUES ('RemoveFromPath', 'REMOVE~=\"ALL\"', 3450)"
  "INSERT INTO `InstallExecuteSequence` (`Action`, `Condition`, `Sequence`) VALUES ('AddToPath', 'NOT REMOVE~=\"ALL\"', 4050)")
list(TRANSFORM queries PREPEND "-q;")
execute_process(
  COMMAND ${CPACK_SORVANE_MSIBUILD} ${msi} -i Binary.idt ${queries}
  WORKING_DIRECTORY ${work}
  COMMAND_ERROR_IS_FATAL ANY)
set(CPACK_EXTERNAL_BUILT_PACKAGES ${msi})
