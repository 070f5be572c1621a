# qelquery as a user runs it, natively and under wine: against the installed
# reference programs in <build>/exchange and against the stand-in programs
# of tests/programs, each case in a fresh exchange directory of its own
# under <build>/qelquery-cases. expect.cmake checks the exit status and
# what was printed. Every test that queries <build>/exchange holds its lock:
# two queries of one kind in one directory would overwrite each other's files.
set(qelquery_run $<TARGET_FILE:qelquery>)
if(CMAKE_CROSSCOMPILING)
  set(qelquery_run ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:qelquery>)
endif()

# qelquery_case(NAME EXIT code EXPECT regex [ALSO regex] [PROGRAM file]
#               [ANSWER file] [OUTPUT_FILE file] [ENVIRONMENT var=value]
#               COMMAND args...)
# With PROGRAM or ANSWER the case's exchange directory is
# qelquery-cases/NAME.
function(qelquery_case name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "EXIT;EXPECT;ALSO;PROGRAM;ANSWER;OUTPUT_FILE;ENVIRONMENT" "COMMAND")
  # A ";" would split the pattern into two arguments of the test's command
  # line and leave the rest of it unchecked: write "." for it.
  if(arg_UNPARSED_ARGUMENTS OR arg_EXPECT MATCHES ";" OR arg_ALSO MATCHES ";")
    message(FATAL_ERROR "qelquery_case(${name}): a pattern holds \";\" (${arg_UNPARSED_ARGUMENTS})")
  endif()
  set(defines -DEXIT=${arg_EXIT} "-DEXPECT=${arg_EXPECT}" "-DALSO=${arg_ALSO}")
  if(arg_PROGRAM OR arg_ANSWER)
    list(APPEND defines -DSTUDY=qelquery-cases/${name})
  endif()
  foreach(option PROGRAM ANSWER OUTPUT_FILE)
    if(arg_${option})
      list(APPEND defines "-D${option}=${arg_${option}}")
    endif()
  endforeach()
  add_test(NAME qelquery_${name}
    COMMAND ${CMAKE_COMMAND} ${defines} -P ${CMAKE_CURRENT_LIST_DIR}/expect.cmake -- ${qelquery_run} ${arg_COMMAND}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  if(";${arg_COMMAND};" MATCHES ";--study;exchange;")
    set_tests_properties(qelquery_${name} PROPERTIES RESOURCE_LOCK exchange)
  endif()
  if(arg_ENVIRONMENT)
    set_tests_properties(qelquery_${name} PROPERTIES ENVIRONMENT ${arg_ENVIRONMENT})
  endif()
endfunction()

# The two commands most cases run in their own exchange directory:
# `--study qelquery-cases/NAME electrode-materials 1.2379` and
# `check --study qelquery-cases/NAME`. The other arguments are qelquery_case's.
function(qelquery_asks name)
  qelquery_case(${name} ${ARGN} COMMAND --study qelquery-cases/${name} electrode-materials 1.2379)
endfunction()
function(qelquery_checks name)
  qelquery_case(${name} ${ARGN} COMMAND check --study qelquery-cases/${name})
endfunction()

set(answers ${CMAKE_CURRENT_LIST_DIR}/answers)
set(answering $<TARGET_FILE:testprogram_answers_from_file>)

# answers_from_file hands back answers/FILE; qelquery explains why it is no
# answer (status 6).
function(qelquery_wrong_answer name file expect)
  qelquery_asks(answer_${name} EXIT 6 PROGRAM ${answering} ANSWER ${answers}/${file} EXPECT "${expect}")
endfunction()

# The conventions of a command-line program.
qelquery_case(answers EXIT 0 EXPECT "^0\\.040\n0\\.165\n$"
  COMMAND --study exchange optimum-undersizes 1.2379 Copper 12.5 50 18 120)
qelquery_case(usage EXIT 64 EXPECT "unknown command: frobnicate\nusage: qelquery "
  COMMAND frobnicate)
qelquery_case(help EXIT 0 EXPECT "^usage: qelquery .*--version.*65 .*EX_DATAERR.*74 .*EX_IOERR"
  COMMAND -h)
qelquery_case(version EXIT 0 EXPECT "^qelquery [0-9.]+ \\(library interface 1\\.0\\)\n$"
  COMMAND --version)
qelquery_case(double_dash_ends_options EXIT 64 EXPECT "unknown command: --help\n"
  COMMAND -- --help)
qelquery_case(output_error EXIT 74 EXPECT "standard output could not be written" OUTPUT_FILE /dev/full
  COMMAND --study exchange electrode-materials 1.2379)
# A name beyond ASCII reaches the library as UTF-8 on every platform (an
# unknown material: no values, exit 0). Wine hands the arguments over in the
# locale's encoding.
qelquery_case(passes_names_in_utf8 EXIT 0 EXPECT "^$" ENVIRONMENT LC_ALL=C.UTF-8
  COMMAND --study exchange electrode-materials "Werkzeugstahl gehärtet")
qelquery_case(refuses_a_character_beyond_code_page_1252 EXIT 65 ENVIRONMENT LC_ALL=C.UTF-8
  EXPECT "PartMaterial \"Stahl Ω\" holds the character U\\+03A9 \\(Ω\\).*--lossy"
  COMMAND --study exchange electrode-materials "Stahl Ω")
qelquery_case(refuses_it_in_a_parameter_too EXIT 65 ENVIRONMENT LC_ALL=C.UTF-8
  EXPECT "MachineName \"Fräse ✓\" holds the character U\\+2713"
  COMMAND --study exchange --set "MachineName=Fräse ✓" electrode-materials 1.2379)
# Both sides of the code page: its characters beyond Latin-1 and its last
# one pass, the first character after it does not.
qelquery_case(accepts_every_character_of_code_page_1252 EXIT 0 ENVIRONMENT LC_ALL=C.UTF-8 EXPECT "^$"
  COMMAND --study exchange --set "MachineName=€ Œ ™ ÿ" electrode-materials "Stahl Ÿ")
qelquery_case(refuses_the_first_character_past_it EXIT 65 ENVIRONMENT LC_ALL=C.UTF-8
  EXPECT "PartMaterial \"Stahl Ā\" holds the character U\\+0100"
  COMMAND --study exchange electrode-materials "Stahl Ā")
qelquery_case(lossy_sends_it_replaced EXIT 0 ENVIRONMENT LC_ALL=C.UTF-8
  EXPECT "<PartMaterial>Stahl [^Ω<]</PartMaterial>"
  COMMAND --study exchange --lossy --verbose electrode-materials "Stahl Ω")
qelquery_case(verbose EXIT 0
  EXPECT "ElectrodeMaterial\\.exe: status 0 after [0-9]+\\.[0-9][0-9] s\n--- exchange/R_ElectrodeMat\\.xml\n<RequestElectrodeMaterial>"
  ALSO "--- exchange/A_ElectrodeMat\\.xml\n.*<Material>Copper-tungsten</Material>"
  COMMAND --study exchange --verbose electrode-materials 1.2379)

# Status 4: what kept the program from answering.
qelquery_case(missing_directory EXIT 4
  EXPECT "the exchange directory no-such-directory does not exist \\(status 4\\)"
  COMMAND --study no-such-directory electrode-materials 1.2379)
qelquery_case(directory_is_a_file EXIT 4
  EXPECT "the exchange directory CMakeCache\\.txt is not a directory \\(status 4\\)"
  COMMAND --study CMakeCache.txt electrode-materials 1.2379)
# A request beyond ASCII whose line is longer than the 1024 bytes a code
# page 1252 line may hold is written only in part.
string(REPEAT "x" 1100 long_value)
qelquery_case(request_written_in_part EXIT 4 ANSWER ${answers}/empty.xml ENVIRONMENT LC_ALL=C.UTF-8
  EXPECT "the request file R_ElectrodeMat\\.xml could not be written completely. .*at most 1024 bytes: shorten the longest value \\(status 4\\)"
  COMMAND --study qelquery-cases/request_written_in_part --set "MachineName=ä${long_value}" electrode-materials 1.2379)
qelquery_asks(missing_program EXIT 4 ANSWER ${answers}/empty.xml
  EXPECT "ElectrodeMaterial\\.exe is not in qelquery-cases/missing_program \\(the query failed after [0-9.]+ s\\).*\\(status 4\\)")
qelquery_asks(program_not_executable EXIT 4 PROGRAM ${answers}/empty_value.xml
  EXPECT "ElectrodeMaterial\\.exe in qelquery-cases/program_not_executable is not executable .*\\(status 4\\)")

# Status 5: the program ended, and how long it ran.
qelquery_asks(crashing_program EXIT 5 PROGRAM $<TARGET_FILE:testprogram_crashes>
  EXPECT "ElectrodeMaterial\\.exe ended after [0-9]+\\.[0-9][0-9] s without writing A_ElectrodeMat\\.xml.*\\(status 5\\)")

# Status 6: what is wrong with the answer.
qelquery_wrong_answer(type_without_element type_without_element.xml
  "A_ElectrodeMat\\.xml is not a valid answer: Type element 1 holds no child element.*\\(status 6\\)")
qelquery_wrong_answer(empty_value empty_value.xml
  "the value element <Material> of Type element 2 is empty.*\\(status 6\\)")
qelquery_wrong_answer(parse_error end_tag_mismatch.xml
  "parse error 3 at line 2, column 43: an end tag closes another element .*\\(status 6\\)\n  +<Type><Material>Copper</Material></Typo>\n +\\^\n$")
qelquery_wrong_answer(unknown_encoding unknown_encoding.xml
  "declares the encoding \"latin-9x\", which is not known, so it was read as UTF-8, and it is not UTF-8 \\(line 2, byte 74 of the file\\)")
qelquery_wrong_answer(not_in_the_declared_encoding not_the_declared_encoding.xml
  "the answer's bytes are not valid UTF-8 \\(line 2, byte 73 of the file\\).*windows-1252")
qelquery_wrong_answer(declaration_without_line_break declaration_without_line_break.xml
  "the answer starts with an XML declaration but holds no line break. end the declaration.s line with a line break \\(status 6\\)")
qelquery_wrong_answer(undeclared_non_ascii undeclared_non_ascii.xml
  "holds bytes above 0x7F \\(the first at line 1, byte 32 of the file\\) but no XML declaration names its encoding")
qelquery_wrong_answer(empty empty.xml
  "A_ElectrodeMat\\.xml is not a valid answer: the answer file is empty \\(status 6\\)")
qelquery_asks(answer_over_the_size_limit EXIT 6 PROGRAM $<TARGET_FILE:testprogram_answers_huge>
  EXPECT "the answer file holds 1073741825 bytes. answers over 67108864 bytes \\(64 MiB\\) are not read \\(status 6\\)")

# check: the reference programs pass; each stand-in fails with its reason.
qelquery_case(check_reference_programs EXIT 0
  EXPECT "13 requests, 42 checks: 42 passed, 0 failed\nAll checks passed\\.\n$"
  COMMAND check --study exchange)
qelquery_checks(check_crashing_programs EXIT 1 PROGRAM $<TARGET_FILE:testprogram_crashes>
  EXPECT "FAIL  SurfaceFinish\\.exe  plain ASCII: answer: SurfaceFinish\\.exe ended after [0-9.]+ s without writing A_SurfaceFinish\\.xml"
  ALSO "FAIL  OptimumUndersize\\.exe  start: no arguments: wrote no answer.*13 requests, 42 checks: 26 passed, 16 failed\n")
qelquery_checks(check_programs_without_answer EXIT 1 PROGRAM $<TARGET_FILE:testprogram_exits_at_once>
  EXPECT "FAIL  ElectrodeMaterial\\.exe  code page 1252: answer: ElectrodeMaterial\\.exe ended after [0-9.]+ s without writing A_ElectrodeMat\\.xml"
  ALSO "PASS  ElectrodeMaterial\\.exe  code page 1252: time: [0-9.]+ s \\(limit 60 s\\)")
qelquery_checks(check_wrong_answers EXIT 1 PROGRAM ${answering} ANSWER ${answers}/type_without_element.xml
  EXPECT "FAIL  OptimumUndersize\\.exe  undersize numbers: answer: A_OptimumUndersize\\.xml is not a valid answer: Type element 1 holds no child element"
  ALSO "PASS  OptimumUndersize\\.exe  start: no arguments: .*29 passed, 13 failed")
qelquery_checks(check_programs_that_remove_the_request EXIT 1
  PROGRAM $<TARGET_FILE:testprogram_removes_request> ANSWER ${answers}/valid.xml
  ALSO "PASS  ElectrodeMaterial\\.exe  markup characters: answer: a valid answer with 1 value\n"
  EXPECT "FAIL  ElectrodeMaterial\\.exe  markup characters: request: the request file is gone: the program removed it")
qelquery_checks(check_a_missing_program EXIT 1 ANSWER ${answers}/empty.xml
  EXPECT "FAIL  ElectrodeMaterial\\.exe  program: present: not found in qelquery-cases/check_a_missing_program as a regular file")

# The minute a program may run is waited for once, natively: the time-limit
# test runs qelquery's explanation of an overrun and its check of a
# lingering program beside its own queries.
if(TARGET qel_querytimeout_tests)
  target_compile_definitions(qel_querytimeout_tests PRIVATE QELQUERY_PROGRAM="$<TARGET_FILE:qelquery>")
  add_dependencies(qel_querytimeout_tests qelquery)
endif()

# An exchange directory whose name is not ASCII and holds blanks, asked from
# the classic locale and from a UTF-8 one (under wine only the latter, which
# wine needs to pass the argument on).
set(QEL_NON_ASCII_STUDY "Prüfstand ü/Ölbad")
add_test(NAME qelquery_non_ascii_study_setup
  COMMAND ${CMAKE_COMMAND} -E copy_directory exchange ${QEL_NON_ASCII_STUDY}
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
set_tests_properties(qelquery_non_ascii_study_setup PROPERTIES FIXTURES_SETUP non_ascii_study RESOURCE_LOCK exchange)
set(study_locales C.UTF-8)
if(NOT CMAKE_CROSSCOMPILING)
  list(APPEND study_locales C)
endif()
# Each query holds the directory's lock: the two locales' queries of one kind
# would overwrite each other's files.
function(qelquery_in_non_ascii_study name locale expect)
  add_test(NAME qelquery_non_ascii_study_${name}${locale}
    COMMAND qelquery --study ${QEL_NON_ASCII_STUDY} ${ARGN}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  set_tests_properties(qelquery_non_ascii_study_${name}${locale} PROPERTIES
    ENVIRONMENT "LC_ALL=${locale}" FIXTURES_REQUIRED non_ascii_study RESOURCE_LOCK non_ascii_study
    PASS_REGULAR_EXPRESSION "${expect}")
endfunction()
foreach(locale IN LISTS study_locales)
  qelquery_in_non_ascii_study("" ${locale} "^0\\.040\r?\n0\\.165\r?\n$" optimum-undersizes 1.2379 Copper 12.5 50 18 120)
  qelquery_in_non_ascii_study(installed_ ${locale} "^yes\r?\n$" installed)
endforeach()
