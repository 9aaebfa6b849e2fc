# cmake -P: copies the demonstration files into TARGET and builds their project databases with
# qmk32 (QMK32): create each project, add each translation under its script's name, import the
# texts from that script, and finish the project (FINISH: bitmaps translated, nothing to review,
# the script named where the package installs it, in INSTALLED). Every build gives the same
# bytes wherever it runs: the scripts' times are EPOCH (seconds since 1970) and the projects
# keep no trace of TARGET.
cmake_minimum_required(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/DemoProjects.cmake")

file(REMOVE_RECURSE "${TARGET}")
foreach(file IN LISTS QMK_DEMO_SOURCES)
  get_filename_component(folder "${file}" DIRECTORY)
  file(COPY "${SOURCE}/${file}" DESTINATION "${TARGET}/${folder}")
endforeach()
# One fixed modification time, which the databases record as the scripts' stamps.
execute_process(COMMAND touch -d "@${EPOCH}" ${QMK_DEMO_SOURCES} WORKING_DIRECTORY "${TARGET}" COMMAND_ERROR_IS_FATAL ANY)

# The settings of this run stay out of the shipped folder.
set(ENV{QMK32_INI} "${TARGET}.ini")
file(REMOVE "${TARGET}.ini")
# The project records the script's time in local time and asks to update when the script is
# later than that. Recorded in the easternmost zone, that time is never later anywhere else.
set(ENV{TZ} "UTC-14")

function(qmk32)
  execute_process(COMMAND "${QMK32}" ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "qmk32 ${ARGN} failed (${status}):\n${out}")
  endif()
endfunction()

foreach(script demo.rc asiademo.rc)
  string(REPLACE "." "_" db "${script}")
  set(db "${TARGET}/${db}.mdb")
  qmk32(-C "${TARGET}/${script}")
  foreach(entry IN LISTS QMK_DEMO_TRANSLATIONS)
    string(REPLACE "|" ";" entry "${entry}")
    list(GET entry 0 of)
    list(GET entry 1 language)
    list(GET entry 2 translated)
    if(of STREQUAL script)
      qmk32(-A "${db}" "${language}" "${translated}" -I "${TARGET}/${translated}" "${language}" "${db}")
    endif()
  endforeach()
  execute_process(COMMAND "${FINISH}" "${db}" "${INSTALLED}/${script}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
file(REMOVE "${TARGET}.ini")
