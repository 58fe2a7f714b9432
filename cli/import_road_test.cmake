# The command-line road of a reference book: CSV -> bwick import -> bwick build -> bwick dump.
# Run by CTest with -DBWICK=<tool> -DSAMPLE=<bundled CSV> -DWORK=<scratch folder>.

function(run_bwick out_var)
  execute_process(COMMAND ${BWICK} ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "bwick ${ARGN} exited with ${status}\n${out}${err}")
  endif()
  set(${out_var} "${out}" PARENT_SCOPE)
endfunction()

function(expect_in text expected what)
  string(FIND "${text}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${what}: \"${expected}\" not found in\n${text}")
  endif()
endfunction()

# Imports `csv` with the header answered Yes, builds it and checks the dump against the import.
function(run_road csv name records)
  get_filename_component(base ${csv} NAME_WE)
  get_filename_component(dir ${csv} DIRECTORY)
  run_bwick(summary import ${csv} --name ${name} --header)
  expect_in("${summary}" "записей: ${records}\n" "import summary")
  if(NOT EXISTS ${dir}/${base}.fsr)
    message(FATAL_ERROR "import wrote no ${dir}/${base}.fsr")
  endif()
  run_bwick(built build ${dir}/${base}.fsr)
  if(NOT EXISTS ${dir}/${base}.fdb)
    message(FATAL_ERROR "build wrote no ${dir}/${base}.fdb\n${built}")
  endif()
  run_bwick(dump dump ${dir}/${base}.fdb)
  expect_in("${dump}" "записей: ${records}\n" "dump")
  expect_in("${dump}" "конец: записей ${records}\n" "dump")
  expect_in("${dump}" "название: ${name}\n" "dump")
  set(dump "${dump}" PARENT_SCOPE)
  set(summary "${summary}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

# The bundled sample: every data line of the CSV becomes one record of the handheld file.
file(COPY ${SAMPLE} DESTINATION ${WORK})
get_filename_component(sample_name ${SAMPLE} NAME)
file(READ ${WORK}/${sample_name} sample_text)
string(REGEX MATCHALL "\n" sample_breaks "${sample_text}")
list(LENGTH sample_breaks sample_line_count)  # the sample's lines all end in a line break
math(EXPR sample_records "${sample_line_count} - 1")
run_road(${WORK}/${sample_name} "Сотрудники" ${sample_records})

# 100 000 generated records: an id that holds zeros (text), a name, and a number of two bytes.
set(big ${WORK}/big.csv)
string(ASCII 200 236 255 word)  # "Имя" in Windows-1251
file(WRITE ${big} "id;name;amount\r\n")
foreach(block RANGE 0 99)
  set(text "")
  foreach(j RANGE 1 1000)
    math(EXPR i "${block} * 1000 + ${j}")
    math(EXPR amount "(${i} % 9 + 1) * 111")
    string(APPEND text "${i};${word} ${i};${amount}\r\n")
  endforeach()
  file(APPEND ${big} "${text}")
endforeach()
run_road(${big} "Big" 100000)
expect_in("${summary}" "1 «id»: текст, самое длинное значение 6\n" "import summary")
expect_in("${summary}" "3 «amount»: число, 2 байта, самое длинное значение 3\n" "import summary")
expect_in("${dump}" "поле 3: название=amount тип=число(2)" "dump")
expect_in("${dump}" "запись 100000: 100000 | Имя 100000 | 222\n" "dump")
