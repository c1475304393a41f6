# Installs the build into a throwaway prefix and checks what a user's system would get: the
# programs, the samples, the desktop entry, the data-file type, the icons and the manual pages,
# and the installed analyser working on the installed sample from another folder.
set(prefix ${WORK}/prefix)
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed")
endif()
foreach(f bin/ventrel bin/ventrel-cli bin/ventrel-gauge-sim share/ventrel/samples/house-depress.lkd
          share/ventrel/Customer.txt
          share/applications/ventrel.desktop share/mime/packages/ventrel-lkd.xml
          share/icons/hicolor/scalable/apps/ventrel.svg share/icons/hicolor/48x48/apps/ventrel.png
          share/man/man1/ventrel.1 share/man/man1/ventrel-cli.1 share/man/man1/ventrel-gauge-sim.1)
    if(NOT EXISTS ${prefix}/${f})
        message(FATAL_ERROR "not installed: ${f}")
    endif()
endforeach()
# Some MIME readers match a lower-case glob in any case anyway; others need it said.
file(READ ${prefix}/share/mime/packages/ventrel-lkd.xml mime)
if(NOT mime MATCHES "pattern=\"\\*\\.lkd\" case-sensitive=\"false\"")
    message(FATAL_ERROR "the data-file type does not take .lkd in any letter case")
endif()
file(READ ${prefix}/share/applications/ventrel.desktop desktop)
if(NOT desktop MATCHES "\nExec=ventrel %f\n")
    message(FATAL_ERROR "the desktop entry does not start ventrel with the file")
endif()
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
    execute_process(COMMAND ${VALIDATE} ${prefix}/share/applications/ventrel.desktop
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "desktop-file-validate rejects the desktop entry")
    endif()
endif()
# What a desktop makes of it: the MIME and desktop databases built by the tools the package's
# triggers run, then asked as a file manager asks, for a test named in capitals.
find_program(UPDATE_MIME update-mime-database)
find_program(UPDATE_DESKTOP update-desktop-database)
find_program(XDG_MIME xdg-mime)
if(UPDATE_MIME AND UPDATE_DESKTOP AND XDG_MIME)
    execute_process(COMMAND ${UPDATE_MIME} ${prefix}/share/mime RESULT_VARIABLE s1)
    execute_process(COMMAND ${UPDATE_DESKTOP} ${prefix}/share/applications RESULT_VARIABLE s2)
    if(NOT s1 EQUAL 0 OR NOT s2 EQUAL 0)
        message(FATAL_ERROR "the MIME or desktop database of the prefix could not be built")
    endif()
    file(MAKE_DIRECTORY ${WORK}/home)
    file(COPY_FILE ${prefix}/share/ventrel/samples/house-depress.lkd ${WORK}/HOUSE.LKD)
    set(desktop_env env XDG_DATA_DIRS=${prefix}/share XDG_DATA_HOME=${WORK}/home
        XDG_CONFIG_HOME=${WORK}/home XDG_CONFIG_DIRS=${WORK}/home XDG_CURRENT_DESKTOP= HOME=${WORK}/home)
    execute_process(COMMAND ${desktop_env} ${XDG_MIME} query filetype ${WORK}/HOUSE.LKD
                    OUTPUT_VARIABLE type OUTPUT_STRIP_TRAILING_WHITESPACE)
    execute_process(COMMAND ${desktop_env} ${XDG_MIME} query default application/x-ventrel-lkd
                    OUTPUT_VARIABLE app OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT type STREQUAL "application/x-ventrel-lkd" OR NOT app STREQUAL "ventrel.desktop")
        message(FATAL_ERROR "a desktop takes HOUSE.LKD for '${type}' opened by '${app}'")
    endif()
else()
    # Without the desktop tools, at least the desktop entry must say so.
    if(NOT desktop MATCHES "MimeType=application/x-ventrel-lkd;")
        message(FATAL_ERROR "the desktop entry does not take data files")
    endif()
endif()
file(MAKE_DIRECTORY ${WORK}/elsewhere)
execute_process(COMMAND ${prefix}/bin/ventrel-cli analyse ${prefix}/share/ventrel/samples/house-depress.lkd
                WORKING_DIRECTORY ${WORK}/elsewhere RESULT_VARIABLE status OUTPUT_VARIABLE out)
if(NOT status EQUAL 0 OR NOT out MATCHES "\"point_count\":7")
    message(FATAL_ERROR "the installed ventrel-cli does not analyse the installed sample")
endif()
# The installed letter template is found from the installed program, whatever the prefix.
execute_process(COMMAND ${prefix}/bin/ventrel-cli report --customer ${prefix}/share/ventrel/samples/house-depress.lkd
                WORKING_DIRECTORY ${WORK}/elsewhere RESULT_VARIABLE status OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR out STREQUAL "")
    message(FATAL_ERROR "the installed ventrel-cli finds no customer template: ${err}")
endif()
file(REMOVE_RECURSE ${WORK})
