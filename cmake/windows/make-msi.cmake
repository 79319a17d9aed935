# Makes the Windows installer from the files CPack staged, with wixl: run by CPack's
# External generator, which gives it the variables of CPackConfig.cmake.
if(NOT CPACK_SORVANE_WIXL OR NOT CPACK_SORVANE_WIXL_HEAT)
  message(FATAL_ERROR "The installer is made with wixl and wixl-heat (Debian package wixl)")
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
set(CPACK_EXTERNAL_BUILT_PACKAGES ${msi})
