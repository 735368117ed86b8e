# SPDX-License-Identifier: MIT
# Runs the built dealwise-score for one case and checks its standard output,
# standard error and exit status, each compared whole.
#   cmake [-DEMULATOR=...] -DPROGRAM=... -DCASE=... -DVERSION_TEXT=... -DWORK_DIR=... -DWORKED_EXAMPLE=... -P run_dealwise_score.cmake

set(input_file /dev/null)
set(card_shape " is not a card; a card is a rank A, 2-10 (or T), J, Q or K followed by a suit S, C, D or H, as in AS or 10h\n")

if(CASE STREQUAL "worked_example")
    set(args AS 2S 3S 4H 9C 10D KC)
    set(want_status 0)
    file(READ ${WORKED_EXAMPLE} want_out)
    set(want_err "")
elseif(CASE STREQUAL "bad_card")
    set(args AS 2S 3S 1S 9C 10D KC)
    set(want_status 2)
    set(want_out "")
    set(want_err "dealwise-score: \"1S\"${card_shape}")
elseif(CASE STREQUAL "wrong_count")
    set(args AS 2S 3S)
    set(want_status 2)
    set(want_out "")
    set(want_err "dealwise-score: 3 cards given; a hand is seven cards, as in AS 2S 3S 4H 9C 10D KC\n")
elseif(CASE STREQUAL "repeated_card")
    set(args AS 2S 3S 4H 9C 10D as)
    set(want_status 2)
    set(want_out "")
    set(want_err "dealwise-score: AS is repeated (cards 1 and 7); the seven cards of a hand are all different\n")
elseif(CASE STREQUAL "unknown_option")
    set(args -x AS 2S 3S 4H 9C 10D KC)
    set(want_status 2)
    set(want_out "")
    set(want_err "dealwise-score: unknown option \"-x\"; see dealwise-score --help\n")
elseif(CASE STREQUAL "version")
    set(args --version)
    set(want_status 0)
    set(want_out "dealwise-score ${VERSION_TEXT}\n")
    set(want_err "")
elseif(CASE STREQUAL "batch_bad_line")
    set(args --batch)
    set(input_file "${WORK_DIR}/batch_bad_line.txt")
    file(WRITE "${input_file}"
        "# two hands and a bad line\r\n"
        "AS 2S 3S 4H 9C 10D KC\r\n"
        "AS 2S 3S 4H 9C 1S KC\r\n"
        "\r\n"
        "4s,4c,4h,9s,tc,js,qd")
    set(want_status 1)
    set(want_out "3\tAS 2S 3S 4H 9C 10D KC\n-6\t4S 4C 4H 9S 10C JS QD\n")
    set(want_err "line 3: \"1S\"${card_shape}")
else()
    message(FATAL_ERROR "unknown case '${CASE}'")
endif()

execute_process(COMMAND ${EMULATOR} "${PROGRAM}" ${args}
                INPUT_FILE "${input_file}"
                OUTPUT_VARIABLE out
                ERROR_VARIABLE err
                RESULT_VARIABLE status)

# message(STATUS) prints the text as it is; the error messages below would
# reflow it and hide the blanks that matter.
function(check what want got)
    if(NOT "${got}" STREQUAL "${want}")
        message(STATUS "${what}, wanted:\n${want}<end>")
        message(STATUS "${what}, got:\n${got}<end>")
        message(SEND_ERROR "${what} differs")
        set(failed TRUE PARENT_SCOPE)
    endif()
endfunction()

set(failed FALSE)
check("exit status" "${want_status}" "${status}")
check("standard output" "${want_out}" "${out}")
check("standard error" "${want_err}" "${err}")
if(failed)
    message(FATAL_ERROR "dealwise-score ${args}: failed")
endif()
