# Installs the build into a fresh folder and checks the tree an installed copy
# gets: exactly the expected files, the program runnable, the desktop entry and
# the systemd unit naming the program where it is installed, and the desktop
# entry and metainfo valid where the validators are at hand.
#   cmake -DBUILD=<build folder> -DPREFIX=<scratch folder> -DBINDIR=<full bindir>
#         -DRELBINDIR=<bindir under the prefix> -DAPPID=<id> -DUNITDIR=<unit folder under the prefix>
#         -DMODULEDIR=<module folder under the prefix>
#         -P installtree.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed:\n${output}")
endif()

file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${PREFIX}" "${PREFIX}/*")
list(SORT installed)
list(JOIN installed "\n  " listing)
message(STATUS "Installed tree under ${PREFIX}:\n  ${listing}")

set(expected
    ${RELBINDIR}/zigzop
    ${MODULEDIR}/zigzop-http.so
    ${MODULEDIR}/zigzop-sounds.so
    ${MODULEDIR}/zigzop-matchmaker.so
    ${UNITDIR}/zigzop-serve@.service
    share/applications/${APPID}.desktop
    share/doc/zigzop/changelog.gz
    share/doc/zigzop/copyright
    share/icons/hicolor/scalable/apps/${APPID}.svg
    share/man/man6/zigzop.6.gz
    share/metainfo/${APPID}.metainfo.xml)
foreach(size 16 24 32 48 64 128 256)
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/${APPID}.png)
endforeach()
list(SORT expected)
if(NOT installed STREQUAL expected)
    list(JOIN expected "\n  " wanted)
    message(FATAL_ERROR "The installed tree differs; expected:\n  ${wanted}")
endif()

foreach(path IN LISTS installed)
    file(SIZE "${PREFIX}/${path}" size)
    if(size EQUAL 0)
        message(FATAL_ERROR "${path} is empty")
    endif()
endforeach()

execute_process(COMMAND "${PREFIX}/${RELBINDIR}/zigzop" --version
    RESULT_VARIABLE status OUTPUT_VARIABLE version ERROR_VARIABLE version)
if(NOT status EQUAL 0 OR NOT version MATCHES "^Zig Zop ")
    message(FATAL_ERROR "The installed program does not run: ${version}")
endif()

file(READ "${PREFIX}/share/applications/${APPID}.desktop" desktop)
file(READ "${PREFIX}/${UNITDIR}/zigzop-serve@.service" unit)
if(NOT desktop MATCHES "\nExec=${BINDIR}/zigzop\n"
   OR NOT unit MATCHES "\nExecStart=${BINDIR}/zigzop --serve --port %i\n")
    message(FATAL_ERROR "The desktop entry or the unit does not start ${BINDIR}/zigzop")
endif()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
    execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${PREFIX}/share/applications/${APPID}.desktop"
        RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT status EQUAL 0 OR NOT output STREQUAL "")
        message(FATAL_ERROR "desktop-file-validate:\n${output}")
    endif()
endif()
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
    execute_process(
        COMMAND "${APPSTREAMCLI}" validate --no-net --pedantic "${PREFIX}/share/metainfo/${APPID}.metainfo.xml"
        RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "appstreamcli validate:\n${output}")
    endif()
endif()
file(REMOVE_RECURSE "${PREFIX}")
