# d88cut.exe under Wine, interrupted as a user's Ctrl-C interrupts it: Wine
# turns the SIGINT that strace sends as the first file is put on the disk
# into a Ctrl-C. The run must end as Windows programs ended by Ctrl-C do
# (STATUS_CONTROL_C_EXIT, of which a POSIX exit status keeps the low byte,
# 0x3A) and leave no temporary file.
# Usage: cmake -DTOOL=d88cut.exe -DWINE_RUN=wine-run -DSAMPLE=sample.d88
#              -DWORK=folder -P windows_interrupt.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${SAMPLE}" DESTINATION "${WORK}")
get_filename_component(image "${SAMPLE}" NAME)
execute_process(
  COMMAND strace -f -qq -o /dev/null -e trace=fsync -e inject=fsync:signal=SIGINT:when=1
          "${WINE_RUN}" "${TOOL}" "${image}"
  WORKING_DIRECTORY "${WORK}"
  RESULT_VARIABLE status
  OUTPUT_QUIET ERROR_QUIET)
file(GLOB left RELATIVE "${WORK}" "${WORK}/*.d88cut-*")
file(REMOVE_RECURSE "${WORK}")
if(NOT status EQUAL 58)
  message(FATAL_ERROR "an interrupted run ended with status ${status}, not 58 (0xC000013A)")
endif()
if(left)
  message(FATAL_ERROR "an interrupted run left ${left}")
endif()
