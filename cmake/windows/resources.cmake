# What a Windows program carries besides its code: an application manifest, a version
# resource and, for the window, its icon, in a resource script compiled by windres.
enable_language(RC)

set(SORVANE_WINDOWS_TEMPLATES ${CMAKE_CURRENT_LIST_DIR})

# The icon of the window program, in the sizes Explorer, the taskbar and the Start menu
# ask for, drawn from the same picture as the Linux desktop's icon. The largest is kept
# as PNG, as Windows stores it.
function(sorvane_windows_icon output)
  find_program(RSVG_CONVERT rsvg-convert REQUIRED)
  find_program(ICOTOOL icotool REQUIRED)
  set(svg ${PROJECT_SOURCE_DIR}/app/sorvane.svg)
  get_filename_component(dir ${output} DIRECTORY)
  set(draw_commands)
  set(bitmaps)
  foreach(size 16 24 32 48 64 256)
    list(APPEND draw_commands COMMAND ${RSVG_CONVERT} --width=${size} --height=${size}
                              --output=${dir}/icon-${size}.png ${svg})
    if(size EQUAL 256)
      list(APPEND bitmaps --raw=${dir}/icon-${size}.png)
    else()
      list(APPEND bitmaps ${dir}/icon-${size}.png)
    endif()
  endforeach()
  add_custom_command(OUTPUT ${output}
    ${draw_commands}
    COMMAND ${ICOTOOL} --create --output=${output} ${bitmaps}
    DEPENDS ${svg}
    VERBATIM)
endfunction()

# sorvane_windows_resources(TARGET GUI|CONSOLE DESCRIPTION)
#
# Gives the Windows program TARGET its manifest (per-monitor DPI awareness, paths over
# 260 characters, Windows 10 and 11; for a GUI program also the visual styles of Common
# Controls 6) and its version resource (product Sorvane, DESCRIPTION, the project's
# version); a GUI program also gets the icon. The tests check every program named here.
function(sorvane_windows_resources target kind description)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}-resources)
  set(SORVANE_PROGRAM ${target})
  set(SORVANE_PROGRAM_DESCRIPTION ${description})
  set(SORVANE_FOUR_PART_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
  set(SORVANE_RC_VERSION ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0)
  set(SORVANE_MANIFEST ${dir}/${target}.manifest)
  set(SORVANE_MANIFEST_DEPENDENCIES "")
  set(SORVANE_ICON_RESOURCE "")
  set(depends ${SORVANE_MANIFEST})
  if(kind STREQUAL "GUI")
    file(READ ${SORVANE_WINDOWS_TEMPLATES}/common-controls.manifest.in SORVANE_MANIFEST_DEPENDENCIES)
    sorvane_windows_icon(${dir}/sorvane.ico)
    # The first icon in the file is the one Explorer shows for it.
    set(SORVANE_ICON_RESOURCE "1 ICON \"${dir}/sorvane.ico\"")
    list(APPEND depends ${dir}/sorvane.ico)
    set_property(TARGET ${target} PROPERTY SORVANE_ICON ${dir}/sorvane.ico)
  elseif(NOT kind STREQUAL "CONSOLE")
    message(FATAL_ERROR "sorvane_windows_resources: ${kind} is neither GUI nor CONSOLE")
  endif()
  configure_file(${SORVANE_WINDOWS_TEMPLATES}/program.manifest.in ${SORVANE_MANIFEST} @ONLY)
  configure_file(${SORVANE_WINDOWS_TEMPLATES}/program.rc.in ${dir}/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${dir}/${target}.rc)
  # windres reads the files the script names, which the build system does not see.
  set_source_files_properties(${dir}/${target}.rc PROPERTIES OBJECT_DEPENDS "${depends}")
  set_property(TARGET ${target} PROPERTY SORVANE_PROGRAM_KIND ${kind})
  set_property(GLOBAL APPEND PROPERTY SORVANE_WINDOWS_PROGRAMS ${target})
endfunction()
