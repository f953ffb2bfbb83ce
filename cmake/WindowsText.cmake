# Writes a UTF-8 text of the repository as a Japanese Windows user's editor reads it: Shift-JIS
# (code page 932) with CR LF line ends. Run as `cmake -DICONV=... -DINPUT=... -DOUTPUT=... -P`.
execute_process(
    COMMAND ${ICONV} -f UTF-8 -t CP932 ${INPUT}
    OUTPUT_VARIABLE text
    RESULT_VARIABLE failed
    ERROR_VARIABLE why)
if(failed)
    message(FATAL_ERROR "${INPUT} does not convert to Shift-JIS: ${why}")
endif()
# A checkout with CR LF already must not end up with CR CR LF.
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUTPUT} "${text}")
