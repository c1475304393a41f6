# Run at every build: includes flow from ui to core, and within ui towards common/.
#   cmake -DSRC=<src folder> -P checkincludes.cmake
function(forbid folder pattern why)
    file(GLOB_RECURSE files ${SRC}/${folder}/*.cpp ${SRC}/${folder}/*.h)
    foreach(file ${files})
        file(STRINGS ${file} bad REGEX "^[ \t]*#[ \t]*include[ \t]*\"${pattern}")
        if(bad)
            message(FATAL_ERROR "${file}: ${bad}: ${why}")
        endif()
    endforeach()
endfunction()
forbid(core "ui/" "the core never includes the windows")
forbid(ui/common "ui/[^c]" "ui/common is included by the pages, not the other way")
