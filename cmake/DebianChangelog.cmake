# SPDX-FileCopyrightText: Quillon developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Writes CHANGELOG.md in Debian's changelog format, as a package whose
# upstream is Debian's own keeps it (usr/share/doc/PACKAGE/changelog.gz):
#   cmake -DSOURCE=CHANGELOG.md -DOUTPUT=changelog -DPACKAGE=quillon
#         -DVERSION=0.1 -DMAINTAINER="Name <address>" -P DebianChangelog.cmake
# Every "## VERSION (YYYY-MM-DD)" heading starts an entry; its "- " items
# become "  * " items, their following lines stay with them. The newest
# entry must be the version being built.
file(STRINGS ${SOURCE} lines ENCODING UTF-8)
set(out "")
set(entry "")
set(newest "")

# Ends the entry open in `entry` with its trailer line.
macro(close_entry)
    if(entry)
        execute_process(COMMAND date -R -u -d "${date} 12:00:00"
                        OUTPUT_VARIABLE stamp OUTPUT_STRIP_TRAILING_WHITESPACE
                        COMMAND_ERROR_IS_FATAL ANY)
        string(APPEND out "${entry}\n -- ${MAINTAINER}  ${stamp}\n\n")
        set(entry "")
    endif()
endmacro()

foreach(line IN LISTS lines)
    if(line MATCHES "^## ([^ ]+) \\(([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9])\\)$")
        close_entry()
        set(version ${CMAKE_MATCH_1})
        set(date ${CMAKE_MATCH_2})
        if(NOT newest)
            set(newest ${version})
        endif()
        set(entry "${PACKAGE} (${version}) unstable; urgency=medium\n\n")
    elseif(line MATCHES "^## ")
        message(FATAL_ERROR "${SOURCE}: a heading must read \"## VERSION (YYYY-MM-DD)\": ${line}")
    elseif(entry AND line MATCHES "^- (.*)")
        string(APPEND entry "  * ${CMAKE_MATCH_1}\n")
    elseif(entry AND line MATCHES "^  (.*)")
        string(APPEND entry "    ${CMAKE_MATCH_1}\n")
    elseif(entry AND NOT line STREQUAL "")
        string(APPEND entry "  ${line}\n")
    endif()
endforeach()
close_entry()
if(NOT newest STREQUAL VERSION)
    message(FATAL_ERROR "${SOURCE}: the newest entry is ${newest}, the version built is ${VERSION}")
endif()
file(WRITE ${OUTPUT} "${out}")
