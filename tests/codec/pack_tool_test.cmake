# Runs zorvex-pack as a person preparing pictures would: wrap, unwrap, and two failures.
# Called with -DPACK=<zorvex-pack> -DWORK=<scratch folder>.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(key pqt528wkd71xr94bz3vm6lc0s)
file(WRITE ${WORK}/helm.gif "GIF89a pretend picture data, pretend picture data, pretend")

execute_process(COMMAND ${PACK} ${WORK}/helm.gif ${WORK}/helm.qvp ${key}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "${WORK}/helm.ucc" OR NOT EXISTS ${WORK}/helm.gif)
  message(FATAL_ERROR "wrap: rc=${rc} out=${out}")
endif()

execute_process(COMMAND ${PACK} ${WORK}/helm.ucc ${WORK}/back.ucc ${key}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out OUTPUT_STRIP_TRAILING_WHITESPACE)
file(READ ${WORK}/helm.gif original)
file(READ ${WORK}/back.gif restored)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "${WORK}/back.gif" OR NOT original STREQUAL restored)
  message(FATAL_ERROR "unwrap: rc=${rc} out=${out}")
endif()

execute_process(COMMAND ${PACK} ${WORK}/helm.ucc ${WORK}/other.ucc otherkey7
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err
                ERROR_STRIP_TRAILING_WHITESPACE)
# 23, or 22 when the garbled header runs past the end of the file.
if(NOT ((rc EQUAL 23 AND err STREQUAL "Failed decoding the file (Error 23)")
        OR (rc EQUAL 22 AND err MATCHES "^File error: .* \\(Error 22\\)$"))
   OR NOT out STREQUAL "" OR EXISTS ${WORK}/other.gif)
  message(FATAL_ERROR "wrong key: rc=${rc} err=${err}")
endif()

execute_process(COMMAND ${PACK} ${WORK}/helm.gif ${WORK}/x abab
                RESULT_VARIABLE rc ERROR_VARIABLE err ERROR_STRIP_TRAILING_WHITESPACE)
if(NOT rc EQUAL 3 OR NOT err STREQUAL "Key too small/is repeating (Error 3)")
  message(FATAL_ERROR "bad key: rc=${rc} err=${err}")
endif()
# A file wrapped from a folder with a "." in its name stores "sub/evil" as its extension; its
# unwrap would write into the folder out.sub beside the output, and is refused.
file(MAKE_DIRECTORY ${WORK}/my.sub ${WORK}/out.sub)
file(WRITE ${WORK}/my.sub/evil "pretend picture data")
execute_process(COMMAND ${PACK} ${WORK}/my.sub/evil ${WORK}/my.sub/evil ${key}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "${WORK}/my.ucc")
  message(FATAL_ERROR "wrap from a dotted folder: rc=${rc} out=${out}")
endif()
execute_process(COMMAND ${PACK} ${WORK}/my.ucc ${WORK}/out.ucc ${key}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err
                ERROR_STRIP_TRAILING_WHITESPACE)
file(GLOB written ${WORK}/out.sub/*)
if(NOT rc EQUAL 22 OR NOT err STREQUAL "File error: Bad file name (Error 22)" OR written)
  message(FATAL_ERROR "unwrap into a subfolder: rc=${rc} err=${err} written=${written}")
endif()
file(REMOVE_RECURSE ${WORK})
