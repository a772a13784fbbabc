# SPDX-License-Identifier: MIT
# cmake -DSOURCE=DIR -DBUILD=DIR -DHOMEPAGE=URL -P release_files.cmake: every
# file that states the release or the project's address states the same:
# the manual page's version that of the program (its version.h, from which
# the About box is built) and its date the metainfo's release date; the
# address in the files nothing generates (debian/, the README) the one that
# CMake gives the generated ones.
set(failures 0)
function(expect what got want)
    if(got STREQUAL want)
        message("ok: ${what}: ${got}")
    else()
        message("FAIL: ${what}: \"${got}\", not \"${want}\"")
        math(EXPR n "${failures} + 1")
        set(failures ${n} PARENT_SCOPE)
    endif()
endfunction()
# The first match of regex in file, its first group.
function(read_from file regex var)
    file(STRINGS "${file}" lines REGEX "${regex}")
    set(${var} "(no line of it matches)" PARENT_SCOPE)
    if(lines)
        list(GET lines 0 line)
        string(REGEX MATCH "${regex}" line "${line}")
        set(${var} "${CMAKE_MATCH_1}" PARENT_SCOPE)
    endif()
endfunction()

read_from(${BUILD}/generated/version.h "#define LULLWICK_VERSION \"([^\"]*)\"" program)
read_from(${BUILD}/generated/lullwick.6 "^\\.TH LULLWICK 6 [^ ]+ \"Lullwick ([^\"]*)\"" man_version)
read_from(${BUILD}/generated/lullwick.6 "^\\.TH LULLWICK 6 ([^ ]+) " man_date)
file(GLOB metainfo ${BUILD}/generated/*.metainfo.xml)
read_from(${metainfo} "<release version=\"[^\"]*\" date=\"([^\"]*)\"" release_date)
expect("the manual page's version is the program's" "${man_version}" "${program}")
expect("the manual page's date is the release's" "${man_date}" "${release_date}")

# file | its line that names the address | the address it must name
foreach(row "debian/control;^Homepage: (.*)$;${HOMEPAGE}"
            "debian/control;^Vcs-Browser: (.*)$;${HOMEPAGE}"
            "debian/control;^Vcs-Git: (.*)$;${HOMEPAGE}.git"
            "debian/copyright;^Source: (.*)$;${HOMEPAGE}"
            "debian/upstream/metadata;^Bug-Database: (.*)$;${HOMEPAGE}/issues"
            "debian/upstream/metadata;^Bug-Submit: (.*)$;${HOMEPAGE}/issues/new"
            "debian/upstream/metadata;^Repository: (.*)$;${HOMEPAGE}.git"
            "debian/upstream/metadata;^Repository-Browse: (.*)$;${HOMEPAGE}"
            "debian/watch;^(https://[^ ]*)/tags ;${HOMEPAGE}"
            "README.md;^git clone ([^ ]*)$;${HOMEPAGE}.git"
            "README.md;^Report bugs at ([^ ]*)\\.$;${HOMEPAGE}/issues")
    list(GET row 0 file)
    list(GET row 1 regex)
    list(GET row 2 want)
    read_from(${SOURCE}/${file} "${regex}" got)
    expect("${file}, ${regex}" "${got}" "${want}")
endforeach()
if(failures)
    message(FATAL_ERROR "${failures} failed")
endif()
