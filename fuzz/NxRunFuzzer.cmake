# Runs one fuzz target for SECONDS on a fresh copy of its seeds in WORK, so
# the repository's corpus is never written. Any crash, time-out or sanitizer
# report fails (libFuzzer exits non-zero and leaves the input in WORK); leaks
# fail at exit, with their allocation stack. Checking after every input would
# scan the heap again for each one that meets Qt's own leak (lsan.supp).
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/corpus")
file(GLOB seeds "${SEEDS}/*")
if(seeds)
    file(COPY ${seeds} DESTINATION "${WORK}/corpus")
endif()
set(ENV{LSAN_OPTIONS} "$ENV{LSAN_OPTIONS}:suppressions=${CMAKE_CURRENT_LIST_DIR}/lsan.supp:print_suppressions=0")
set(ENV{UBSAN_OPTIONS} "$ENV{UBSAN_OPTIONS}:halt_on_error=1:print_stacktrace=1")
execute_process(COMMAND "${FUZZER}" -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048 -detect_leaks=0
        -print_final_stats=1 -artifact_prefix=${WORK}/ "${WORK}/corpus"
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${FUZZER} failed (${status}); the input is in ${WORK}")
endif()
