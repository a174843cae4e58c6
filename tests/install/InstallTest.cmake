# Installs the build into a fresh temporary prefix and checks what lands there:
# the exact file list, the menu entry (desktop-file-validate), the .jsk type
# in a MIME database built from the installed package, and the icon sizes.
#   cmake -DBUILD_DIR=... -DPREFIX=... -P InstallTest.cmake
cmake_minimum_required(VERSION 3.25)

function(fail text)
  message(FATAL_ERROR "${text}")
endfunction()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  fail("cmake --install into ${PREFIX} failed: ${errors}")
endif()

set(sizes 16 22 24 32 48 64 128 256)
set(expected
  bin/vxlo
  bin/vxlo-tool
  share/applications/vxlo.desktop
  share/doc/vxlo/LICENSE
  share/doc/vxlo/README.md
  share/doc/vxlo/copyright
  share/icons/hicolor/scalable/apps/vxlo.svg
  share/man/man1/vxlo-tool.1
  share/man/man1/vxlo.1
  share/mime/packages/vxlo.xml
  share/vxlo/sample-sequences.txt
  share/vxlo/sample.jsk)
foreach(size IN LISTS sizes)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/vxlo.png)
endforeach()
list(SORT expected)
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${PREFIX}" "${PREFIX}/*")
list(SORT installed)
if(NOT installed STREQUAL expected)
  set(missing ${expected})
  list(REMOVE_ITEM missing ${installed})
  set(extra ${installed})
  list(REMOVE_ITEM extra ${expected})
  fail("installed files differ\n  missing: ${missing}\n  unexpected: ${extra}")
endif()

foreach(program vxlo vxlo-tool)
  execute_process(COMMAND test -x "${PREFIX}/bin/${program}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    fail("${PREFIX}/bin/${program} is not executable")
  endif()
endforeach()
# The installed tool runs: without a command it answers with its usage.
execute_process(COMMAND "${PREFIX}/bin/vxlo-tool" RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
if(NOT status EQUAL 2)
  fail("${PREFIX}/bin/vxlo-tool without arguments gave ${status}, not the usage status 2")
endif()

# The installed sample is the committed one, byte for byte.
get_filename_component(source_dir "${CMAKE_CURRENT_LIST_DIR}/../.." ABSOLUTE)
file(SHA256 "${source_dir}/data/sample.jsk" want)
file(SHA256 "${PREFIX}/share/vxlo/sample.jsk" got)
if(NOT want STREQUAL got)
  fail("${PREFIX}/share/vxlo/sample.jsk differs from data/sample.jsk")
endif()

find_program(VALIDATE desktop-file-validate REQUIRED)
execute_process(COMMAND "${VALIDATE}" "${PREFIX}/share/applications/vxlo.desktop"
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0 OR NOT out STREQUAL "")
  fail("desktop-file-validate: ${out}")
endif()
file(STRINGS "${PREFIX}/share/applications/vxlo.desktop" mime_line REGEX "^MimeType=")
if(NOT mime_line MATCHES "^MimeType=application/x-vxlo-jsk")
  fail("the menu entry does not open .jsk files: ${mime_line}")
endif()

# The package's MIME type, compiled as the system would: *.jsk must map to it.
find_program(UPDATE_MIME update-mime-database REQUIRED)
execute_process(COMMAND "${UPDATE_MIME}" "${PREFIX}/share/mime"
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  fail("update-mime-database: ${out}")
endif()
file(STRINGS "${PREFIX}/share/mime/globs2" globs REGEX "x-vxlo-jsk")
if(NOT globs MATCHES ":application/x-vxlo-jsk:\\*\\.jsk")
  fail("the MIME database has no glob *.jsk for application/x-vxlo-jsk: ${globs}")
endif()

# Each PNG is a PNG of its directory's size (width and height in the IHDR).
foreach(size IN LISTS sizes)
  set(png "${PREFIX}/share/icons/hicolor/${size}x${size}/apps/vxlo.png")
  file(READ "${png}" signature LIMIT 8 HEX)
  file(READ "${png}" header OFFSET 16 LIMIT 8 HEX)
  string(SUBSTRING "${header}" 0 8 wh)
  string(SUBSTRING "${header}" 8 8 hh)
  math(EXPR w "0x${wh}")
  math(EXPR h "0x${hh}")
  if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT w EQUAL size OR NOT h EQUAL size)
    fail("${png} is not a ${size}x${size} PNG (${w}x${h})")
  endif()
endforeach()

file(REMOVE_RECURSE "${PREFIX}")
