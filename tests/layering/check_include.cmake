# SPDX-License-Identifier: MIT
# Compiles one line, #include "HEADER", with the include folders that a
# target linking LIBRARY sees, and checks that it compiles (EXPECT=pass) or
# fails for want of the header (EXPECT=fail): the build keeps the layers.
#   cmake -DCOMPILER=c++ "-DINCLUDES=dir;dir" -DHEADER=scoring/scoring.h -DEXPECT=fail -DWORK_DIR=... -P check_include.cmake
foreach(name IN ITEMS COMPILER HEADER EXPECT WORK_DIR)
    if(NOT DEFINED ${name})
        message(FATAL_ERROR "check_include: ${name} is not set")
    endif()
endforeach()

string(MAKE_C_IDENTIFIER "${HEADER}" stem)
set(source "${WORK_DIR}/includes_${stem}.cpp")
file(WRITE "${source}" "#include \"${HEADER}\"\n")
set(flags)
foreach(dir IN LISTS INCLUDES)
    list(APPEND flags "-I${dir}")
endforeach()
execute_process(COMMAND ${COMPILER} -std=c++20 -fsyntax-only ${flags} "${source}"
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)

if(EXPECT STREQUAL "pass")
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "#include \"${HEADER}\" should compile here:\n${output}")
    endif()
elseif(status EQUAL 0)
    message(FATAL_ERROR "#include \"${HEADER}\" compiled, but this layer must not see it")
elseif(NOT output MATCHES "${HEADER}: No such file or directory")
    message(FATAL_ERROR "#include \"${HEADER}\" failed, but not for want of the header:\n${output}")
else()
    message(STATUS "#include \"${HEADER}\" fails to compile, as it should:\n${output}")
endif()
