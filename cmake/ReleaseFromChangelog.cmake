# SPDX-License-Identifier: MIT
# lullwick_release_from_changelog(CHANGELOG VERSION DATE_VAR ERROR_VAR)
# The newest entry of the Debian changelog must be a Debian version of VERSION:
# VERSION itself or VERSION followed by a Debian revision or suffix (1.0.0-1,
# 1.0.0-1+b1, 1.0.0+nmu1, 1:1.0.0-2~bpo12+1), so that every version Debian
# gives the package builds; anything else is reported in ERROR_VAR. DATE_VAR
# gets the release date (YYYY-MM-DD): that of the newest entry that is not a
# binary-only rebuild (a binNMU's date is the rebuild's, not the release's).
function(lullwick_release_from_changelog changelog version date_var error_var)
    set(${error_var} "" PARENT_SCOPE)
    file(STRINGS "${changelog}" lines REGEX "^[a-z0-9].*\\(|^ -- ")
    list(GET lines 0 head)
    string(REGEX REPLACE "^[^(]*\\(([^)]*)\\).*" "\\1" newest "${head}")
    string(REGEX REPLACE "^[0-9]+:" "" upstream "${newest}")
    string(REPLACE "." "\\." pattern "${version}")
    if(NOT upstream MATCHES "^${pattern}([-+~].*)?$")
        set(${error_var} "${changelog} is at ${newest}, the project at ${version}" PARENT_SCOPE)
        return()
    endif()
    set(binary_only OFF)
    foreach(line IN LISTS lines)
        if(line MATCHES "^ -- .*>  (.*)$")
            if(NOT binary_only)
                execute_process(COMMAND date -u -d "${CMAKE_MATCH_1}" +%Y-%m-%d
                                OUTPUT_VARIABLE date OUTPUT_STRIP_TRAILING_WHITESPACE
                                COMMAND_ERROR_IS_FATAL ANY)
                set(${date_var} "${date}" PARENT_SCOPE)
                return()
            endif()
        elseif(line MATCHES "binary-only=yes")
            set(binary_only ON)
        else()
            set(binary_only OFF)
        endif()
    endforeach()
    set(${error_var} "${changelog} has no entry that is not a binary-only rebuild" PARENT_SCOPE)
endfunction()
