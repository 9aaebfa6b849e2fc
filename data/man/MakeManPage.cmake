# cmake -P: one manual page made by help2man (HELP2MAN) from PROGRAM's own --help and --version,
# read through FILTER (help-for-man.sh), with the sections of INCLUDE; the operations' flags set
# in bold like options; written to OUTPUT (<name>.1.gz) compressed without a name or time in
# its header. EPOCH is the date the page carries, so that every build writes the same bytes.
cmake_minimum_required(VERSION 3.25)

set(ENV{SOURCE_DATE_EPOCH} "${EPOCH}")
set(ENV{LC_ALL} "C.UTF-8")
# --help and --version never need a display; nothing of the builder's session may leak in.
foreach(variable DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM)
  unset(ENV{${variable}})
endforeach()

string(REGEX REPLACE "\\.gz$" "" page "${OUTPUT}")
execute_process(
  COMMAND "${HELP2MAN}" --no-info --include "${INCLUDE}" --output "${page}" "sh '${FILTER}' '${PROGRAM}'"
  RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "help2man could not make ${page} from ${PROGRAM}:\n${errors}")
endif()

# help2man italicises "/T" like a file name; a flag is typed as it stands, so it is bold.
file(READ "${page}" text)
string(REGEX REPLACE "\\\\fI\\\\,(/[A-Z][A-Za-z]*(\\\\-[A-Z][A-Za-z]*)*)\\\\/\\\\fP" "\\\\fB\\1\\\\fR" text "${text}")
file(WRITE "${page}" "${text}")
execute_process(COMMAND gzip -9nf "${page}" COMMAND_ERROR_IS_FATAL ANY)
