# SPDX-License-Identifier: MIT
# Renders a manual page as man shows it and checks that groff has nothing to
# complain of and that the page has its name, synopsis and cross-references.
#   cmake -DMAN=man -DPAGE=dealwise.6.gz -DPROGRAM=dealwise -P check_manpage.cmake
execute_process(COMMAND ${CMAKE_COMMAND} -E env MANPAGER=cat PAGER=cat MANWIDTH=80 LC_ALL=C.UTF-8
                        ${MAN} --warnings -E UTF-8 -l ${PAGE}
                RESULT_VARIABLE status OUTPUT_VARIABLE page ERROR_VARIABLE warnings)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "man -l ${PAGE} failed (${status}):\n${warnings}")
endif()
if(NOT warnings STREQUAL "")
    message(FATAL_ERROR "man -l ${PAGE} warns:\n${warnings}")
endif()
# man justifies the text, so words may stand more than one blank apart.
foreach(part IN ITEMS "NAME" "${PROGRAM} +- " "SYNOPSIS" "DESCRIPTION" "SEE ALSO")
    if(NOT page MATCHES "${part}")
        message(FATAL_ERROR "the manual page of ${PROGRAM} lacks \"${part}\":\n${page}")
    endif()
endforeach()
message(STATUS "${page}")
