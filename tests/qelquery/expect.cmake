# Runs qelquery as a user would and checks its exit status and what it
# printed (standard output and standard error together).
#
#   cmake [-DSTUDY=dir [-DPROGRAM=file] [-DANSWER=file]] -DEXIT=n
#         -DEXPECT=regex [-DALSO=regex] [-DOUTPUT_FILE=file] -P expect.cmake -- COMMAND...
#
# STUDY is made afresh; PROGRAM is copied into it under the three program
# names, ANSWER as answer.xml (what answers_from_file hands back).
set(command)
set(take OFF)
foreach(i RANGE ${CMAKE_ARGC})
  if(take AND DEFINED CMAKE_ARGV${i})
    list(APPEND command "${CMAKE_ARGV${i}}")
  elseif("${CMAKE_ARGV${i}}" STREQUAL "--")
    set(take ON)
  endif()
endforeach()

if(DEFINED STUDY)
  file(REMOVE_RECURSE ${STUDY})
  file(MAKE_DIRECTORY ${STUDY})
  if(DEFINED PROGRAM)
    foreach(name ElectrodeMaterial SurfaceFinish OptimumUndersize)
      file(COPY_FILE ${PROGRAM} ${STUDY}/${name}.exe)
    endforeach()
  endif()
  if(DEFINED ANSWER)
    file(COPY_FILE ${ANSWER} ${STUDY}/answer.xml)
  endif()
endif()

if(DEFINED OUTPUT_FILE)
  execute_process(COMMAND ${command} RESULT_VARIABLE code OUTPUT_FILE ${OUTPUT_FILE} ERROR_VARIABLE out)
else()
  execute_process(COMMAND ${command} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE out)
endif()
string(REPLACE "\r\n" "\n" out "${out}")

set(failed)
if(NOT code STREQUAL EXIT)
  string(APPEND failed "exit status ${code}, expected ${EXIT}\n")
endif()
foreach(pattern IN ITEMS "${EXPECT}" "${ALSO}")
  if(NOT pattern STREQUAL "" AND NOT out MATCHES "${pattern}")
    string(APPEND failed "no match for: ${pattern}\n")
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "${command}\n${failed}--- printed:\n${out}")
endif()
