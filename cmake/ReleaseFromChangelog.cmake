# SPDX-License-Identifier: MIT
# lullwick_release_from_changelog(CHANGELOG VERSION DATE_VAR ERROR_VAR)
# The newest entry of the Debian changelog must be a Debian version of VERSION:
# VERSION itself or VERSION followed by a Debian revision or suffix (1.0.0-1,
# 1.0.0-1+b1, 1.0.0+nmu1, 1:1.0.0-2~bpo12+1), so that every version Debian
# gives the package builds; anything else is reported in ERROR_VAR. DATE_VAR
# gets the release date (YYYY-MM-DD): that of the oldest entry of VERSION,
# the release's own, whatever revisions and binNMUs came after it.
function(lullwick_release_from_changelog changelog version date_var error_var)
    set(${error_var} "" PARENT_SCOPE)
    string(REPLACE "." "\\." pattern "${version}")
    set(pattern "^([0-9]+:)?${pattern}([-+~].*)?$")
    file(STRINGS "${changelog}" lines REGEX "^[a-z0-9].*\\(|^ -- ")
    set(newest "")
    set(released "")
    foreach(line IN LISTS lines)
        if(line MATCHES "^ -- .*>  (.*)$")
            if(ours)
                set(released "${CMAKE_MATCH_1}")
            endif()
        else()
            string(REGEX REPLACE "^[^(]*\\(([^)]*)\\).*" "\\1" entry "${line}")
            if(newest STREQUAL "")
                set(newest "${entry}")
            endif()
            if(entry MATCHES "${pattern}")
                set(ours ON)
            else()
                set(ours OFF)
            endif()
        endif()
    endforeach()
    if(NOT newest MATCHES "${pattern}")
        set(${error_var} "${changelog} is at ${newest}, the project at ${version}" PARENT_SCOPE)
        return()
    endif()
    execute_process(COMMAND date -u -d "${released}" +%Y-%m-%d
                    OUTPUT_VARIABLE date OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    set(${date_var} "${date}" PARENT_SCOPE)
endfunction()
