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
          share/man/man1/ventrel.1 share/man/man1/ventrel-cli.1)
    if(NOT EXISTS ${prefix}/${f})
        message(FATAL_ERROR "not installed: ${f}")
    endif()
endforeach()
file(READ ${prefix}/share/mime/packages/ventrel-lkd.xml mime)
if(NOT mime MATCHES "pattern=\"\\*\\.lkd\" case-sensitive=\"false\"")
    message(FATAL_ERROR "the data-file type does not take .lkd in any letter case")
endif()
file(READ ${prefix}/share/applications/ventrel.desktop desktop)
if(NOT desktop MATCHES "MimeType=application/x-ventrel-lkd;" OR NOT desktop MATCHES "Exec=ventrel %f")
    message(FATAL_ERROR "the desktop entry does not open data files with ventrel")
endif()
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
    execute_process(COMMAND ${VALIDATE} ${prefix}/share/applications/ventrel.desktop
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "desktop-file-validate rejects the desktop entry")
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
