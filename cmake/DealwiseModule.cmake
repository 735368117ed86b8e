# SPDX-License-Identifier: MIT
# dealwise_module(NAME SOURCES ... [PUBLIC targets...] [PRIVATE targets...])
# One module of Dealwise: the static library dealwise_NAME, also known as
# dealwise::NAME, which exposes only its own include/ folder, so that a
# module sees the headers of the modules it links and no others.
function(dealwise_module name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;PUBLIC;PRIVATE")
    add_library(dealwise_${name} STATIC ${arg_SOURCES})
    add_library(dealwise::${name} ALIAS dealwise_${name})
    target_include_directories(dealwise_${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include)
    target_link_libraries(dealwise_${name} PUBLIC ${arg_PUBLIC} PRIVATE ${arg_PRIVATE} dealwise_warnings)
endfunction()
