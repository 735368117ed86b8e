# SPDX-License-Identifier: MIT
# Windows builds carry the version record (US English) and the application
# icon as resources. Elsewhere this does nothing.
set(DEALWISE_ICON_FILE "${PROJECT_SOURCE_DIR}/packaging/icons/dealwise.ico")

function(dealwise_attach_version_resource target)
    if(NOT WIN32)
        return()
    endif()
    set(rc "${PROJECT_BINARY_DIR}/dealwise.rc")
    if(NOT EXISTS "${rc}")
        configure_file("${PROJECT_SOURCE_DIR}/packaging/windows/dealwise.rc.in" "${rc}" @ONLY)
    endif()
    target_sources(${target} PRIVATE "${rc}")
endfunction()
